#pragma once
// A scenario names the devices on the line, one per line of text:
//
//   # a comment; blank lines are ignored
//   converter normal serial=12345 mode=0
//   converter normal banner="noise K640-Orbit S/N:12345 Mode 0\r\n"
//   converter normal hangup
//   converter echo
//   converter silent
//   controller sn=1001 addr=5 type=0x19 version=2.7 speeds=19200,256000 memory=8
//              weigand=off boot=off text="Front door" text="Floor 2"
//   controller sn=1 addr=1 fault=silent:2 fault=late delay=700 fault=short short=3
//   controller sn=700 type=0x27 net=701,702 netwait=2
//   controller sn=701 addr=9 probes=off
//   controller sn=42 boot=on image=2048 chunk=200 result=0 busy=3 sync=4 newaddr=9 restart=2
//
// (a controller is written on one line; it is wrapped above only to fit). Words are separated by
// blanks; double quotes keep blanks inside a word; a backslash gives \\ \" \r \n \t or a byte
// \xHH, inside quotes or not. mode= takes exactly one character.
//
// Controller settings, all optional (see controller.h for what they do):
//   sn=1..65535  addr=1..254  type=N  version=MAJOR.MINOR  memory=0..15 (kilobytes)
//   speeds=19200 | 256000 | 19200,256000   text=BYTES (one per line, in order, at most 127)
//   weigand=on|off  boot=on|off (the boot loader is active)  probes=on|off (off: behind a
//   network device, where range probes do not reach)  net=SN,SN... (type 0x27: the controllers
//   behind it)  netwait=N (its first N count answers say "not ready")
//   image=BYTES chunk=1..255 result=CODE (what the boot loader asks for and reports)
//   busy=N (busy messages before its first request) sync=N (a synchronization after every N-th
//   data reply) stray=KIND (a message of a kind the loader does not have, before the first
//   request) start=on|off (off: the firmware ignores the start of the loader) newaddr=1..254 (the
//   address the new firmware comes up with) restart=N|never (commands the new firmware leaves
//   unanswered while it starts; never: the loader stays and tells its result to everything)
//   fault=KIND or fault=KIND:N (the first N answers only), KIND one of hangup silent short garble
//   twice noise late; delay=MS (for late) short=1..4 (bytes kept) noise=BYTES (sent before)
//   clean=N (the first N answers go out unspoiled, the faults count from there)
// Numbers are decimal, or hexadecimal after 0x.
//
// Many controllers at once, with serial numbers picked at random:
//   controllers count=300 sn=1-65535 seed=7 addr=1 text="Door"
// count=N distinct serial numbers from the sn= range (all of it when not given), the same seed
// giving the same numbers, the bus holding at most MaxBusControllers devices then; addresses
// count up from addr=, 254 followed by 1; every other setting is that of a controller and holds
// for each of them.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "sim/sim_device.h"

inline constexpr uint32_t MaxBusControllers = 1000;

// The bus sim_bus plays without a scenario: a converter, one controller at each speed and one
// at both, so every road of the tool meets an answer.
inline constexpr std::string_view DefaultScenario =
    "converter normal serial=12345 mode=0\n"
    "controller sn=1001 addr=1 type=0x19 version=2.4 speeds=19200 memory=8"
    " text=\"Main entrance\" text=\"Reader 1\"\n"
    "controller sn=1002 addr=2 type=0x1A version=3.1 speeds=256000 memory=12 weigand=on"
    " text=\"Staff door\"\n"
    "controller sn=1003 addr=3 type=0x19 version=2.5 speeds=19200,256000 memory=8"
    " text=\"Garage gate\" text=\"Reader 2\" text=\"Exit button\"\n";

// Throws std::runtime_error naming the line of the first mistake.
std::vector<std::unique_ptr<TSimDevice>> ParseScenario(std::string_view Text);
