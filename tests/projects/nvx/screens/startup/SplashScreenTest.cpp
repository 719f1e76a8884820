#include "gamelib/SoundManager.h"
#include "guilib/GUIEngine.h"
#include "microedition/media/DManager.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOutDriver.h"
#include "tests/projects/nvx/screens/startup/SplashFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using qel::lcdui::DImagePtr;
using Bytes = std::vector<uint8_t>;

class SplashScreenTest : public SplashFixture {
protected:
  void SetUp() override {
    SplashFixture::SetUp();
    nvtest::writable(GameState::viewWidth) = nvtest::writable(GameState::screenWidth) = 240;
    nvtest::writable(GameState::viewHeight) = nvtest::writable(GameState::screenHeight) = 320;
    GameState::saveExists = 0;
    nvtest::writable(GameState::splashImage).release();
    nvtest::writable(GameState::backImage).release();
  }
  void TearDown() override {
    MainCanvas::instance.release();
    SplashFixture::TearDown();
  }

  // The bar's fill inside its one-pixel edges, on the row above the bottom.
  static int32_t barWidth(const DImagePtr& panel) {
    int32_t fill = 0;
    for (int32_t x = 0; x < panel->getWidth(); ++x)
      if (nvtest::pixel(panel, x, panel->getHeight() - 2) == 0xB2003Eu) ++fill;
    return fill + 2;
  }

  static std::optional<Bytes> record(const char16_t* store) {
    try {
      qel::lang::DbyteArrayPtr data = qel::rms::DRecordStore::openRecordStore(store, false)->getRecord(1);
      const auto* first = reinterpret_cast<const uint8_t*>(data->data());
      return Bytes(first, first + data->length());
    } catch (qel::lang::DExceptionBase&) {
      return std::nullopt;
    }
  }
};

// The whole splash as the state machine runs it, painted into a 240 x 320
// panel: the loading bar grows by a tenth of the width at each odd step.
TEST_F(SplashScreenTest, SequencePaintsTheGrowingBarThenTheTitle) {
  MainCanvas::instance = new MainCanvas();
  StateMachine::enter(StateMachine::stateSplash);
  GameState::splashStep = 0;
  const DImagePtr panel = screen();
  const qel::lcdui::DGraphicsPtr g = panel->getGraphics();
  std::vector<int32_t> widths;
  // The bar is pressed in: dark outline, light top and left edges.
  std::vector<uint32_t> edges;
  for (int frame = 0; frame < 100 && GameState::splashStep != 26; ++frame) {
    const int8_t step = GameState::splashStep;
    StateMachine::paint(g);
    if (step >= 7 && step <= 23 && step % 2 == 1) {
      EXPECT_EQ(GameState::splashStep, step + 1);
      widths.push_back(barWidth(panel));
    }
    if (step == 23) {
      const int32_t top = 320 - SplashScreen::progressHeight;
      edges = {nvtest::pixel(panel, 0, 318),
               nvtest::pixel(panel, 5, top),
               nvtest::pixel(panel, 5, 319),
               nvtest::pixel(panel, 215, 318)};
    }
    if (step == 25) {
      nvtest::dumpPng(panel, "splash-step-25");
      break;
    }
    GameState::halfSecondCount = 2;
    StateMachine::advanceSplash();
  }
  EXPECT_EQ(widths, (std::vector<int32_t>{24, 48, 72, 96, 120, 144, 168, 192, 216}));
  EXPECT_EQ(edges, (std::vector<uint32_t>{0xBEBCBCu, 0xBEBCBCu, 0x424242u, 0x424242u}));
  EXPECT_EQ(GameState::splashStep, 26);
  EXPECT_TRUE(GameTables::persons[4]);
  EXPECT_FALSE(GameState::sounds->isEnabled());
}

TEST_F(SplashScreenTest, StepZeroTakesTheCanvasSize) {
  gamelib::ScreenCanvas::screenWidth = 176;
  gamelib::ScreenCanvas::screenHeight = 208;
  GameState::splashStep = 0;
  const DImagePtr panel = screen();
  SplashScreen::paintSplash(panel->getGraphics());
  EXPECT_EQ(GameState::splashStep, 1);
  EXPECT_EQ(GameState::viewWidth, 176);
  EXPECT_EQ(GameState::screenHeight, 208);
  EXPECT_EQ(nvtest::pixel(panel, 239, 319), 0xFFFFFFu);
}

