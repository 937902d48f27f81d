#pragma once

// Where the mouse's 20 LEDs sit and the colours its effects pick from.

#include <array>
#include <cstddef>
#include <cstdint>

#include "lighting/colour_tables.h"

namespace quillon::lighting {

inline constexpr std::size_t kMouseLedCount = 20;
inline constexpr std::size_t kMouseFrameBytes = 60;
// The blink modes send only LEDs 0..9.
inline constexpr std::size_t kMouseBlinkFrameBytes = 30;
// The click flash lights (and draws) only these.
inline constexpr std::size_t kMouseFlashLedCount = 15;
inline constexpr std::size_t kMouseBlinkLedCount = 10;

// Seven positions along the mouse, three LEDs each. Group 2 names LED 9 twice.
inline constexpr std::size_t kMouseGroupCount = 7;
inline constexpr std::array<std::array<std::uint8_t, 3>, kMouseGroupCount> MouseLedGroups{{
    {{0, 7, 19}},
    {{1, 8, 18}},
    {{2, 9, 9}},
    {{3, 10, 14}},
    {{4, 11, 15}},
    {{5, 12, 16}},
    {{6, 13, 17}},
}};

// Entries 0..23 are also the three gradient sets of the breathing effect,
// eight each, the eighth black.
inline constexpr std::size_t kMouseColourCount = 126;
inline constexpr std::size_t kMouseGradientSetSize = 8;
inline constexpr std::array<Rgb, kMouseColourCount> MouseColourList{{
    {255, 255, 0}, {200, 255, 0},   {170, 255, 0},   {140, 255, 0},  {110, 255, 0}, {80, 255, 0},
    {70, 255, 0},  {0, 0, 0},       {0, 255, 255},   {0, 200, 255},  {0, 170, 255}, {0, 140, 255},
    {0, 110, 255}, {0, 80, 255},    {0, 70, 255},    {0, 0, 0},      {245, 0, 255}, {245, 0, 200},
    {245, 0, 170}, {245, 0, 140},   {245, 0, 110},   {245, 0, 80},   {245, 0, 70},  {0, 0, 0},
    {255, 0, 200}, {255, 128, 40},  {40, 128, 0},    {50, 0, 255},   {255, 0, 0},   {255, 80, 0},
    {0, 255, 0},   {0, 0, 255},     {255, 124, 74},  {255, 70, 32},  {255, 43, 0},  {150, 32, 1},
    {75, 16, 1},   {10, 10, 10},    {255, 124, 74},  {255, 90, 26},  {255, 73, 0},  {153, 43, 0},
    {73, 20, 1},   {20, 20, 20},    {255, 191, 96},  {255, 171, 51}, {255, 150, 0}, {132, 79, 0},
    {62, 34, 0},   {30, 30, 30},    {255, 255, 102}, {255, 255, 42}, {255, 255, 0}, {132, 132, 0},
    {62, 61, 0},   {40, 40, 40},    {193, 255, 102}, {171, 255, 45}, {150, 255, 0}, {75, 125, 0},
    {37, 63, 0},   {50, 50, 50},    {150, 255, 111}, {104, 255, 47}, {73, 255, 0},  {34, 130, 0},
    {17, 65, 0},   {70, 71, 70},    {104, 255, 104}, {51, 255, 51},  {0, 255, 0},   {0, 130, 0},
    {0, 58, 0},    {90, 91, 90},    {106, 255, 148}, {45, 255, 102}, {0, 255, 73},  {0, 121, 33},
    {0, 56, 16},   {100, 101, 122}, {106, 255, 196}, {51, 255, 173}, {0, 255, 150}, {0, 132, 79},
    {0, 63, 36},   {120, 121, 124}, {113, 255, 255}, {47, 255, 255}, {0, 255, 255}, {0, 132, 132},
    {0, 62, 63},   {140, 141, 141}, {104, 194, 255}, {45, 171, 255}, {0, 150, 255}, {0, 75, 125},
    {0, 37, 64},   {150, 146, 177}, {104, 146, 255}, {51, 111, 255}, {0, 73, 255},  {0, 34, 123},
    {0, 17, 61},   {160, 153, 185}, {102, 102, 255}, {53, 53, 255},  {0, 0, 255},   {0, 0, 130},
    {0, 0, 65},    {170, 170, 181}, {145, 102, 255}, {104, 45, 255}, {73, 0, 255},  {34, 0, 125},
    {17, 0, 57},   {180, 170, 177}, {193, 102, 255}, {169, 42, 255}, {150, 0, 255}, {78, 0, 128},
    {37, 0, 64},   {190, 190, 181}, {255, 104, 255}, {255, 45, 255}, {255, 0, 255}, {101, 0, 101},
}};

}  // namespace quillon::lighting
