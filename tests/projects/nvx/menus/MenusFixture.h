#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/media/DManager.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/screens/LanguageScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/NightvaultGame.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/LanguageTexts.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOutDriver.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"

namespace nvx {

// The game's statics over the demo data set as the splash sequence loads
// them (pictures, layout, off-screen image, language, the start-up load
// with its sounds, options and persons), on a 240 x 320 screen; sounds play
// on the deterministic wave-out.
// Record stores live in the folder's temporary user folder.
class MenusTest : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_, replacedEntries());
    wce::installWaveOutDriver(waveOut_);
    qel::media::DManager::initSoundSystem();
    gamelib::LangInfo::releaseInstance();
    game_.initStatics();
    gamelib::ResTables& tables = game_.layoutTables();
    gamelib::GameLib::loadResData(tables);
    gamelib::GameLib::deriveLayout(game_, tables);
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = 240;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) = 320;
    GameState::languageIndex = 0;
    // The one language chosen on the language screen.
    GameState::pendingKey = '5';
    LanguageScreen::updateLanguageScreen();
    MainCanvas::instance = new MainCanvas();
    for (GameState::splashStep = 6; GameState::splashStep < 24;) {
      if (GameState::splashStep & 1) {
        ++GameState::splashStep;
      } else {
        StateMachine::advanceSplash();
      }
    }
    GameState::splashStep = 25;
    StateMachine::enter(StateMachine::stateSplash);
    GameState::introShown = 1;
    // Not the first run: the start-up load found no options and wrote them.
    GameState::optionsMissing = 0;
    if (GameState::sounds) GameState::sounds->setEnabled(true);
  }

  void TearDown() override {
    if (GameState::sounds) GameState::sounds->release();
    GameState::sounds.release();
    qel::media::DManager::releaseSoundSystem();
    wce::installWaveOutDriver(nullptr);
    MainCanvas::instance.release();
    game_.releaseStatics();
    gamelib::GameLib::setSearchPath(nullptr);
    gamelib::LangInfo::releaseInstance();
    nvtest::writable(gamelib::GameLib::exiting) = false;
    StateMachine::enter(254);
    GameState::splashStep = 0;
    GameState::pendingTransition = 0;
    GameState::saveExists = 0;
    GameState::saveOnExit = 0;
    GameState::winnerRow = 0;
    GameState::money = 4000;
    GameState::difficulty = 0;
    GameState::introShown = 0;
    GameState::optionsMissing = 0;
    nvtest::writable(GameState::touchInput) = 0;
    nvtest::writable(GameState::bestResultsExtra) = 0;
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::screenHeight) =
        nvtest::writable(GameState::viewWidth) = nvtest::writable(GameState::viewHeight) = 0;
  }

  // Archive entries a test puts in place of the demo data set's.
  virtual std::map<std::string, std::string> replacedEntries() const { return {}; }

  // The bytes of record 1 of a store, empty when there is none.
  static std::vector<uint8_t> recordOf(const char16_t* store) {
    std::vector<uint8_t> bytes;
    try {
      qel::rms::DRecordStorePtr rs = qel::rms::DRecordStore::openRecordStore(store, false);
      qel::lang::DbyteArrayPtr record = rs->getRecord(1);
      if (record) bytes.assign(record->data(), record->data() + record->length());
      rs->closeRecordStore();
    } catch (qel::lang::DExceptionBase&) {}
    return bytes;
  }

  static void writeRecord(const char16_t* store, const std::vector<uint8_t>& bytes) {
    qel::rms::DRecordStorePtr rs = qel::rms::DRecordStore::openRecordStore(store, true);
    qel::lang::DbyteArrayPtr record = new qel::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) record->at(static_cast<int32_t>(i)) = static_cast<int8_t>(bytes[i]);
    if (rs->getNumRecords() == 0) {
      rs->addRecord(record, 0, record->length());
    } else {
      rs->setRecord(1, record, 0, record->length());
    }
    rs->closeRecordStore();
  }

  // The glyphs of a language text, as numbers.
  static std::vector<int> glyphsOf(int32_t textId) {
    qel::lang::DshortArrayPtr text = LanguageTexts::getText(textId);
    return std::vector<int>(text->data(), text->data() + text->length());
  }

  static bool playing(int32_t sound) { return GameState::sounds && GameState::sounds->isPlaying(sound); }

  std::shared_ptr<wce::ManualWaveOutDriver> waveOut_ = std::make_shared<wce::ManualWaveOutDriver>();
  wce::ManualClock clock_{5000};
  wce::ScopedClockSource clockScope_{clock_};
  GameFolder folder_;
  NightvaultGame game_;
};

}  // namespace nvx