TEST_F(SplashScreenTest, WithoutSplashImageTheScreenIsGreyWithTheOverlayCentred) {
  nvtest::writable(GameState::backImage) = qel::lcdui::DImage::createImage(20, 10);
  const qel::lcdui::DGraphicsPtr overlay = GameState::backImage->getGraphics();
  overlay->setColor(0x00FF00u);
  overlay->fillRect(0, 0, 20, 10);
  const DImagePtr panel = screen();
  GameState::splashStep = 3;
  SplashScreen::paintSplash(panel->getGraphics());
  EXPECT_EQ(nvtest::pixel(panel, 5, 5), 0xC0C0C0u);
  const uint32_t green = nvtest::pixel(GameState::backImage, 0, 0);
  EXPECT_EQ(nvtest::pixel(panel, 110, 155), green);
  EXPECT_EQ(nvtest::pixel(panel, 129, 164), green);
  EXPECT_EQ(nvtest::pixel(panel, 130, 165), 0xC0C0C0u);
  EXPECT_EQ(GameState::splashStep, 3);

  // Step 2 paints only while there is a splash picture.
  GameState::splashStep = 2;
  const DImagePtr untouched = screen();
  const qel::lcdui::DGraphicsPtr background = untouched->getGraphics();
  background->setColor(0x123456u);
  background->fillRect(0, 0, 240, 320);
  SplashScreen::paintSplash(untouched->getGraphics());
  EXPECT_EQ(nvtest::pixel(untouched, 5, 5), 0x123456u);
}

TEST_F(SplashScreenTest, FirstStartWritesTheDefaultOptionsAndFindsEitherSlot) {
  qel::rms::DRecordStore::openRecordStore(u"save2", true)
      ->addRecord(new qel::lang::DbyteArray(7, 0, 0, 9, 0, 0, 0, 0, 0), 0, 7);
  qel::rms::DRecordStore::openRecordStore(u"save2", true)->addRecord(new qel::lang::DbyteArray(1, 0, 3), 0, 1);
  SplashScreen::startupLoad(new MainCanvas());
  Bytes defaults(16, 0);
  defaults[2] = 1;
  defaults.push_back(30);
  defaults.push_back(50);
  EXPECT_EQ(record(u"option"), defaults);
  EXPECT_EQ(GameState::optionsMissing, 1);
  EXPECT_EQ(GameState::saveExists, 1);
  EXPECT_EQ(GameState::mapPlace, 0);
  ASSERT_EQ(GameState::sounds->soundCount(), 18);
  EXPECT_FALSE(GameState::sounds->isEnabled());
  for (int32_t id = 0; id < 5; ++id) EXPECT_EQ(static_cast<Person*>(GameTables::persons[id].get())->id, id);
  EXPECT_TRUE(GameState::tickerText);
  EXPECT_EQ(GameState::tickerPlaceX, GameTables::mapPlaces->at(0)->at(GameState::placeXColumn));
}

TEST_F(SplashScreenTest, StoredOptionsAreReadAndKeptAsTheyAre) {
  Bytes stored(16, 0);
  stored[5] = 1;
  stored.push_back(10);
  stored.push_back(64);
  qel::lang::DbyteArrayPtr data = new qel::lang::DbyteArray(18);
  for (int32_t i = 0; i < 18; ++i) data[i] = static_cast<int8_t>(stored[static_cast<size_t>(i)]);
  qel::rms::DRecordStore::openRecordStore(u"option", true)->addRecord(data, 0, 18);
  SplashScreen::startupLoad(new MainCanvas());
  EXPECT_EQ(GameState::optionsMissing, 0);
  EXPECT_TRUE(GameTables::options[5]);
  EXPECT_FALSE(GameTables::options[2]);
  EXPECT_EQ(GameState::sounds->sfxVolume(), 10);
  EXPECT_EQ(GameState::sounds->musicVolume(), 64);
  EXPECT_FALSE(GameState::sounds->isEnabled());
  EXPECT_EQ(GameState::saveExists, 0);
  EXPECT_EQ(record(u"option"), stored);
}

// An option record that cannot be rewritten (a folder where its value is
// kept) leaves every start looking like the first: after one failed
// rewrite of the defaults the game goes on to its main menu, without the
// first-start information and without writing the default best results.
TEST_F(SplashScreenTest, OptionRecordThatCannotBeRewrittenIsNotAFirstStart) {
  qel::rms::DRecordStore::openRecordStore(u"option", true)->addRecord(new qel::lang::DbyteArray(18), 0, 18);
  std::filesystem::path value;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_->user()))
    if (entry.path().filename() == "k.option") value = entry.path() / "v.1";
  ASSERT_TRUE(std::filesystem::remove(value));
  std::filesystem::create_directory(value);

  LanguageTexts::loadLanguage();
  SplashScreen::startupLoad(new MainCanvas());
  GameState::introShown = 1;
  StateMachine::afterSplash();
  EXPECT_EQ(DialogWindow::dialogId, 22);
  EXPECT_FALSE(record(u"winner"));
}

