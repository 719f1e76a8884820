// Reads any byte string as "res.dat" into the game's layout tables, as the
// game does when it starts, then takes the layout values derived from them.
#include <cstdint>
#include <string>

#include "gamelib/GameLib.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DshortArray2d.h"
#include "nvx/src/state/NightvaultGame.h"
#include "tests/core/tavrine/src/common/io/double/MemoryArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  qel::lang::DPtr<qel::io::MemoryArchive> archive = new qel::io::MemoryArchive();
  archive->entries[u"res.dat"] = std::string(reinterpret_cast<const char*>(data), size);
  qel::io::DArchive::setCurrent(archive);
  qel::lang::DPtr<nvx::NightvaultGame> game = new nvx::NightvaultGame();
  game->initStatics();
  gamelib::ResTables& tables = game->layoutTables();
  gamelib::GameLib::loadResData(tables);
  try {
    const qel::lang::DshortArray2dPtr& t = tables.spriteTable;
    game->setDerivedLayout((t->at(9)->at(3) - t->at(38)->at(3) + 1) >> 1, t->at(9)->at(3) + 2, t->at(44)->at(2));
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::Exception);
  }
  qel::io::DArchive::setCurrent(nullptr);
  return 0;
}
