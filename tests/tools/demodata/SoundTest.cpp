#include <gtest/gtest.h>

#include "TestSupport.h"
#include "nvx/src/state/TableData.h"

namespace nv::demodata::test {
namespace {

std::uint32_t le32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
int le16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
int be16(const Bytes& b, std::size_t at) { return (b[at] << 8) | b[at + 1]; }
std::string tag(const Bytes& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

TEST(Sounds, EveryListedSoundExistsOnceAtTheRootWithinTheBudget) {
  for (const char* name : nvx::tables::soundNames) {
    const ArchiveEntry* wav = DemoData::get().set.find(std::string("snd/") + name + ".wav");
    const ArchiveEntry* mod = DemoData::get().set.find(std::string("snd/") + name + ".mod");
    ASSERT_TRUE((wav == nullptr) != (mod == nullptr)) << name;
    EXPECT_LT((wav ? wav : mod)->data.size(), 512000u) << name;
  }
}

TEST(Sounds, WavesHaveFmtAtTwelveThenDataAndSoxReadsThem) {
  for (const auto& e : DemoData::get().set.entries()) {
    if (e.name.size() < 4 || e.name.substr(e.name.size() - 4) != ".wav") continue;
    const Bytes& b = e.data;
    ASSERT_GE(b.size(), 44u) << e.name;
    EXPECT_EQ(tag(b, 0), "RIFF");
    EXPECT_EQ(tag(b, 8), "WAVE");
    ASSERT_EQ(tag(b, 12), "fmt ") << e.name;
    const std::uint32_t fmtSize = le32(b, 16);
    EXPECT_EQ(fmtSize % 2, 0u);
    const int channels = le16(b, 22), bits = le16(b, 34);
    const std::uint32_t rate = le32(b, 24);
    EXPECT_EQ(le16(b, 20), 1) << "PCM";
    EXPECT_TRUE(channels == 1 || channels == 2);
    EXPECT_TRUE(bits == 8 || bits == 16);
    EXPECT_TRUE(rate >= 8000 && rate <= 48000);
    const std::size_t data = 20 + fmtSize;
    ASSERT_EQ(tag(b, data), "data") << e.name;
    EXPECT_LE(data + 8 + le32(b, data + 4), b.size());
    EXPECT_EQ(run("sox --i " + shellQuoted(DemoData::get().unpacked / e.name) + " >/dev/null 2>&1"), 0) << e.name;
  }
}

TEST(Sounds, ModulesAreCompleteFourChannelMksThatOpenmptLoads) {
  for (const auto& e : DemoData::get().set.entries()) {
    if (e.name.size() < 4 || e.name.substr(e.name.size() - 4) != ".mod") continue;
    const Bytes& b = e.data;
    ASSERT_GE(b.size(), 1084u) << e.name;
    EXPECT_EQ(tag(b, 1080), "M.K.");
    const int songLength = b[950];
    ASSERT_GE(songLength, 1);
    int highest = 0;
    for (int i = 0; i < songLength; ++i) highest = std::max<int>(highest, b[952 + i]);
    for (int i = songLength; i < 128; ++i) EXPECT_LE(b[952 + i], highest) << e.name;
    std::size_t sampleBytes = 0;
    for (int s = 0; s < 31; ++s) {
      const std::size_t header = 20 + 30 * s;
      sampleBytes += 2u * be16(b, header + 22);
      EXPECT_LE(b[header + 24], 15) << "finetune";
      EXPECT_LE(b[header + 25], 64) << "volume";
      EXPECT_LE(be16(b, header + 26) + be16(b, header + 28), std::max(be16(b, header + 22), 1)) << "loop inside";
    }
    EXPECT_EQ(b.size(), 1084u + 1024u * (highest + 1) + sampleBytes) << e.name;
    std::string out;
    EXPECT_EQ(run("openmpt123 --info " + shellQuoted(DemoData::get().unpacked / e.name) + " 2>&1", &out), 0) << out;
    EXPECT_NE(out.find("Channels...: 4"), std::string::npos) << out;
    EXPECT_EQ(run("xmp --load-only " + shellQuoted(DemoData::get().unpacked / e.name) + " >/dev/null 2>&1"), 0)
        << e.name;
  }
}

// RMS level in dB of a sound file as sox measures it.
double rmsDb(const std::filesystem::path& file) {
  std::string out;
  EXPECT_EQ(run("sox " + shellQuoted(file) + " -n stats 2>&1", &out), 0) << out;
  const auto at = out.find("RMS lev dB");
  if (at == std::string::npos) return 0;
  return std::stod(out.substr(at + 10));
}

TEST(Sounds, EffectsAreLevelledAgainstTheMusicOpenmptRenders) {
  const nvtest::TempFolder folder("nv-demodata");
  double music = -100;
  for (const char* name : {"menu", "plan", "rob"}) {
    const auto mod = folder / (std::string(name) + ".mod");
    std::filesystem::copy_file(DemoData::get().unpacked / "snd" / (std::string(name) + ".mod"), mod);
    ASSERT_EQ(run("openmpt123 --quiet --render " + shellQuoted(mod) + " >/dev/null 2>&1"), 0) << name;
    music = std::max(music, rmsDb(mod.string() + ".wav"));
  }
  for (const auto& e : DemoData::get().set.entries()) {
    if (e.name.size() > 4 && e.name.substr(e.name.size() - 4) == ".wav") {
      EXPECT_LE(rmsDb(DemoData::get().unpacked / e.name), music + 1.5) << e.name;
    }
  }
}

TEST(Sounds, TheLoopingAlarmStartsSilentAndRunsOnIntoItsStart) {
  const Bytes& b = DemoData::get().entry("snd/alarm.wav");
  ASSERT_EQ(tag(b, 36), "data");
  const std::vector<int> s(b.begin() + 44, b.begin() + 44 + le32(b, 40));
  ASSERT_GT(s.size(), 2u);
  int largestStep = 0;
  for (std::size_t i = 1; i < s.size(); ++i) largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
  EXPECT_EQ(s.front(), 128);
  EXPECT_LE(std::abs(s.front() - s.back()), largestStep);
}

}  // namespace
}  // namespace nv::demodata::test