TEST_F(SplashScreenTest, PictureSetsLoadTheirPicturesOnce) {
  SplashScreen::swapPictures(2);
  EXPECT_TRUE(GameState::pictures[2]);
  SplashScreen::swapPictures(0);
  EXPECT_FALSE(GameState::pictures[2]);
  for (int32_t i : {4, 5, 6}) EXPECT_TRUE(GameState::pictures[i]) << i;
  SplashScreen::swapPictures(1);
  EXPECT_TRUE(GameState::pictures[3]);
  for (int32_t i : {2, 4, 5, 6}) EXPECT_FALSE(GameState::pictures[i]) << i;
  const qel::lang::DObjectPtr planning = GameState::pictures[3];
  SplashScreen::swapPictures(1);
  EXPECT_EQ(GameState::pictures[3].get(), planning.get());
  SplashScreen::swapPictures(7);
  EXPECT_EQ(GameState::pictures[3].get(), planning.get());
  EXPECT_EQ(GameState::loadingPictures, 0);
}

// The sounds on the real players over the deterministic wave-out.
class SplashSoundTest : public SplashScreenTest {
protected:
  void SetUp() override {
    wce::installWaveOutDriver(driver_);
    qel::media::DManager::initSoundSystem();
    SplashScreenTest::SetUp();
    SplashScreen::loadSounds();
    GameState::sounds->setEnabled(true);
  }
  void TearDown() override {
    SplashScreenTest::TearDown();
    qel::media::DManager::releaseSoundSystem();
    wce::installWaveOutDriver(nullptr);
  }

  std::shared_ptr<wce::ManualWaveOutDriver> driver_ = std::make_shared<wce::ManualWaveOutDriver>();
  wce::ManualClock clock_{5000};
  wce::ScopedClockSource clockScope_{clock_};
};

TEST_F(SplashSoundTest, PauseRemembersTheFirstTuneThatPlaysAndStopsEverything) {
  ASSERT_TRUE(GameState::sounds->play(17, true, 0));
  ASSERT_TRUE(GameState::sounds->play(15, true, 0));
  ASSERT_TRUE(GameState::sounds->play(0, true, 0));
  StateMachine::enter(StateMachine::stateMapScreen);
  GameState::mapPainting = 1;
  SplashScreen::onPause();
  EXPECT_EQ(GameState::resumeSound, 15);
  EXPECT_EQ(GameState::mapPainting, 0);
  for (int32_t i : {0, 15, 17}) EXPECT_FALSE(GameState::sounds->isPlaying(i)) << i;
  SplashScreen::onPause();
  EXPECT_EQ(GameState::resumeSound, -1);
}

TEST_F(SplashSoundTest, PauseParksTheSelectionOnlyWhileALevelRuns) {
  const struct {
    uint8_t state, running, parkedAfter, selectedAfter;
  } cases[] = {
      {StateMachine::stateLevel, 1, 2, 255},
      {StateMachine::stateLevel, 0, 9, 2},
      {StateMachine::stateMapScreen, 1, 9, 2},
  };
  for (const auto& c : cases) {
    StateMachine::enter(c.state);
    nvtest::writable(GameState::skipWorldLogic) = c.running;
    GameState::selectionIndex = 2;
    GameState::parkedSelection = 9;
    GameState::pendingKey = '5';
    SplashScreen::onPause();
    EXPECT_EQ(GameState::parkedSelection, c.parkedAfter);
    EXPECT_EQ(GameState::selectionIndex, c.selectedAfter);
    EXPECT_EQ(GameState::pendingKey, c.running && c.state == StateMachine::stateLevel ? GameState::noKey : '5');
  }
  nvtest::writable(GameState::skipWorldLogic) = 0;
}

TEST_F(SplashSoundTest, ShutdownReleasesSoundsPicturesAndTheWidgetEngine) {
  ASSERT_TRUE(GameState::sounds->play(14, true, 0));
  guilib::GUIEngine::getInstance();
  GameState::rateImage = screen(4, 4);
  GameState::infoImage = screen(4, 4);
  StateMachine::enter(StateMachine::stateMapScreen);
  SplashScreen::shutdown();
  EXPECT_EQ(GameState::gameState, StateMachine::stateShutDown);
  EXPECT_EQ(GameState::savedGameState, StateMachine::stateMapScreen);
  EXPECT_FALSE(GameState::sounds);
  EXPECT_FALSE(GameState::rateImage);
  EXPECT_FALSE(GameState::infoImage);
  EXPECT_EQ(guilib::GUIEngine::existingInstance(), nullptr);
}

}  // namespace
}  // namespace nvx
