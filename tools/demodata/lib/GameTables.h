#pragma once

#include <array>

namespace nv::demodata {

// Built-in tables of the game that the data set must agree with.
struct ObjectKind {
    std::array<int, 4> frames;  // object-sheet frame per facing; +1 when open
    int flags;                  // bits 0-3 reachable sides, 4 container, 5 inert, 6/7 drawn half
};

inline constexpr int kObjectKinds = 29;
inline constexpr int kAlarmBoxKind = 6;
inline constexpr int kBombKind = 9;
inline constexpr int kContainerFlag = 16;
inline constexpr int kInertFlag = 32;
inline constexpr int kLootKinds = 5;
inline constexpr int kLevels = 26;
inline constexpr int kFirstFloor = 13;
inline constexpr int kHighestFloor = 19;
inline constexpr int kObjectFrames = 96;
inline constexpr int kPersonFrames = 200;
inline constexpr int kTileFrames = 20;

inline constexpr std::array<ObjectKind, kObjectKinds> kObjectKindTable{{
    {{0, 2, 4, 6}, 17},     {{32, 34, 32, 34}, 5},  {{80, 82, 80, 82}, 5},  {{8, 10, 12, 14}, 17},
    {{16, 17, 18, 19}, 17}, {{20, 22, 20, 22}, 31}, {{24, 26, 28, 30}, 65}, {{60, 61, 62, 63}, 17},
    {{72, 74, 76, 78}, 17}, {{40, 40, 40, 40}, 32}, {{36, 36, 36, 36}, 31}, {{44, 44, 46, 46}, 31},
    {{24, 26, 28, 30}, 145}, {{48, 50, 52, 54}, 81}, {{48, 50, 52, 54}, 145}, {{64, 65, 66, 67}, 96},
    {{56, 57, 58, 59}, 32}, {{84, 84, 85, 85}, 32}, {{68, 68, 69, 69}, 32}, {{64, 65, 66, 67}, 160},
    {{94, 94, 94, 94}, 32}, {{70, 70, 70, 70}, 32}, {{38, 38, 38, 38}, 32}, {{39, 39, 39, 39}, 32},
    {{71, 71, 71, 71}, 32}, {{95, 95, 95, 95}, 32}, {{42, 42, 42, 42}, 31}, {{86, 86, 86, 86}, 31},
    {{92, 93, 92, 93}, 32},
}};

}  // namespace nv::demodata
