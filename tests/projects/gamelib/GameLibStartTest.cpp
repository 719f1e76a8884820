#include <gtest/gtest.h>

#include "GameFolder.h"
#include "HostDouble.h"
#include "TestPng.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ImageManager.h"
#include "gamelib/LangInfo.h"
#include "gamelib/PlayerInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringManager.h"
#include "io/DByteArrayInputStream.h"
#include "lang/DObjectArray.h"
#include "lang/DbyteArray.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/media/DPlayer.h"
#include "tests/support/Writable.h"

using gamelib::GameLib;
using gamelib::ScreenCanvas;

namespace {

std::string resDat() {
  DataBytes data;
  for (int b : {1, 2, 30, 4, 5, 6, 7, 8, 9}) data.byte(b);
  data.byte(1).byte(2).s32(100000).s32(-7);  // map places
  data.byte(0);                              // map points
  data.byte(45);                             // sprites 0..44: row r is (r, 0, 0, r, ...)
  for (int row = 0; row < 45; ++row) data.byte(4).s16(row).s16(0).s16(row * 2).s16(row);
  data.byte(1).byte(3).s16(-1).s16(2).s16(3);  // short row 0
  return data;
}

class GameLibStartTest : public ::testing::Test {
protected:
  void SetUp() override { host.clock.setAutoAdvance(1); }
  void TearDown() override { gamelib::GameLib::setSearchPath(nullptr); }

  GameFolder folder;
  HostDouble host;
};

TEST_F(GameLibStartTest, SupportedResolutionShowsTheLogosThenMakesTheGame) {
  folder.addEntry("240x320.dat", "PATH=hi\n");
  folder.addEntry("hi/logo1.png", solidPng(20, 10, 0xFF0000));
  folder.addEntry("hi/logo_partner.png", solidPng(20, 10, 0x00FF00));
  folder.addEntry("hi/res.dat", resDat());
  folder.writeArchive();
  const uint64_t start = host.clock.peekMillis();
  host.app->startApp();

  EXPECT_EQ(host.app->getState(), qel::midlet::DMIDlet::StateRunning);
  EXPECT_GE(host.clock.peekMillis() - start, 3000u);
  EXPECT_EQ(host.backend.pixel(120, 160), 0x00FF00u);  // the partner logo, centred
  EXPECT_EQ(host.backend.pixel(120, 100), 0xFFFFFFu);
  EXPECT_EQ(RecordingGame::calls, (std::vector<std::string>{"initStatics", "init"}));
  ASSERT_NE(RecordingGame::tables, nullptr);
  EXPECT_EQ(RecordingGame::tables->layoutBytes[2], 30);
  EXPECT_EQ(RecordingGame::tables->mapPlaces->at(0)->at(1), -7);
  EXPECT_EQ(RecordingGame::tables->shortRows->at(0)->length(), 3);
  EXPECT_EQ(RecordingGame::derived[0], (9 - 38 + 1) >> 1);
  EXPECT_EQ(RecordingGame::derived[1], 11);
  EXPECT_EQ(RecordingGame::derived[2], 88);
  EXPECT_FALSE(GameLib::pausedOnce);
  EXPECT_EQ(GameLib::scheduleTime, static_cast<int64_t>(host.clock.peekMillis()) - 1);
}

TEST_F(GameLibStartTest, UnsupportedResolutionShowsItsScreenThenEnds) {
  folder.addEntry("320x240.dat", "PATH=hi\n");
  folder.writeArchive();
  const uint64_t start = host.clock.peekMillis();
  host.app->startApp();

  EXPECT_EQ(host.app->getState(), qel::midlet::DMIDlet::StateDestroyed);
  EXPECT_GE(host.clock.peekMillis() - start, 2000u);
  EXPECT_TRUE(RecordingGame::calls.empty());
  int dark = 0;
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 240; ++x) dark += host.backend.pixel(x, y) == 0 ? 1 : 0;
  EXPECT_GT(dark, 50);  // the three lines of text on white
  EXPECT_EQ(host.backend.pixel(0, 0), 0xFFFFFFu);
}

