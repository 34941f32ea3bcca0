#pragma once
// A controller on the simulated line. It hears framing A at 19200 baud and framing B at 256000
// baud, each only when its settings say it answers at that speed; at any other speed it hears
// noise and stays silent. It takes the command prefix 20 and the Hotel prefix 30 alike.
//
// Commands (pfx is 20 or 30; every answer begins with the echo shown, which framing A also
// repeats in its two leading bytes):
//   pfx SNlo SNhi FD 00     info (also pfx NA FF FD 00, by address): echo(5) type major minor
//                           lines-or-80 NA 00 SNlo SNhi
//   pfx SNlo SNhi FD i      text line i: echo(5) and the line's bytes (nothing past the last)
//   pfx SNlo SNhi F0 01     address: echo(5) NA
//   pfx SNlo SNhi F0 01 n   new address n (1 to 254, else kept; always kept when the settings
//                           say so): echo(5) NA
//   pfx SNlo SNhi FE "PROG" / "NEXT" and the loader's replies: see boot_loader.h
//   pfx 00 00 FC L(2) H(2)  range probe, answered by a controller whose serial number is in L..H
//                           and that the probes reach: pfx 00 00 FC SNlo SNhi
//   01 NA 09                memory: 01 NA 09 (kilobytes << 4) (11 in the "Weigand" mode, else 00)
//   01 NA 07 00             open door: 01 NA 07 00 00
//   27 SNlo SNhi FC 00 01   count (network devices, type 27): echo(4) ready count
//   27 SNlo SNhi FC i 01    item i: echo(4) SNlo SNhi of the i-th controller behind it
// While its boot loader is active a controller answers only the info, the range probe and the
// loader's commands, with bit 7 of byte 8 set in the info answer. When the loader has told its
// result the new firmware starts (see TLoaderSettings for a start at another address, a slow
// start, or a loader that stays and answers its result to everything).
//
// Pfx SN FF FD 00 means both the info by address SN and the info by serial number FF00 + SN; a
// controller that matches either answers.
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/boot_loader.h"
#include "sim/device_framing.h"
#include "sim/sim_device.h"

inline constexpr uint8_t NetDeviceType = 0x27;
inline constexpr int FaultAlways = -1;

// Each knob counts the answers it still spoils: 0 is off, N the next N answers, FaultAlways every
// answer, all counted after the first Clean answers. A spoiled answer's command still takes
// effect. The hang-up comes first and ends everything; a silent answer uses up no other knob.
struct TControllerFaults {
  int Clean = 0;           // answers that go out unspoiled before the knobs take effect
  int HangUp = 0;          // the line disappears instead of the answer
  int Silent = 0;          // no answer
  int Short = 0;           // only the first ShortLength bytes of the payload
  int Garble = 0;          // a wrong check byte
  int Twice = 0;           // the frame twice, back to back
  int Noise = 0;           // NoiseBytes before the frame
  int Late = 0;            // the answer comes LateMs later
  size_t ShortLength = 4;  // 1 to 4
  std::string NoiseBytes = std::string("\x00\x7E\x13", 3);
  uint32_t LateMs = 700;
};

struct TControllerSettings {
  uint16_t SerialNumber = 1;  // 1 to 65535
  uint8_t Address = 1;        // 1 to 254
  uint8_t Type = 0x19;
  uint8_t VersionMajor = 1;
  uint8_t VersionMinor = 0;
  std::vector<std::string> TextLines;  // ANSI bytes; at most 127, counted in one byte of the info
  uint8_t MemoryKb = 8;                // 0 to 15
  bool Weigand = false;
  bool At19200 = true;   // answers in framing A
  bool At256000 = true;  // answers in framing B
  bool LoaderActive = false;
  bool KeepsAddress = false;      // confirms a new address with the one it keeps
  bool InRangeSearch = true;      // false behind a network device: the range probes miss it
  std::vector<uint16_t> NetList;  // type 27 only: the controllers behind it, at most 255
  int NetNotReady = 0;            // type 27 only: count answers saying "not ready" before the list
  TLoaderSettings Loader;
  TControllerFaults Faults;
};

// Throws std::runtime_error naming the first setting out of range.
void CheckControllerSettings(const TControllerSettings& Settings);

class TSimController : public TSimDevice {
 public:
  explicit TSimController(TControllerSettings Settings);  // checks the settings
  TSimReply OnBytes(uint32_t Speed, std::string_view Bytes) override;

  // The state now: the address as last set, the loader's state, the fault counts left.
  TControllerSettings Settings() const;
  void SetFaults(const TControllerFaults& Faults);
  int DoorOpens() const;
  std::string LoadedImage() const;  // what the last update delivered
  std::string LoadedFileName() const;

 private:
  // Nothing: no answer; an empty payload: a frame with nothing in it.
  std::optional<std::string> Answer(std::string_view Command);
  std::optional<std::string> AnswerBySerial(std::string_view Command);
  std::optional<std::string> AnswerLoader(std::string_view Command);
  std::optional<std::string> AnswerByAddress(std::string_view Command);
  std::optional<std::string> AnswerNetDevice(std::string_view Command);
  static std::optional<std::string> Out(const TLoaderAnswer& Answer);
  std::string InfoAnswer(std::string_view Command) const;
  // False when the line hangs up instead.
  bool Send(TFraming Framing, std::string_view Command, std::string Payload, TSimReply& Reply);

  mutable std::mutex FLock;  // the bus thread answers while tests look on
  TControllerSettings FSettings;
  TSimBootLoader FLoader;
  TCommandReader FReader;
  int FDoorOpens = 0;
  int FStarting = 0;  // commands the restarting firmware still leaves unanswered
};
