#include "tool/commands.h"

namespace {

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
  return Bytes({Prefix, NA, 0xFF, 0xFD, 0x00});
}

RawBytes InfoBySN(uint8_t Prefix, uint16_t SN) {
  return Bytes({Prefix, Lo(SN), Hi(SN), 0xFD, 0x00});
}

RawBytes TextLine(uint8_t Prefix, uint16_t SN, uint8_t Line) {
  return Bytes({Prefix, Lo(SN), Hi(SN), 0xFD, Line});
}

RawBytes MemInfo(uint8_t NA) {
  return Bytes({0x01, NA, 0x09});
}

RawBytes AddrProbe(uint8_t NewAddress) {
  return MemInfo(NewAddress);
}

RawBytes GetAddrBySN(uint8_t Prefix, uint16_t SN) {
  return Bytes({Prefix, Lo(SN), Hi(SN), 0xF0, 0x01});
}

RawBytes SetAddrBySN(uint8_t Prefix, uint16_t SN, uint8_t NewAddress) {
  return Bytes({Prefix, Lo(SN), Hi(SN), 0xF0, 0x01, NewAddress});
}

RawBytes OpenDoor(uint8_t NA) {
  return Bytes({0x01, NA, 0x07, 0x00});
}

RawBytes LoaderCommand(uint8_t Prefix, uint16_t SN, const AnsiString& Keyword) {
  return Bytes({Prefix, Lo(SN), Hi(SN), 0xFE}) + Keyword;
}

RawBytes RangeProbe(uint8_t Prefix, uint16_t Low, uint16_t High) {
  return Bytes({Prefix, 0x00, 0x00, 0xFC, Lo(Low), Hi(Low), Lo(High), Hi(High)});
}

RawBytes NetCount(uint16_t SN) {
  return Bytes({0x27, Lo(SN), Hi(SN), 0xFC, 0x00, 0x01});
}

RawBytes NetItem(uint16_t SN, uint8_t Item) {
  return Bytes({0x27, Lo(SN), Hi(SN), 0xFC, Item, 0x01});
}

uint8_t AnswerByte(const RawBytes& a, size_t k) {
  return k < a.size() ? static_cast<uint8_t>(a[k]) : 0;
}

TInfoAnswer DecodeInfo(const RawBytes& a) {
  TInfoAnswer R;
  R.Valid = a.size() >= 9;
  R.HasSerial = a.size() >= 13;
  R.Type = AnswerByte(a, 5);
  R.VersionMajor = AnswerByte(a, 6);
  R.VersionMinor = AnswerByte(a, 7);
  R.Lines = AnswerByte(a, 8);
  R.LoaderActive = (R.Lines & 0x80) != 0;
  R.NetAddr = AnswerByte(a, 9);
  R.SerialNumber = static_cast<uint16_t>(AnswerByte(a, 11) + 256 * AnswerByte(a, 12));
  return R;
}

TMemInfoAnswer DecodeMemInfo(const RawBytes& a) {
  return {a.size() >= 5, AnswerByte(a, 3) >> 4, AnswerByte(a, 4) == 0x11};
}

std::optional<uint8_t> DecodeAddress(const RawBytes& a) {
  if (a.size() < 6) return std::nullopt;
  return AnswerByte(a, 5);
}

std::optional<RawBytes> DecodeTextLine(const RawBytes& a) {
  if (a.size() < 5) return std::nullopt;
  return a.substr(5);
}
