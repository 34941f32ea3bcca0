#pragma once
// The commands the tool sends to controllers, converters and network devices, built from the
// command prefix and the field values at the moment of sending, and the fields it reads from
// their answers. A byte that an answer does not hold reads as 0.
#include <cstdint>
#include <optional>

#include "core/ustring.h"

// The controller type of a network device, which has controllers of its own behind it; it also
// opens the commands that list them.
inline constexpr uint8_t NetworkDeviceType = 0x27;

RawBytes InfoByAddr(uint8_t Prefix, uint8_t NA);
RawBytes InfoBySN(uint8_t Prefix, uint16_t SN);
RawBytes TextLine(uint8_t Prefix, uint16_t SN, uint8_t Line);
RawBytes MemInfo(uint8_t NA);
RawBytes AddrProbe(uint8_t NewAddress);
RawBytes GetAddrBySN(uint8_t Prefix, uint16_t SN);
RawBytes SetAddrBySN(uint8_t Prefix, uint16_t SN, uint8_t NewAddress);
RawBytes OpenDoor(uint8_t NA);
// FE followed by a loader keyword ("PROG" starts the loader, "NEXT" asks for its next message).
RawBytes LoaderCommand(uint8_t Prefix, uint16_t SN, const AnsiString& Keyword);
RawBytes RangeProbe(uint8_t Prefix, uint16_t Low, uint16_t High);
RawBytes NetCount(uint16_t SN);
RawBytes NetItem(uint16_t SN, uint8_t Item);

// Byte k of an answer, 0 past its end.
uint8_t AnswerByte(const RawBytes& a, size_t k);

// The info answer to InfoByAddr and InfoBySN.
struct TInfoAnswer {
  bool Valid = false;       // at least 9 bytes
  bool HasAddress = false;  // long enough to hold the network address (10 bytes)
  bool HasSerial = false;   // long enough to hold the serial number (13 bytes)
  uint8_t Type = 0;
  uint8_t VersionMajor = 0, VersionMinor = 0;
  uint8_t Lines = 0;  // a[8] as a whole
  bool LoaderActive = false;
  uint8_t NetAddr = 0;
  uint16_t SerialNumber = 0;
};
TInfoAnswer DecodeInfo(const RawBytes& a);

struct TMemInfoAnswer {
  bool Valid = false;  // long enough to hold the size and the mode
  int MemoryKb = 0;
  bool Weigand = false;
};
TMemInfoAnswer DecodeMemInfo(const RawBytes& a);

// The network address in the answer to GetAddrBySN; nothing when the answer is too short.
std::optional<uint8_t> DecodeAddress(const RawBytes& a);

// The text of a TextLine answer: the bytes after its 5-byte header (ANSI text); nothing when
// not even the header came.
std::optional<RawBytes> DecodeTextLine(const RawBytes& a);
