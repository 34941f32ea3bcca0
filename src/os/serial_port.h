#pragma once
// A serial port with the semantics of the Windows communications calls the tool is written
// against: open without sharing, comm state, time-outs, an event mask with a wait for the event
// character, the input queue count, purge, read and write. It runs on the Linux terminal
// interface and works the same on a USB converter and on a pseudo-terminal.
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

// Error bits of ClearErrors.
inline constexpr uint32_t CE_RXOVER = 0x0001;  // the input queue was full and bytes were lost

// TDCB::Parity and TDCB::StopBits.
inline constexpr uint8_t NOPARITY = 0;
inline constexpr uint8_t ODDPARITY = 1;
inline constexpr uint8_t EVENPARITY = 2;
inline constexpr uint8_t MARKPARITY = 3;
inline constexpr uint8_t SPACEPARITY = 4;
inline constexpr uint8_t ONESTOPBIT = 0;
inline constexpr uint8_t ONE5STOPBITS = 1;  // only with 5 data bits
inline constexpr uint8_t TWOSTOPBITS = 2;

// TDCB::Flags: the bit fields of the Windows settings record as one word. The bits named here take
// effect; the others (DSR flow and sensitivity, error-character replacement, NUL discarding,
// abort on error ...) are kept and read back but change nothing.
inline constexpr uint32_t DCB_BINARY = 0x0001;
inline constexpr uint32_t DCB_PARITY_CHECK = 0x0002;
inline constexpr uint32_t DCB_OUTX_CTS_FLOW = 0x0004;
inline constexpr uint32_t DCB_DTR_CONTROL_MASK = 0x0030;  // 0 disable (line low), else raised
inline constexpr uint32_t DCB_DTR_CONTROL_ENABLE = 0x0010;
inline constexpr uint32_t DCB_OUTX = 0x0100;  // XON/XOFF on output
inline constexpr uint32_t DCB_INX = 0x0200;   // XON/XOFF on input
inline constexpr uint32_t DCB_RTS_CONTROL_MASK = 0x3000;
inline constexpr uint32_t DCB_RTS_CONTROL_ENABLE = 0x1000;
inline constexpr uint32_t DCB_RTS_CONTROL_HANDSHAKE = 0x2000;  // hardware flow control

struct TDCB {
  uint32_t BaudRate = 0;  // any value the driver can make, 230400 and 256000 included
  uint32_t Flags = DCB_BINARY;
  uint8_t ByteSize = 8;  // 5 to 8
  uint8_t Parity = NOPARITY;
  uint8_t StopBits = ONESTOPBIT;
  char EvtChar = 0;  // the byte that signals EV_RXFLAG
  char ErrorChar = 0;
};

// Milliseconds, with the Windows meaning:
// - interval MAXDWORD, multiplier 0, constant 0: a read returns at once with what has arrived;
// - interval MAXDWORD, multiplier MAXDWORD, constant 1..MAXDWORD-1: a read returns at once when
//   anything has arrived, else with the first bytes to arrive within the constant;
// - otherwise a read ends when Count bytes arrived, when multiplier * Count + constant has passed
//   (no limit when both are 0), or when the interval passes after a byte without another (0: no
//   interval limit);
// - a write fails when not all bytes were taken within multiplier * size + constant (0, 0: no
//   limit).
struct TCommTimeouts {
  uint32_t ReadIntervalTimeout = 0;
  uint32_t ReadTotalTimeoutMultiplier = 0;
  uint32_t ReadTotalTimeoutConstant = 0;
  uint32_t WriteTotalTimeoutMultiplier = 0;
  uint32_t WriteTotalTimeoutConstant = 0;
};

enum class TWaitResult { wrSignaled, wrTimeout, wrFailed };

// Every call on a port that is not open, or whose device has gone (a converter unplugged, the far
// end of a pseudo-terminal closed), fails at once with LastError set; no call waits longer than
// its own time-out.
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
  // another program fails like a port opened without sharing. The line is made raw (no echo,
  // no character translation, no flow control) keeping its speed and framing; time-outs start at
  // 0, the event mask empty. Overlapped is accepted for symmetry with the two ways the tool opens
  // ports: every call here is bounded by its own time-out, so both behave the same.
  bool Open(const String& Name, bool Overlapped);
  void Close();  // idempotent
  bool IsOpen() const { return FHandle >= 0; }

  bool GetState(TDCB& Dcb);
  bool SetState(const TDCB& Dcb);  // fails for values out of range or a speed the driver refuses
  bool GetTimeouts(TCommTimeouts& Timeouts);
  bool SetTimeouts(const TCommTimeouts& Timeouts);

  // EV_RXCHAR and EV_RXFLAG are signalled by bytes that arrive after the mask was set and before
  // or during the wait; bytes that arrived earlier but were not yet looked at count as arriving
  // now. Watching takes the bytes from the driver into this object; they stay queued for Read.
  bool SetMask(uint32_t Mask);
  // Waits up to TimeoutMs (MAXDWORD: no limit) for an event of the mask; Events gets the events
  // that happened. An empty mask fails.
  TWaitResult WaitEvent(uint32_t& Events, uint32_t TimeoutMs);

  bool QueuedBytes(uint32_t& Count);  // bytes ready for Read
  bool ClearErrors(uint32_t* Errors = nullptr);
  bool Purge(uint32_t Flags);
  // Reads up to Count bytes as the time-outs say; fewer (even none) when a time-out ends the read.
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
  int WaitFor(short Events, int64_t DeadlineMs);
  bool Available(uint32_t& Count);
  bool ReadNow(RawBytes& Data, uint32_t Count);
  bool Ingest(uint32_t& Seen);

  int FHandle = -1;
  uint32_t FFlags = DCB_BINARY;
  char FEvtChar = 0;
  char FErrorChar = 0;
  TCommTimeouts FTimeouts;
  uint32_t FMask = 0;
  uint32_t FErrors = 0;
  RawBytes FInput;  // taken from the driver while watching for events, not read yet
  String FLastError;
  bool FGone = false;
};
