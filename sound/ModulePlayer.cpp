#include "sound/ModulePlayer.h"

#include <algorithm>
#include <type_traits>

#include "sound/PeriodTables.h"
#include "sound/SoundSystem.h"

namespace nv::sound {

namespace {

enum Effect : uint32_t {
  kArpeggio = 0,
  kSlideUp = 1,
  kSlideDown = 2,
  kTonePortamento = 3,
  kVibrato = 4,
  kPortamentoVolumeSlide = 5,
  kVibratoVolumeSlide = 6,
  kSampleOffset = 9,
  kVolumeSlide = 10,
  kPositionJump = 11,
  kSetVolume = 12,
  kPatternBreak = 13,
  kExtended = 14,
  kSetSpeed = 15,
};

enum Extended : uint32_t {
  kPatternLoop = 6,
  kFineVolumeUp = 10,
  kFineVolumeDown = 11,
  kNoteCut = 12,
  kNoteDelay = 13,
  kPatternDelay = 14,
};

constexpr uint32_t kRows = 64;
constexpr uint32_t kSpeedLimit = 32;
constexpr uint32_t kLoopRunning = 0xF0;

}  // namespace

ModulePlayer::ModulePlayer(SoundSystem* owner) : SoundChannel(owner) {}

void ModulePlayer::setVolume(int volume) {
  Lock guard(*this);
  volume_ = static_cast<uint32_t>(volume) > 64 ? 64 : static_cast<uint32_t>(volume);
  mixVolume_ = owner_->getMusicVolume() * volume_ >> 6;
  for (Track& track : tracks_) {
    track.mixVolume = static_cast<uint32_t>(track.volume) * mixVolume_ >> 6;
  }
}

void ModulePlayer::setPanning(int panning) {
  Lock guard(*this);
  panning_ = (panning < 0 || panning > 255) ? 255 : static_cast<uint32_t>(panning);
  uint32_t d = (255 - panning_) >> 2;
  for (uint32_t c = 0; c < channels_; ++c) {
    tracks_[c].pan = (c % 2 == 0) ? 64 + d : 192 - d;
  }
}

int ModulePlayer::getPosition() {
  Lock guard(*this);
  if (channels_ == 0) {
    return 0;
  }
  return static_cast<int>(currentPattern_ * kRows + rowOffset_ / channels_);
}

void ModulePlayer::setPosition(int position) {
  if (position < 0) {
    return;
  }
  Lock guard(*this);
  uint32_t order = static_cast<uint32_t>(position) >> 6;
  if (module_ == nullptr || order + 1 > songLength_) {
    return;
  }
  orderPosition_ = order;
  currentPattern_ = module_->order(static_cast<int>(order));
  rowOffset_ = (static_cast<uint32_t>(position) & 63) * channels_;
}

int ModulePlayer::getLength() {
  Lock guard(*this);
  return static_cast<int>(songLength_ << 6);
}

void ModulePlayer::startSong(const SoundModule& module, const PeriodTables& tables, uint32_t outputRate) {
  module_ = &module;
  tables_ = &tables;
  outputRate_ = outputRate;
  data_ = module.bytes();
  patternData_ = module.patternData();
  channels_ = static_cast<uint32_t>(module.channelCount());
  songLength_ = static_cast<uint32_t>(module.songLength());

  samples_[0] = Sample{};
  for (int s = 1; s <= SoundModule::kSamples; ++s) {
    SoundModule::SampleInfo info = module.sample(s);
    Sample& sample = samples_[s];
    sample.data = info.data;
    sample.length = info.length << 12;
    sample.loopStart = info.loopStart << 12;
    sample.loopLength = info.loopLength << 12;
    sample.volume = info.volume;
    sample.finetune = info.finetune;
  }

  sourceRate_ = module.rate();
  playbackRate_ = module.tempoRate();
  furtherWord_ = module.furtherWord();
  ticksPerSecond_ = kStartTicksPerSecond;
  rateChanged_ = true;
  sampleCounter_ = 0;
  speed_ = kStartSpeed;
  tick_ = kStartSpeed;
  orderPosition_ = 0;
  currentPattern_ = module.order(0);
  rowOffset_ = 0;
  uint32_t restart = module.restartByte();
  restartPosition_ = (restart == 127 || restart >= songLength_) ? 0 : restart;
  jumpOrder_ = kNone;
  jumpRow_ = kNone;
  patternDelay_ = 0;
  setPanning(static_cast<int>(module.separation()));
  for (uint32_t c = 0; c < channels_; ++c) {
    Track& track = tracks_[c];
    track.sample = 0;
    track.period = 0;
    track.position = 0;
    track.offsetMemory = 0;
    track.loopCounter = 0;
    track.loopStart = 0;
  }
  loop_ = module.loop();
  setVolume(static_cast<int>(module.volume()));
}

void ModulePlayer::computeSamplesPerTick() {
  int64_t tempo = (static_cast<int64_t>(playbackRate_) << 8) / kOwnTempo;
  if (tempo == 0) {
    tempo = 256;
  }
  int64_t divisor = tempo * ticksPerSecond_;
  samplesPerTick_ = static_cast<uint32_t>(((static_cast<int64_t>(outputRate_) << 16) / divisor) >> 8);
}

void ModulePlayer::advanceFrame() {
  if (rateChanged_) {
    computeSamplesPerTick();
    rateChanged_ = false;
  }
  if (tick_ != speed_) {
    if (sampleCounter_ < samplesPerTick_) {
      ++sampleCounter_;
      return;
    }
    ++tick_;
    sampleCounter_ = 0;
    if (tick_ == speed_) {
      return;
    }
    for (uint32_t c = 0; c < channels_; ++c) {
      tickEffects(tracks_[c]);
    }
    return;
  }
  if (patternDelay_ != 0) {
    --patternDelay_;
    tick_ = 0;
    return;
  }
  playRow();
  advanceRow();
  tick_ = 0;
}

uint32_t ModulePlayer::finetunedPeriod(uint32_t cellPeriod, const Track& track) const {
  uint32_t index = tables_->note(static_cast<int>(cellPeriod)) + PeriodTables::kNotes * samples_[track.sample].finetune;
  return PeriodTables::periods()[index];
}

void ModulePlayer::trigger(Track& track, uint32_t period) {
  track.position = 0;
  track.noteIndex = tables_->note(static_cast<int>(period)) + PeriodTables::kNotes * samples_[track.sample].finetune;
  track.period = PeriodTables::periods()[track.noteIndex];
}

void ModulePlayer::setTrackVolume(Track& track, int32_t volume) {
  track.volume = std::clamp(volume, 0, 64);
  track.mixVolume = static_cast<uint32_t>(track.volume) * mixVolume_ >> 6;
}

void ModulePlayer::jump(uint32_t order, uint32_t rowOffset) {
  jumpOrder_ = order;
  jumpRow_ = rowOffset;
}

void ModulePlayer::playRow() {
  const uint8_t* row = patternData_ + (static_cast<size_t>(currentPattern_) * channels_ * kRows + rowOffset_) * 4;
  for (uint32_t c = 0; c < channels_; ++c) {
    playCell(tracks_[c], row + 4 * c);
  }
}

void ModulePlayer::playCell(Track& track, const uint8_t* cell) {
  uint32_t sampleNumber = (cell[0] & 0xF0u) | (cell[2] >> 4);
  if (sampleNumber > SoundModule::kSamples) {
    sampleNumber = 0;
  }
  const uint32_t period = ((cell[0] & 0x0Fu) << 8) | cell[1];
  track.effect = cell[2] & 0x0Fu;
  track.parameter = cell[3];
  track.x = cell[3] >> 4;
  track.y = cell[3] & 0x0Fu;
  const uint32_t x = track.x;
  const uint32_t y = track.y;

  if (sampleNumber != 0) {
    track.sample = sampleNumber;
    setTrackVolume(track, static_cast<int32_t>(samples_[sampleNumber].volume));
  }
  const bool noteDelay = track.effect == kExtended && x == kNoteDelay;
  if (period != 0 && track.effect != kTonePortamento && track.effect != kPortamentoVolumeSlide && !noteDelay) {
    trigger(track, period);
  }
  if (track.sample != 0) {
    track.step = tables_->step(static_cast<int>(track.period));
  }

  switch (track.effect) {
    case kArpeggio:
      if (track.parameter != 0) {
        // Notes past the last row's end take its last period.
        const auto& periods = PeriodTables::periods();
        const auto arpeggioStep = [&](uint32_t offset) {
          return tables_->step(periods[std::min<size_t>(track.noteIndex + offset, periods.size() - 1)]);
        };
        track.arpeggioSteps = {track.step, arpeggioStep(x), arpeggioStep(y)};
        track.arpeggioIndex = 0;
      }
      break;
    case kSlideUp:
    case kSlideDown: track.slidePeriod = static_cast<int32_t>(track.period); break;
    case kTonePortamento:
    case kPortamentoVolumeSlide:
    case kVibratoVolumeSlide:
    case kVolumeSlide:
      if (track.effect == kTonePortamento) {
        if (period != 0) {
          track.portaTarget = finetunedPeriod(period, track);
        } else if (track.portaTarget == 0) {
          track.portaTarget = PeriodTables::periods()[track.noteIndex];
        }
        if (track.parameter != 0) {
          track.portaSpeed = track.parameter;
        }
      } else {
        track.slideAmount = track.parameter == 0 ? 0 : (x != 0 ? static_cast<int32_t>(x) : -static_cast<int32_t>(y));
      }
      break;
    case kVibrato:
      if (track.parameter != 0) {
        track.vibratoPosition = 0;
        track.vibratoSpeed = x;
        track.vibratoDepth = y;
      }
      break;
    case kSampleOffset:
      if (track.parameter != 0) {
        track.offsetMemory = (track.parameter * 256) << 12;
      }
      track.position = track.offsetMemory;
      break;
    case kPositionJump:
      if (loop_ || track.parameter > orderPosition_) {
        jump(track.parameter, 0);
      } else {
        jumpOrder_ = songLength_;
      }
      break;
    case kSetVolume:
      // Taken as it is, up to 255: the mix multiplies by it and indexes nothing.
      track.volume = static_cast<int32_t>(track.parameter);
      track.mixVolume = static_cast<uint32_t>(track.volume) * mixVolume_ >> 6;
      break;
    case kPatternBreak: {
      uint32_t breakRow = x * 10 + y;
      if (breakRow >= kRows) {
        breakRow = 0;
      }
      if (orderPosition_ + 1 < songLength_) {
        jump(orderPosition_ + 1, breakRow * channels_);
      } else if (loop_) {
        jump(restartPosition_, breakRow * channels_);
      } else {
        jumpOrder_ = songLength_;
      }
      break;
    }
    case kExtended:
      switch (x) {
        case kPatternLoop: patternLoop(track); break;
        case kFineVolumeUp: setTrackVolume(track, track.volume + static_cast<int32_t>(y)); break;
        case kFineVolumeDown: setTrackVolume(track, track.volume - static_cast<int32_t>(y)); break;
        case kNoteCut: track.cutCounter = y; break;
        case kNoteDelay:
          track.delayCounter = static_cast<int32_t>(y) - 1;
          track.delayedPeriod = period;
          break;
        case kPatternDelay: patternDelay_ = y; break;
        default: break;
      }
      break;
    case kSetSpeed:
      if (track.parameter > kSpeedLimit) {
        ticksPerSecond_ = track.parameter * 2 / 5;
        computeSamplesPerTick();
      } else if (track.parameter != 0) {
        speed_ = track.parameter;
      }
      break;
    default: break;
  }
}

void ModulePlayer::patternLoop(Track& track) {
  if (track.y == 0) {
    if ((track.loopCounter & kLoopRunning) == 0) {
      track.loopStart = rowOffset_;
    }
    return;
  }
  if ((track.loopCounter & kLoopRunning) != 0) {
    uint32_t count = track.loopCounter & 0x0F;
    if (count == 1) {
      track.loopCounter = 0;
      return;
    }
    track.loopCounter = static_cast<uint8_t>(kLoopRunning | (count - 1));
  } else {
    track.loopCounter = static_cast<uint8_t>(kLoopRunning | track.y);
  }
  jump(orderPosition_, track.loopStart);
}

void ModulePlayer::advanceRow() {
  if (jumpOrder_ == kNone) {
    rowOffset_ += channels_;
    if (rowOffset_ < kRows * channels_) {
      return;
    }
    rowOffset_ = 0;
    ++orderPosition_;
    if (orderPosition_ < songLength_) {
      currentPattern_ = module_->order(static_cast<int>(orderPosition_));
    } else if (loop_) {
      orderPosition_ = restartPosition_;
      currentPattern_ = module_->order(static_cast<int>(restartPosition_));
    } else {
      stopLocked();
    }
    return;
  }
  if (jumpOrder_ < songLength_) {
    orderPosition_ = jumpOrder_;
    currentPattern_ = module_->order(static_cast<int>(jumpOrder_));
    rowOffset_ = jumpRow_;
    jumpOrder_ = kNone;
    jumpRow_ = kNone;
  } else {
    stopLocked();
  }
}

void ModulePlayer::slideVolume(Track& track) {
  int32_t volume = track.volume + track.slideAmount;
  if (volume < 0) {
    track.volume = 0;
    track.mixVolume = 0;
  } else {
    setTrackVolume(track, volume);
  }
}

void ModulePlayer::tickEffects(Track& track) {
  const int32_t parameter = static_cast<int32_t>(track.parameter);
  switch (track.effect) {
    case kArpeggio:
      if (parameter != 0) {
        track.arpeggioIndex = (track.arpeggioIndex + 1) % 3;
        track.step = track.arpeggioSteps[track.arpeggioIndex];
      }
      break;
    case kSlideUp:
      track.slidePeriod = std::max(track.slidePeriod - parameter, PeriodTables::kSlideMin);
      track.period = static_cast<uint32_t>(track.slidePeriod);
      track.step = tables_->step(track.slidePeriod);
      break;
    case kSlideDown:
      track.slidePeriod = std::min(track.slidePeriod + parameter, PeriodTables::kSlideMax);
      track.period = static_cast<uint32_t>(track.slidePeriod);
      track.step = tables_->step(track.slidePeriod);
      break;
    case kTonePortamento:
    case kPortamentoVolumeSlide:
      if (track.portaTarget != 0) {
        if (track.period > track.portaTarget) {
          track.period = track.period - std::min(track.portaSpeed, track.period - track.portaTarget);
        } else if (track.period < track.portaTarget) {
          track.period = std::min(track.period + track.portaSpeed, track.portaTarget);
        }
        track.step = tables_->step(static_cast<int>(track.period));
      }
      if (track.effect == kPortamentoVolumeSlide) {
        slideVolume(track);
      }
      break;
    case kVibrato:
    case kVibratoVolumeSlide: {
      int32_t d = PeriodTables::vibrato()[track.vibratoPosition % 32] * static_cast<int32_t>(track.vibratoDepth) >> 7;
      int32_t period = static_cast<int32_t>(track.period) + (track.vibratoPosition < 32 ? d : -d);
      track.step = tables_->step(std::max(period, 1));
      track.vibratoPosition += track.vibratoSpeed;
      if (track.vibratoPosition >= 64) {
        track.vibratoPosition -= 64;
      }
      if (track.effect == kVibratoVolumeSlide) {
        slideVolume(track);
      }
      break;
    }
    case kVolumeSlide: slideVolume(track); break;
    case kExtended:
      if (track.x == kNoteCut) {
        if (track.cutCounter != 0) {
          --track.cutCounter;
        }
        if (track.cutCounter == 0) {
          track.mixVolume = 0;
        }
      } else if (track.x == kNoteDelay) {
        if (track.delayCounter == -1) {
          track.delayCounter = kDelayNone;
          // The delayed note starts as a row's note would.
          if (track.delayedPeriod != 0) {
            trigger(track, track.delayedPeriod);
            track.step = tables_->step(static_cast<int>(track.period));
          }
        } else if (track.delayCounter != kDelayNone) {
          --track.delayCounter;
        }
      }
      break;
    default: break;
  }
}

namespace {

// A sounding track for one run: its sample, where it plays and how loud.
struct Voice {
  const int8_t* data;
  uint32_t* position;
  uint32_t step;
  int32_t leftVolume;  // the mono volume with mono output
  int32_t rightVolume;
};

// Adds up to four voices into the output over count frames: each output frame
// is loaded and stored once for the group, not once for each voice.
template <int kVoices, bool kStereoOut>
void mixVoices(const Voice* voices, uint32_t count, int32_t* left, int32_t* right) {
  const int8_t* data[kVoices];
  uint32_t position[kVoices];
  uint32_t step[kVoices];
  // With stereo output both volumes make one factor, the right one 32 bits
  // up: one multiply a voice adds to both sums; the low 32 bits of the total
  // are the left sum, the rest (less the left's borrow) the right one.
  using Volume = std::conditional_t<kStereoOut, int64_t, int32_t>;
  Volume volume[kVoices];
  for (int k = 0; k < kVoices; ++k) {
    data[k] = voices[k].data;
    position[k] = *voices[k].position;
    step[k] = voices[k].step;
    volume[k] = kStereoOut ? Volume{voices[k].rightVolume} * (int64_t{1} << 32) + voices[k].leftVolume
                           : Volume{voices[k].leftVolume};
  }
  for (uint32_t i = 0; i < count; ++i) {
    Volume sum = 0;
    for (int k = 0; k < kVoices; ++k) {
      sum += volume[k] * data[k][position[k] >> 12];
      position[k] += step[k];
    }
    const auto l = static_cast<int32_t>(static_cast<uint32_t>(sum));
    left[i] += l;
    if constexpr (kStereoOut) right[i] += static_cast<int32_t>((sum - l) >> 32);
  }
  for (int k = 0; k < kVoices; ++k) *voices[k].position = position[k];
}

template <bool kStereoOut>
void mixVoiceGroups(const Voice* voices, uint32_t voiceCount, uint32_t count, int32_t* left, int32_t* right) {
  for (uint32_t k = 0; k < voiceCount; k += 4) {
    switch (std::min(voiceCount - k, 4u)) {
      case 1: mixVoices<1, kStereoOut>(voices + k, count, left, right); break;
      case 2: mixVoices<2, kStereoOut>(voices + k, count, left, right); break;
      case 3: mixVoices<3, kStereoOut>(voices + k, count, left, right); break;
      default: mixVoices<4, kStereoOut>(voices + k, count, left, right); break;
    }
  }
}

}  // namespace

// The sounding tracks are mixed together in runs that end where any of them
// reaches its loop end or its sample's end; a track past its sample's end is
// silent for the rest of the call.
void ModulePlayer::mixTracks(int32_t* left, int32_t* right, uint32_t frames, bool stereoOut) {
  std::array<Voice, kMaxChannels> voices;
  uint32_t i = 0;
  while (i < frames) {
    uint32_t voiceCount = 0;
    uint32_t count = frames - i;
    for (uint32_t c = 0; c < channels_; ++c) {
      Track& track = tracks_[c];
      const Sample& sample = samples_[track.sample];
      if (sample.data == nullptr) {
        continue;
      }
      const uint32_t loopEnd = sample.loopStart + sample.loopLength;
      if (sample.loopLength != 0 && track.position >= loopEnd) {
        track.position = sample.loopStart + (track.position - sample.loopStart) % sample.loopLength;
      }
      if (track.position >= sample.length) {
        continue;
      }
      // Frames until the position reaches the loop end or the sample end.
      const uint32_t limit = sample.loopLength != 0 ? loopEnd : sample.length;
      if (track.step != 0) {
        const uint64_t toLimit = (static_cast<uint64_t>(limit - track.position) + track.step - 1) / track.step;
        count = static_cast<uint32_t>(std::min<uint64_t>(toLimit, count));
      }
      const int32_t v = static_cast<int32_t>(track.mixVolume);
      const int32_t r = v * static_cast<int32_t>(track.pan) >> 8;
      voices[voiceCount++] = stereoOut ? Voice{sample.data, &track.position, track.step, (v - r) * 2, r * 2}
                                       : Voice{sample.data, &track.position, track.step, v, 0};
    }
    if (voiceCount == 0) {
      return;
    }
    if (stereoOut) {
      mixVoiceGroups<true>(voices.data(), voiceCount, count, left + i, right + i);
    } else {
      mixVoiceGroups<false>(voices.data(), voiceCount, count, left + i, right + i);
    }
    i += count;
  }
}

void ModulePlayer::render(int32_t* left, int32_t* right, uint32_t frames, bool stereoOut) {
  uint32_t i = 0;
  while (i < frames && !stopped_) {
    advanceFrame();
    if (stopped_) {
      return;
    }
    // The frames up to the next tick only count samples: mix them as one run.
    uint32_t run = 1;
    if (tick_ != speed_ && sampleCounter_ < samplesPerTick_) {
      run += std::min(samplesPerTick_ - sampleCounter_, frames - i - 1);
      sampleCounter_ += run - 1;
    }
    mixTracks(left + i, right + i, run, stereoOut);
    i += run;
  }
}

}  // namespace nv::sound
