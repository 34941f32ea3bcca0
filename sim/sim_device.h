#pragma once
// One device on the simulated line: the converter, or a controller of either framing. A device
// hears every byte the program sends, together with the line speed it was sent at, and answers
// only what a real device would hear at that speed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TSimLateBytes {
  uint32_t DelayMs = 0;  // counted from the moment the device heard what it answers
  std::string Bytes;
};

struct TSimReply {
  std::string Bytes;    // written back to the program at once
  bool HangUp = false;  // then the line disappears, as an unplugged converter
  std::vector<TSimLateBytes> Later;
};

class TSimDevice {
 public:
  virtual ~TSimDevice() = default;
  // Bytes may come split or joined in any way; a device keeps what it needs between calls.
  virtual TSimReply OnBytes(uint32_t Speed, std::string_view Bytes) = 0;
};
