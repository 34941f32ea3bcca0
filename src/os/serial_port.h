#pragma once
// A serial port with the semantics of the Windows communications calls the tool is written
// against, as far as the tool uses them: open without sharing, the speed and the event
// character, an event mask with a wait for a byte or for the event character, the input queue
// count, purge, read and write. Every port runs raw: 8 data bits, no parity, one stop bit,
// binary, without flow control; a read returns at once with what has arrived, the only read
// time-out setting the tool uses. It runs on the Linux terminal interface and works the same on a
// USB converter and on a pseudo-terminal.
#include <cstdint>

#include "core/ustring.h"

inline constexpr uint32_t MAXDWORD = 0xFFFFFFFF;

// Event mask bits (SetMask, WaitEvent).
inline constexpr uint32_t EV_RXCHAR = 0x0001;  // a byte arrived
inline constexpr uint32_t EV_RXFLAG = 0x0002;  // the event character arrived

// Purge flags. The abort flags have nothing to abort: every call here completes before it returns.
inline constexpr uint32_t PURGE_TXABORT = 0x0001;
inline constexpr uint32_t PURGE_RXABORT = 0x0002;
inline constexpr uint32_t PURGE_TXCLEAR = 0x0004;
inline constexpr uint32_t PURGE_RXCLEAR = 0x0008;

struct TDCB {
  uint32_t BaudRate = 0;  // any value the driver can make, 230400 and 256000 included
  char EvtChar = 0;       // the byte that signals EV_RXFLAG
};

enum class TWaitResult { wrSignaled, wrTimeout, wrFailed };

// Every call on a port that is not open, or whose device has gone (a converter unplugged, the far
// end of a pseudo-terminal closed), fails at once with LastError set; no call waits longer than
// its own time-out, and a write no longer than its bytes' time on the line and a second.
class TSerialPort {
 public:
  TSerialPort() = default;
  ~TSerialPort();
  TSerialPort(TSerialPort&& Other) noexcept;
  TSerialPort& operator=(TSerialPort&& Other) noexcept;
  TSerialPort(const TSerialPort&) = delete;
  TSerialPort& operator=(const TSerialPort&) = delete;

  // Name: a device path ("/dev/ttyUSB0") or a port name that the port list maps to one
  // (FindSerialDevice); a leading "\\.\" is dropped. A port that is already open here or in
  // another program fails like a port opened without sharing. The line keeps its speed until
  // SetState; the event mask starts empty.
  bool Open(const String& Name);
  void Close();  // idempotent
  bool IsOpen() const { return FHandle >= 0; }

  // Fails for a speed the driver cannot make (within 3 %).
  bool SetState(const TDCB& Dcb);

  // EV_RXCHAR and EV_RXFLAG are signalled by bytes that arrive after the mask was set and before
  // or during the wait; bytes that arrived earlier but were not yet looked at count as arriving
  // now. Watching takes the bytes from the driver into this object; they stay queued for Read.
  bool SetMask(uint32_t Mask);
  // Waits up to TimeoutMs (MAXDWORD: no limit) for an event of the mask; Events gets the events
  // that happened. An empty mask fails.
  TWaitResult WaitEvent(uint32_t& Events, uint32_t TimeoutMs);

  bool QueuedBytes(uint32_t& Count);  // bytes ready for Read
  bool Purge(uint32_t Flags);
  // Up to Count of the bytes that have arrived, at once; none when nothing has.
  bool Read(RawBytes& Data, uint32_t Count);
  bool Write(const RawBytes& Data);  // all bytes or failure

  const String& LastError() const { return FLastError; }
  // The device has gone: every call fails from now on, until Open.
  bool Gone() const { return FGone; }

 private:
  bool CheckOpen();
  bool Fail(const String& Text);
  bool FailErrno(const String& What, int Error);
  bool FailGone();
  // 1: ready, 0: the deadline passed, -1: failed (LastError set).
  int WaitFor(short Events, int64_t DeadlineMs);
  // Moves what the driver holds into FInput; Seen gets the events of the bytes that came.
  bool Take(uint32_t& Seen);

  int FHandle = -1;
  uint32_t FBaudRate = 0;
  char FEvtChar = 0;
  uint32_t FMask = 0;
  RawBytes FInput;  // taken from the driver, not read yet
  String FLastError;
  bool FGone = false;
};
