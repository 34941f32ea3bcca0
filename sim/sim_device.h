#pragma once
// One device on the simulated line: the converter now; the controllers of either framing plug in
// the same way. A device hears every byte the program sends, together with the line speed it was
// sent at, and answers only what a real device would hear at that speed.
#include <cstdint>
#include <string>
#include <string_view>

struct TSimReply {
  std::string Bytes;    // written back to the program at once
  bool HangUp = false;  // then the line disappears, as an unplugged converter
};

class TSimDevice {
 public:
  virtual ~TSimDevice() = default;
  // Bytes may come split or joined in any way; a device keeps what it needs between calls.
  virtual TSimReply OnBytes(uint32_t Speed, std::string_view Bytes) = 0;
};
