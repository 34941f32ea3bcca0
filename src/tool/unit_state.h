#pragma once
// State that the window's operations share for as long as the program runs.
#include <cstdint>

// The first byte of most commands: 0x20, or 0x30 while Hotel mode is on.
extern uint8_t CmdPrefix;
