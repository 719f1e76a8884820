#include "microedition/backend/BackendTable.h"

#include "microedition/backend/ExtEscBackend.h"
#include "microedition/backend/GdiBackend.h"
#include "microedition/backend/TdlxBackend.h"
#include "platform/system/AsciiCase.h"

namespace qel::lcdui {

namespace {

std::array<std::unique_ptr<DisplayBackend>, BackendTable::Count>& table() {
  static std::array<std::unique_ptr<DisplayBackend>, BackendTable::Count> backends;
  return backends;
}

bool tableExists = false;

}  // namespace

void BackendTable::createBackends() {
  if (tableExists) return;
  table()[0] = std::make_unique<TdlxBackend>();
  table()[1] = std::make_unique<GdiBackend>();
  table()[2] = std::make_unique<ExtEscBackend>();
  tableExists = true;
}

void BackendTable::destroyBackends() {
  for (auto& backend : table()) backend.reset();
  tableExists = false;
}

bool BackendTable::exists() { return tableExists; }

DisplayBackend* BackendTable::at(int index) {
  if (!tableExists || index < 0 || index >= Count) return nullptr;
  return table()[index].get();
}

DisplayBackend* BackendTable::choose(const char16_t* driver) {
  if (!tableExists) return nullptr;
  if (driver) {
    for (auto& backend : table())
      if (wce::equalsIgnoringAsciiCase(driver, backend->getName())) return backend.get();
  }
  return table()[0].get();
}

}  // namespace qel::lcdui