TEST_F(GameLibStartTest, MissingArchiveEndsAtOnce) {
  host.app->startApp();
  EXPECT_EQ(host.app->getState(), qel::midlet::DMIDlet::StateDestroyed);
  EXPECT_EQ(ScreenCanvas::current(), nullptr);
  EXPECT_EQ(host.backend.presents, 0);
}

TEST(AppPropertyTest, AnswersNameAndFullScreenOnly) {
  HostDouble host;
  EXPECT_EQ(host.app->getClassName(), "DObject");
  EXPECT_EQ(text(host.app->getAppProperty(u"app.name")), "NVX");
  EXPECT_EQ(text(host.app->getAppProperty(u"start_fullscreen")), "true");
  EXPECT_EQ(host.app->getAppProperty(u"screen.scale2x"), nullptr);
  EXPECT_EQ(text(GameLib::getVersion()), "v1.1");
}

TEST(ClassNameTest, GameLibraryObjectsAnswerTheBaseClassName) {
  const qel::lang::DObjectPtr objects[] = {
      new gamelib::StringManager(),
      new gamelib::ImageFont(),
      new gamelib::LangInfo(),
      new gamelib::PlayerInfo(0, 0),
      new gamelib::ImageManager(),
      new gamelib::GameImage(nullptr, 0, 0, 1, 1),
      new gamelib::Animation(),
      new gamelib::SoundManager(),
  };
  for (const qel::lang::DObjectPtr& object : objects) EXPECT_EQ(object->getClassName(), "DObject");
}

TEST(ResTablesTest, ShortNegativeAndOversizedDataKeepWhatWasRead) {
  auto fresh = [] {
    auto tables = std::make_unique<gamelib::ResTables>();
    tables->mapPlaces = new qel::lang::DintArray2d(9);
    for (int i = 0; i < 9; ++i) tables->mapPlaces->at(i) = new qel::lang::DintArray(3);
    tables->mapPoints = new qel::lang::DshortArray2d(5, 2);
    tables->spriteTable = new qel::lang::DshortArray2d(53, 6);
    tables->shortRows = new qel::lang::DshortArray2d(7);
    return tables;
  };
  auto readBytes = [](gamelib::ResTables& tables, const std::string& bytes) {
    auto array = qel::lang::DbyteArrayPtr(new qel::lang::DbyteArray(static_cast<int32_t>(bytes.size())));
    for (size_t i = 0; i < bytes.size(); ++i) array->at(static_cast<int32_t>(i)) = static_cast<int8_t>(bytes[i]);
    tables.read(new qel::io::DByteArrayInputStream(array));
  };
  {
    auto tables = fresh();
    readBytes(*tables, std::string(DataBytes().byte(1).byte(2).byte(3)));
    EXPECT_EQ(tables->layoutBytes[1], 2);
    EXPECT_EQ(tables->layoutBytes[3], 0);
  }
  {
    auto tables = fresh();
    DataBytes data;
    for (int i = 0; i < 9; ++i) data.byte(0xF0);
    data.byte(0x80).byte(1).byte(1).s16(77);  // negative count: no map places; then points
    readBytes(*tables, data);
    EXPECT_EQ(tables->layoutBytes[0], -16);
    EXPECT_EQ(tables->mapPlaces->at(0)->at(0), 0);
    EXPECT_EQ(tables->mapPoints->at(0)->at(0), 77);
  }
  {
    auto tables = fresh();
    DataBytes data;
    for (int i = 0; i < 9; ++i) data.byte(0);
    data.byte(1).byte(4).s32(1).s32(2).s32(3).s32(4).byte(0).byte(0).byte(0);
    readBytes(*tables, data);  // a fourth column beyond the row
    EXPECT_EQ(tables->mapPlaces->at(0)->at(2), 3);
    EXPECT_EQ(tables->shortRows->at(0), nullptr);
  }
  gamelib::ResTables none;
  none.read(nullptr);
  EXPECT_EQ(none.layoutBytes[0], 0);
}

}  // namespace
