#pragma once
// The network scan: a range search over the serial numbers that narrows every answering window
// down to one controller, a direct scan of the network addresses when the search found nothing,
// and the listing of the controllers behind each network device it found.
#include <cstdint>
#include <vector>

#include "core/ustring.h"
#include "tool/com_port.h"

class TfmMain;

// 1 while no network scan runs; 0 while one runs. A second press of the Scan button puts it back
// to 1, which the running scan reads as the request to stop.
extern uint8_t ScanIdle;

// The serial numbers a range probe asks about: Low to High, both included.
struct TScanWindow {
  uint16_t Low = 0;
  uint16_t High = 0;
  bool operator==(const TScanWindow&) const = default;
};

// How the window moves on after a probe.
inline constexpr int RangeLowerHalf = 0;  // keep the lower half
inline constexpr int RangeNextHalf = 1;   // the window of the same width above, its lower half
inline constexpr int RangeWider = 8;      // above the window, eight times as wide
// Moves or narrows the window, with 16-bit arithmetic as the bus's probes count; a window that
// would run past the top of the range ends at 0xFFFF.
void NextRange(TScanWindow& Window, int Step);

// One run of the scan, from the opening of the port to the last stage; the window's button
// handler runs the closing steps around it.
class TNetworkScan {
 public:
  explicit TNetworkScan(TfmMain& Window) : W(Window) {}

  // False when the port could not be opened (its dialog has been shown).
  bool Open();
  void Run();
  // Closes the port and its write event, when they are open.
  void Close() { FPort.Close(); }

 private:
  // True when something came back to the probe, whatever it was.
  bool SendProbe(const RawBytes& Frame);
  void RangeSearch();
  // Queries the controller with the serial number at the low end of the window and reports it.
  void ReportController();
  void QueryController();
  void DirectScan();
  void ScanNetDevice(uint16_t SN);
  // Lets the window handle what is pending, the Stop button included; true when a stop was asked
  // or the program is ending.
  bool StopRequested();
  void ReplaceLastLine(const String& Line);

  TfmMain& W;
  TComHandle FPort;
  TScanWindow FWindow;
  int FFound = 0;
  bool FInHit = false;
  std::vector<uint16_t> FDevices;  // network devices to list, in the order they were reported
};
