#pragma once
// A listener on the simulated line: it hears every byte as a controller does, never answers, and
// keeps each command it could read with the speed it came at, so a test or a benchmark can see
// what the program asked and in which order.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "sim/device_framing.h"
#include "sim/sim_device.h"

struct THeardCommand {
  uint32_t Speed = 0;
  std::string Payload;
};

// The serial numbers a range probe asks about, Low to High.
struct TProbeWindow {
  uint16_t Low = 0;
  uint16_t High = 0;
  bool operator==(const TProbeWindow&) const = default;
};

class TLineRecorder : public TSimDevice {
 public:
  TSimReply OnBytes(uint32_t Speed, std::string_view Bytes) override;

  std::vector<THeardCommand> Heard() const;
  // The windows of the range probes with this prefix in framing A, in the order they came.
  std::vector<TProbeWindow> ProbeWindows(uint8_t Prefix = 0x20) const;
  // The addresses asked for their info in framing B, in the order they came.
  std::vector<int> FastInfoAddresses() const;
  // Commands to serial number SN whose bytes 3 and 4 are Code and Fourth.
  int CountTo(uint16_t SN, uint8_t Code, uint8_t Fourth) const;

 private:
  mutable std::mutex FLock;  // the bus thread records while the caller looks on
  TCommandReader FReader;
  std::vector<THeardCommand> FHeard;
};
