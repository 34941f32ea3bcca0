#pragma once
// Port modes and the port one operation holds: the mode's baud rate and end character, the
// shared write record, and the handle that closes the port and the write event on every way
// out of an operation.
#include <array>
#include <cstdint>
#include <memory>

#include "core/ustring.h"
#include "os/serial_port.h"

inline constexpr int ComModeSlow = 0;      // 19200 baud, framing A, end byte 0xF5
inline constexpr int ComModeFast = 0x123;  // 256000 baud, framing B, end byte 0xC0

extern const std::array<uint32_t, 4> BaudTable;
extern const std::array<uint8_t, 4> EvtCharTable;

// How far setting up a port got.
enum class TPortSetUp { psReady, psCannotOpen, psCannotSetSpeed };
// Opens the port of that name ("\\.\" is put in front) and sets its speed and event character;
// the port is closed again when that fails. Every port runs 8N1, binary, without flow control,
// and its reads return at once with what has arrived.
TPortSetUp SetUpPort(TSerialPort& Port, const String& Name, uint32_t Baud, uint8_t EvtChar);

// The write record of every protocol write: zeroed and given a new event by each successful
// OpenComInMode; the operation closes the event after the port.
struct TWriteOverlapped {
  uint32_t Internal = 0, InternalHigh = 0, Offset = 0, OffsetHigh = 0;
  bool EventOpen = false;
};
extern TWriteOverlapped WriteOverlapped;

// The result of OpenComInMode: the open port, or nothing when opening failed (its dialog has
// been shown).
class TComHandle {
 public:
  TComHandle() = default;
  // Port: open on the port called Name, set up for the port mode ComMode.
  TComHandle(std::unique_ptr<TSerialPort> Port, String Name, int ComMode)
      : FPort(std::move(Port)), FName(std::move(Name)), FComMode(ComMode) {}
  TComHandle(TComHandle&&) = default;
  TComHandle& operator=(TComHandle&& Other) noexcept;
  ~TComHandle() { Close(); }

  bool Valid() const { return FPort != nullptr; }
  // The open port; EInvalidOperation when there is none.
  TSerialPort& Port() const;
  // Raises ELineGone when the port has reported that its device is gone.
  void CheckLine() const;
  // The port handle first, then the event of WriteOverlapped.
  void Close();

  // The line: the port's name and the port mode it was opened in, kept after Close.
  const String& Name() const { return FName; }
  int ComMode() const { return FComMode; }
  // The end byte of the mode's framing, the port's event character.
  char EndByte() const { return static_cast<char>(EvtCharTable[(FComMode >> 4) & 3]); }

 private:
  std::unique_ptr<TSerialPort> FPort;
  String FName;
  int FComMode = ComModeSlow;
};
