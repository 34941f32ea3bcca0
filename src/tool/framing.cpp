#include "tool/framing.h"

namespace {

uint8_t At(const RawBytes& S, size_t I) {
  return static_cast<uint8_t>(S[I]);
}

RawBytes PackA(const RawBytes& s) {
  uint8_t X = 0;
  for (size_t I = 2; I < s.size(); ++I) X ^= At(s, I);
  RawBytes Body = s;
  Body += static_cast<char>(X);
  RawBytes Frame(1, '\xFA');
  for (unsigned char B : Body) {
    if (B == 0xFA)
      Frame += "\xFF\x01";
    else if (B == 0xF5)
      Frame += "\xFF\x02";
    else if (B == 0xFF)
      Frame += "\xFF\x03";
    else
      Frame += static_cast<char>(B);
  }
  return Frame + '\xF5';
}

RawBytes PackB(const RawBytes& s, uint8_t CmdPrefix) {
  RawBytes Body = '\0' + s;
  if (Body.size() > 1) {
    const uint8_t First = At(Body, 1);
    Body[1] = static_cast<char>(First < CmdPrefix ? 0x61 : (First + 0x50) & 0xFF);
  }
  uint8_t Sum = 0x55;
  for (unsigned char B : Body) Sum += B;
  Body[0] = static_cast<char>(-Sum & 0xFF);
  RawBytes Frame;
  for (unsigned char B : Body) {
    if (B == 0xC0)
      Frame += "\xDB\xDC";
    else if (B == 0xDB)
      Frame += "\xDB\xDD";
    else
      Frame += static_cast<char>(B);
  }
  return Frame + '\xC0';
}

RawBytes UnPackA(RawBytes s) {
  const size_t Start = s.rfind('\xFA');
  if (Start != RawBytes::npos) s.erase(0, Start + 1);
  if (!s.empty()) s.pop_back();
  RawBytes T;
  uint8_t Q = 0;
  for (size_t I = 0; I < s.size(); ++I) {
    const uint8_t B = At(s, I);
    if (B == 0xFF) {
      if (I + 1 < s.size()) {
        const uint8_t N = At(s, I + 1);
        if (N == 0x01) Q = 0xFA;
        if (N == 0x02) Q = 0xF5;
        if (N == 0x03) Q = 0xFF;
      }
      continue;
    }
    T += static_cast<char>(Q != 0 ? Q : B);
    Q = 0;
  }
  if (T.size() < 4) return {};
  uint8_t X = 0;
  for (size_t I = 2; I + 1 < T.size(); ++I) X ^= At(T, I);
  if (X != At(T, T.size() - 1)) return {};
  return T.substr(2, T.size() - 3);
}

RawBytes UnPackB(const RawBytes& s) {
  RawBytes T;
  for (size_t I = 0; I < s.size(); ++I) {
    const uint8_t B = At(s, I);
    if (B == 0xC0) {
      uint8_t Sum = 0xAA;
      for (unsigned char C : T) Sum += C;
      return Sum == 0 ? T.substr(1) : RawBytes();
    }
    if (B == 0xDB) {
      if (I + 1 >= s.size()) return {};
      const uint8_t N = At(s, ++I);
      if (N == 0xDC)
        T += '\xC0';
      else if (N == 0xDD)
        T += '\xDB';
      else
        return {};
      continue;
    }
    T += static_cast<char>(B);
  }
  return {};
}

}  // namespace

RawBytes GetPack(const RawBytes& s, int ComMode, uint8_t CmdPrefix) {
  return FramingOf(ComMode) == FramingB ? PackB(s, CmdPrefix) : PackA(s);
}

RawBytes UnPack(const RawBytes& s, int ComMode) {
  return FramingOf(ComMode) == FramingB ? UnPackB(s) : UnPackA(s);
}
