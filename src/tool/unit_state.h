#pragma once
// State that the window's operations share for as long as the program runs.
#include <cstdint>

inline constexpr uint8_t NormalPrefix = 0x20;
inline constexpr uint8_t HotelPrefix = 0x30;
// The first byte of most commands: NormalPrefix, or HotelPrefix while Hotel mode is on.
extern uint8_t CmdPrefix;
