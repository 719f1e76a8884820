#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nv::sound::test {

// Writes a MOD file byte by byte: header, sample headers, order table, patterns, samples.
class ModBuilder {
public:
  struct Cell {
    int sample = 0;
    int period = 0;
    int effect = 0;
    int parameter = 0;
  };

  explicit ModBuilder(int channels = 4, std::string signature = "M.K.")
      : channels_(channels), signature_(std::move(signature)) {}

  // Sample 1..31 with signed 8-bit data.
  ModBuilder& sample(int number, std::vector<int8_t> data, int volume = 64, int finetune = 0, int loopStartWords = 0,
                     int loopLengthWords = 0) {
    Sample& s = samples_[number - 1];
    s.data = std::move(data);
    s.volume = volume;
    s.finetune = finetune;
    s.loopStart = loopStartWords;
    s.loopLength = loopLengthWords;
    return *this;
  }
  ModBuilder& orders(std::vector<int> orders) {
    orders_ = std::move(orders);
    return *this;
  }
  ModBuilder& restart(int restart) {
    restart_ = restart;
    return *this;
  }
  ModBuilder& cell(int pattern, int row, int channel, Cell cell) {
    if (static_cast<int>(patterns_.size()) <= pattern) {
      patterns_.resize(pattern + 1, std::vector<Cell>(64 * channels_));
    }
    patterns_[pattern][row * channels_ + channel] = cell;
    return *this;
  }
  ModBuilder& songLengthByte(int value) {
    songLengthByte_ = value;
    return *this;
  }

  std::vector<uint8_t> build() const {
    std::vector<uint8_t> out(1084, 0);
    for (int i = 0; i < 31; ++i) {
      const Sample& s = samples_[i];
      size_t h = 20 + 30 * i;
      put16(out, h + 22, static_cast<int>(s.data.size() / 2));
      out[h + 24] = static_cast<uint8_t>(s.finetune);
      out[h + 25] = static_cast<uint8_t>(s.volume);
      put16(out, h + 26, s.loopStart);
      put16(out, h + 28, s.loopLength);
    }
    int songLength = static_cast<int>(orders_.size());
    out[950] = static_cast<uint8_t>(songLengthByte_ >= 0 ? songLengthByte_ : songLength);
    out[951] = static_cast<uint8_t>(restart_);
    int maxPattern = 0;
    for (size_t i = 0; i < orders_.size(); ++i) {
      out[952 + i] = static_cast<uint8_t>(orders_[i]);
      maxPattern = std::max(maxPattern, orders_[i]);
    }
    for (int i = 0; i < 4; ++i) {
      out[1080 + i] = static_cast<uint8_t>(signature_[i]);
    }
    for (int p = 0; p <= maxPattern; ++p) {
      for (int i = 0; i < 64 * channels_; ++i) {
        Cell c = p < static_cast<int>(patterns_.size()) ? patterns_[p][i] : Cell{};
        out.push_back(static_cast<uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F)));
        out.push_back(static_cast<uint8_t>(c.period & 0xFF));
        out.push_back(static_cast<uint8_t>(((c.sample & 0x0F) << 4) | (c.effect & 0x0F)));
        out.push_back(static_cast<uint8_t>(c.parameter));
      }
    }
    for (const Sample& s : samples_) {
      for (int8_t b : s.data) {
        out.push_back(static_cast<uint8_t>(b));
      }
    }
    return out;
  }

private:
  struct Sample {
    std::vector<int8_t> data;
    int volume = 0;
    int finetune = 0;
    int loopStart = 0;
    int loopLength = 0;
  };

  static void put16(std::vector<uint8_t>& out, size_t at, int value) {
    out[at] = static_cast<uint8_t>(value >> 8);
    out[at + 1] = static_cast<uint8_t>(value & 0xFF);
  }

  int channels_;
  std::string signature_;
  Sample samples_[31];
  std::vector<int> orders_{0};
  int restart_ = 0;
  int songLengthByte_ = -1;
  std::vector<std::vector<Cell>> patterns_;
};

}  // namespace nv::sound::test
