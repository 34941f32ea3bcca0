#pragma once
// The program's side of the two framings, written out here from their rules so that the devices
// are checked against code they do not share, and one exchange with a controller held in the
// test, without the line.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "sim/controller.h"

inline std::string Bytes(std::initializer_list<unsigned> List) {
  std::string Text;
  for (const unsigned Byte : List) Text += char(Byte);
  return Text;
}

// A command to the serial number Sn: prefix, Sn low and high, then Rest.
inline std::string BySn(unsigned Sn, std::initializer_list<unsigned> Rest, unsigned Pfx = 0x20) {
  return Bytes({Pfx, Sn & 0xFF, Sn >> 8}) + Bytes(Rest);
}

inline std::string PackA(std::string_view Payload) {
  uint8_t X = 0;
  for (size_t I = 2; I < Payload.size(); ++I) X ^= uint8_t(Payload[I]);
  std::string Frame = "\xFA";
  for (const char C : std::string(Payload) + char(X))
    Frame += C == '\xFA'   ? "\xFF\x01"
             : C == '\xF5' ? "\xFF\x02"
             : C == '\xFF' ? "\xFF\x03"
                           : std::string(1, C);
  return Frame + "\xF5";
}

inline std::string PackB(std::string_view Payload, uint8_t Prefix = 0x20) {
  std::string Body = '\0' + std::string(Payload);
  Body[1] = char(uint8_t(Body[1]) < Prefix ? 0x61 : uint8_t(Body[1]) + 0x50);
  uint8_t Sum = 0x55;
  for (const char C : Body) Sum = uint8_t(Sum + uint8_t(C));
  Body[0] = char(uint8_t(0 - Sum));
  std::string Frame;
  for (const char C : Body)
    Frame += C == '\xC0' ? "\xDB\xDC" : C == '\xDB' ? "\xDB\xDD" : std::string(1, C);
  return Frame + "\xC0";
}

// From after the last FA, less the end byte: two leading bytes, the payload, its XOR. Empty when
// that does not hold.
inline std::string UnpackA(std::string_view Bytes) {
  if (const size_t Start = Bytes.rfind('\xFA'); Start != std::string_view::npos)
    Bytes.remove_prefix(Start + 1);
  if (!Bytes.empty()) Bytes.remove_suffix(1);
  std::string T;
  for (size_t I = 0; I < Bytes.size(); ++I) {
    if (Bytes[I] != '\xFF')
      T += Bytes[I];
    else if (I + 1 < Bytes.size() && Bytes[I + 1] >= 1 && Bytes[I + 1] <= 3)
      T += "\xFA\xF5\xFF"[Bytes[++I] - 1];
  }
  uint8_t X = 0;
  for (size_t I = 2; I + 1 < T.size(); ++I) X ^= uint8_t(T[I]);
  return T.size() >= 4 && X == uint8_t(T.back()) ? T.substr(2, T.size() - 3) : std::string();
}

// The first frame: a check byte and the payload, summing with 0xAA to 0, then C0.
inline std::string UnpackB(std::string_view Bytes) {
  const size_t End = Bytes.find('\xC0');
  if (End == std::string_view::npos) return {};
  std::string T;
  for (size_t I = 0; I < End; ++I) {
    if (Bytes[I] != '\xDB') {
      T += Bytes[I];
      continue;
    }
    if (++I == End || (Bytes[I] != '\xDC' && Bytes[I] != '\xDD')) return {};
    T += Bytes[I] == '\xDC' ? '\xC0' : '\xDB';
  }
  uint8_t Sum = 0xAA;
  for (const char C : T) Sum = uint8_t(Sum + uint8_t(C));
  return !T.empty() && Sum == 0 ? T.substr(1) : std::string();
}

inline std::string Frame(uint32_t Speed, std::string_view Payload, uint8_t Prefix = 0x20) {
  return Speed == FramingBSpeed ? PackB(Payload, Prefix) : PackA(Payload);
}

// The answer's payload; nullopt when nothing came, empty when what came is not a valid frame.
inline std::optional<std::string> Ask(TSimController& Controller, uint32_t Speed,
                                      std::string_view Payload, uint8_t Prefix = 0x20) {
  const TSimReply Reply = Controller.OnBytes(Speed, Frame(Speed, Payload, Prefix));
  if (Reply.Bytes.empty()) return std::nullopt;
  return Speed == FramingBSpeed ? UnpackB(Reply.Bytes) : UnpackA(Reply.Bytes);
}
