#include "tool/commands.h"

namespace {

// Byte 3 of a command that begins with the prefix: what it asks for.
constexpr int InfoCode = 0xFD;     // the info (line 0) or a text line
constexpr int AddressCode = 0xF0;  // the network address, followed by AddressItem
constexpr int AddressItem = 0x01;
constexpr int LoaderCode = 0xFE;  // followed by a loader keyword
constexpr int SearchCode = 0xFC;  // a range probe, or a network device's list
// Byte 2 of the info by address, where the serial number's high byte stands otherwise.
constexpr int ByAddress = 0xFF;
// Commands to the controller at a network address: 01 NA code.
constexpr int AtAddress = 0x01;
constexpr int MemoryCode = 0x09;
constexpr int DoorCode = 0x07;
// A network device's list: item 0 asks for the count; both commands close with ListTail.
constexpr int CountItem = 0x00;
constexpr int ListTail = 0x01;

// Answers: the lengths that hold a field, and the flags they carry.
constexpr size_t InfoSize = 9;
constexpr size_t InfoWithAddressSize = 10;
constexpr size_t InfoWithSerialSize = 13;
constexpr size_t MemInfoSize = 5;
constexpr size_t AddressAnswerSize = 6;
constexpr size_t TextLineHeader = 5;
constexpr uint8_t LoaderActiveBit = 0x80;
constexpr uint8_t WeigandMode = 0x11;
constexpr int MemorySizeShift = 4;  // the high nibble of a[3] counts kilobytes

RawBytes Bytes(std::initializer_list<int> B) {
  RawBytes R;
  for (int X : B) R += static_cast<char>(X);
  return R;
}

uint8_t Lo(uint16_t V) {
  return V & 0xFF;
}
uint8_t Hi(uint16_t V) {
  return V >> 8;
}

}  // namespace

RawBytes InfoByAddr(uint8_t Prefix, uint8_t NA) {
  return Bytes({Prefix, NA, ByAddress, InfoCode, 0x00});
}

RawBytes InfoBySN(uint8_t Prefix, uint16_t SN) {
  return Bytes({Prefix, Lo(SN), Hi(SN), InfoCode, 0x00});
}

RawBytes TextLine(uint8_t Prefix, uint16_t SN, uint8_t Line) {
  return Bytes({Prefix, Lo(SN), Hi(SN), InfoCode, Line});
}

RawBytes MemInfo(uint8_t NA) {
  return Bytes({AtAddress, NA, MemoryCode});
}

RawBytes AddrProbe(uint8_t NewAddress) {
  return MemInfo(NewAddress);
}

RawBytes GetAddrBySN(uint8_t Prefix, uint16_t SN) {
  return Bytes({Prefix, Lo(SN), Hi(SN), AddressCode, AddressItem});
}

RawBytes SetAddrBySN(uint8_t Prefix, uint16_t SN, uint8_t NewAddress) {
  return Bytes({Prefix, Lo(SN), Hi(SN), AddressCode, AddressItem, NewAddress});
}

RawBytes OpenDoor(uint8_t NA) {
  return Bytes({AtAddress, NA, DoorCode, 0x00});
}

RawBytes LoaderCommand(uint8_t Prefix, uint16_t SN, const AnsiString& Keyword) {
  return Bytes({Prefix, Lo(SN), Hi(SN), LoaderCode}) + Keyword;
}

RawBytes RangeProbe(uint8_t Prefix, uint16_t Low, uint16_t High) {
  return Bytes({Prefix, 0x00, 0x00, SearchCode, Lo(Low), Hi(Low), Lo(High), Hi(High)});
}

RawBytes NetCount(uint16_t SN) {
  return Bytes({NetworkDeviceType, Lo(SN), Hi(SN), SearchCode, CountItem, ListTail});
}

RawBytes NetItem(uint16_t SN, uint8_t Item) {
  return Bytes({NetworkDeviceType, Lo(SN), Hi(SN), SearchCode, Item, ListTail});
}

uint8_t AnswerByte(const RawBytes& a, size_t k) {
  return k < a.size() ? static_cast<uint8_t>(a[k]) : 0;
}

TInfoAnswer DecodeInfo(const RawBytes& a) {
  TInfoAnswer R;
  R.Valid = a.size() >= InfoSize;
  R.HasAddress = a.size() >= InfoWithAddressSize;
  R.HasSerial = a.size() >= InfoWithSerialSize;
  R.Type = AnswerByte(a, 5);
  R.VersionMajor = AnswerByte(a, 6);
  R.VersionMinor = AnswerByte(a, 7);
  R.Lines = AnswerByte(a, 8);
  R.LoaderActive = (R.Lines & LoaderActiveBit) != 0;
  R.NetAddr = AnswerByte(a, 9);
  R.SerialNumber = static_cast<uint16_t>(AnswerByte(a, 11) + 256 * AnswerByte(a, 12));
  return R;
}

TMemInfoAnswer DecodeMemInfo(const RawBytes& a) {
  return {a.size() >= MemInfoSize, AnswerByte(a, 3) >> MemorySizeShift,
          AnswerByte(a, 4) == WeigandMode};
}

std::optional<uint8_t> DecodeAddress(const RawBytes& a) {
  if (a.size() < AddressAnswerSize) return std::nullopt;
  return AnswerByte(a, 5);
}

std::optional<RawBytes> DecodeTextLine(const RawBytes& a) {
  if (a.size() < TextLineHeader) return std::nullopt;
  return a.substr(TextLineHeader);
}
