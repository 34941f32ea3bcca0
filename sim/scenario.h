#pragma once
// A scenario names the devices on the line, one per line of text:
//
//   # a comment; blank lines are ignored
//   converter normal serial=12345 mode=0
//   converter normal banner="noise K640-Orbit S/N:12345 Mode 0\r\n"
//   converter normal hangup
//   converter echo
//   converter silent
//
// Words are separated by blanks; double quotes keep blanks inside a word; a backslash gives
// \\ \" \r \n \t or a byte \xHH, inside quotes or not. mode= takes exactly one character.
#include <memory>
#include <string_view>
#include <vector>

#include "sim/sim_device.h"

// Throws std::runtime_error naming the line of the first mistake.
std::vector<std::unique_ptr<TSimDevice>> ParseScenario(std::string_view Text);
