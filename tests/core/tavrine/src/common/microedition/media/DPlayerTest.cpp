#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <set>
#include <vector>

#include "io/DByteArrayInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayer.h"
#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOutStream.h"
#include "sound/SoundChannel.h"
#include "sound/SoundSystem.h"
#include "tests/sound/ModBuilder.h"

namespace qel::media {
namespace {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;

std::vector<uint8_t> wavFile() {
  std::ifstream in(std::string(NV_SOURCE_DIR) + "/tests/sound/data/pcm16_mono.wav", std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> modFile() {
  std::vector<int8_t> wave(256);
  for (size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<int8_t>((i % 32) * 8 - 128);
  return nv::sound::test::ModBuilder().sample(1, wave, 64, 0, 0, 128).orders({0}).cell(0, 0, 0, {1, 428, 0, 0}).build();
}

qel::io::DInputStreamPtr streamOf(const std::vector<uint8_t>& bytes) {
  qel::lang::DbyteArrayPtr array = new qel::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
  for (size_t i = 0; i < bytes.size(); ++i) array->at(static_cast<int32_t>(i)) = static_cast<int8_t>(bytes[i]);
  return qel::io::DInputStreamPtr(new qel::io::DByteArrayInputStream(array));
}

uint32_t expectCode(auto&& action) {
  try {
    action();
  } catch (DExceptionBase& e) {
    return e.code();
  }
  return 0;
}

// Manual wave-out that refuses the rates it is told to and notes every rate asked for.
class RefusingDriver final : public wce::WaveOutDriver {
public:
  uint32_t deviceCount() const override { return 1; }
  std::unique_ptr<wce::WaveOutPort> open(uint32_t deviceId, wce::WaveOutStream& stream) override {
    asked.push_back({stream.format().samplesPerSec, stream.format().channels});
    if (refused.count(stream.format().samplesPerSec)) return nullptr;
    return manual.open(deviceId, stream);
  }

  wce::ManualWaveOutDriver manual;
  std::set<uint32_t> refused;
  std::vector<std::pair<uint32_t, uint32_t>> asked;
};

class PlayerTest : public ::testing::Test {
protected:
  PlayerTest() : driver_(std::make_shared<RefusingDriver>()) { wce::installWaveOutDriver(driver_); }
  ~PlayerTest() override {
    DManager::releaseSoundSystem();
    wce::installWaveOutDriver(nullptr);
  }

  DPlayerPtr wavPlayer() { return DManager::createPlayer(streamOf(wavFile()), u"audio/x-wav"); }

  std::shared_ptr<RefusingDriver> driver_;
};

TEST_F(PlayerTest, PlayersByContentType) {
  EXPECT_EQ(expectCode([] { DManager::createPlayer(nullptr, u"audio/x-wav"); }), 0x05400000u);
  EXPECT_EQ(expectCode([] { DManager::createPlayer(streamOf({1}), nullptr); }), 0x04000010u);
  EXPECT_EQ(DManager::createPlayer(streamOf({1}), u"audio/midi"), nullptr);
  EXPECT_EQ(DManager::createPlayer(streamOf({1}), u"audio/X-WAV"), nullptr);
  DPlayerPtr wav = wavPlayer();
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->getContentType()->view(), u"audio/x-wav");
  EXPECT_EQ(wav->getState(), DPlayer::UNREALIZED);
  DPlayerPtr mod = DManager::createPlayer(streamOf(modFile()), u"audio/mod");
  EXPECT_EQ(mod->getContentType()->view(), u"audio/mod");
  for (const DPlayerPtr& player : {wav, mod}) EXPECT_EQ(player->getClassName(), "DObject");
  EXPECT_TRUE(DManager::isOpened());
  EXPECT_EQ(DManager::getMusicVolume(), 32);
  EXPECT_EQ(DManager::getSfxVolume(), 32);
  EXPECT_EQ(DManager::channelTable()->length(), 48);
}

TEST_F(PlayerTest, RefusedRateFallsBackAndNeverAsksForNoRate) {
  driver_->refused = {44100};
  EXPECT_TRUE(wavPlayer());
  EXPECT_FALSE(DManager::isOpened());
  // The fall-back keys are not set, so only the main rate reaches the device.
  EXPECT_EQ(driver_->asked, (std::vector<std::pair<uint32_t, uint32_t>>{{44100, 2}}));
  DPlayerPtr player = wavPlayer();
  EXPECT_EQ(player->start(), nullptr);
  driver_->refused.clear();
  DManager::initSoundSystem();
  EXPECT_TRUE(DManager::isOpened());
}

TEST_F(PlayerTest, StateMachine) {
  DPlayerPtr player = wavPlayer();
  player->realize();
  EXPECT_EQ(player->getState(), DPlayer::REALIZED);
  EXPECT_EQ(player->getSource()->getClassName(), "DObject");
  player->prefetch();
  EXPECT_EQ(player->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(player->getMediaTime(), -1);
  EXPECT_EQ(player->getVolume(), -1);
  DPlayerPtr started = player->start();
  EXPECT_EQ(started.get(), player.get());
  EXPECT_EQ(player->getState(), DPlayer::STARTED);
  EXPECT_TRUE(player->ownsChannel());
  EXPECT_EQ(DManager::channelTable()->at(player->getChannelHandle()).get(), player.get());
  player->setVolume(40);
  EXPECT_EQ(player->getVolume(), 40);
  player->setPan(500);
  EXPECT_EQ(player->getPan(), 127);
  player->setPan(-500);
  EXPECT_EQ(player->getPan(), -128);
  EXPECT_EQ(player->getDuration(), -1);
  player->stop();
  EXPECT_EQ(player->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(player->start().get(), player.get());
  EXPECT_EQ(player->setMediaTime(5), -1);
  EXPECT_EQ(player->setMediaTime(0), 0);
  EXPECT_EQ(player->getState(), DPlayer::STARTED);
  EXPECT_EQ(expectCode([&] { player->setLoopCount(0); }), 0x05400000u);
  player->setLoopCount(-1);
  EXPECT_TRUE(DManager::soundSystem()->getChannel(player->getChannelHandle())->isLooping());
  player->close();
  EXPECT_EQ(player->getState(), DPlayer::CLOSED);
  EXPECT_EQ(expectCode([&] { player->start(); }), 0x05000100u);
  EXPECT_EQ(expectCode([&] { player->realize(); }), 0x05000100u);
  EXPECT_EQ(expectCode([&] { player->prefetch(); }), 0x05000100u);
}

TEST_F(PlayerTest, DamagedDataCannotBeRealized) {
  DPlayerPtr player = DManager::createPlayer(streamOf({'R', 'I', 'F', 'F', 1, 2}), u"audio/x-wav");
  EXPECT_EQ(expectCode([&] { player->realize(); }), 0x04000010u);
  DPlayerPtr song = DManager::createPlayer(streamOf({1, 2, 3}), u"audio/mod");
  EXPECT_EQ(expectCode([&] { song->start(); }), 0x04000010u);
}

TEST_F(PlayerTest, StartingAPlayingSoundAgainPlaysItOnASecondChannel) {
  DPlayerPtr player = wavPlayer();
  player->setLoopCount(-1);
  ASSERT_EQ(player->start().get(), player.get());
  DPlayerPtr second = player->start();
  ASSERT_TRUE(second);
  EXPECT_NE(second.get(), player.get());
  EXPECT_NE(second->getChannelHandle(), player->getChannelHandle());
  EXPECT_EQ(second->getSource(), player->getSource());
  EXPECT_EQ(second->getLoopCount(), -1);
  EXPECT_EQ(player->getState(), DPlayer::STARTED);
}

TEST_F(PlayerTest, AFinishedSoundGivesItsChannelBack) {
  DPlayerPtr player = wavPlayer();
  player->start();
  const int handle = player->getChannelHandle();
  DManager::soundSystem()->getChannel(handle)->stop();
  EXPECT_FALSE(player->ownsChannel());
  EXPECT_EQ(player->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(player->getChannelHandle(), -1);
  EXPECT_EQ(DManager::channelTable()->at(handle), nullptr);
  EXPECT_EQ(player->start().get(), player.get());
  EXPECT_GE(player->getChannelHandle(), 0);
}

TEST_F(PlayerTest, StopPlayersOfSourceStopsOnlyTheSameSound) {
  DPlayerPtr first = wavPlayer();
  first->start();
  DPlayerPtr twin = first->start();
  DPlayerPtr other = wavPlayer();
  other->start();
  DPlayerPtr song = DManager::createPlayer(streamOf(modFile()), u"audio/mod");
  ASSERT_TRUE(song->start());
  EXPECT_GE(song->getChannelHandle(), 0);
  EXPECT_LT(song->getChannelHandle(), 16);
  DManager::stopPlayersOfSource(first);
  EXPECT_EQ(first->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(twin->getState(), DPlayer::PREFETCHED);
  EXPECT_EQ(first->getChannelHandle(), -1);
  EXPECT_TRUE(other->ownsChannel());
  EXPECT_TRUE(song->ownsChannel());
  EXPECT_EQ(song->getPan(), 0);
  DManager::stopAllSounds();
  EXPECT_FALSE(other->ownsChannel());
  EXPECT_FALSE(song->ownsChannel());
}

TEST(PlayerVolumeDeathTest, VolumesWithoutASoundSystemAreZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(DManager::getSfxVolume() == 0 && DManager::getMusicVolume() == 0 ? 0 : 1),
              ::testing::ExitedWithCode(0),
              "");
}

}  // namespace
}  // namespace qel::media
