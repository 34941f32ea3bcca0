#include "tool/framing.h"

namespace {

// Framing A: start, end and escape bytes, and the byte that follows the escape for each.
constexpr char StartA = '\xFA';
constexpr char EndA = '\xF5';
constexpr char EscapeA = '\xFF';
constexpr uint8_t EscapedStartA = 0x01;
constexpr uint8_t EscapedEndA = 0x02;
constexpr uint8_t EscapedEscapeA = 0x03;
// Leading bytes of a framing-A body that its check byte does not cover.
constexpr size_t UncheckedA = 2;

// Framing B: end and escape bytes and their escapes, the rewritten first byte, and the seeds of
// the additive check on sending and on receiving.
constexpr char EndB = '\xC0';
constexpr char EscapeB = '\xDB';
constexpr char EscapedEndB = '\xDC';
constexpr char EscapedEscapeB = '\xDD';
constexpr uint8_t BelowPrefixB = 0x61;  // the first byte when it is below the command prefix
constexpr uint8_t FirstByteShiftB = 0x50;
constexpr uint8_t SendSeedB = 0x55;
constexpr uint8_t ReceiveSeedB = 0xAA;

RawBytes EscapeAOf(uint8_t Escaped) {
  return RawBytes{EscapeA, static_cast<char>(Escaped)};
}

uint8_t At(const RawBytes& S, size_t I) {
  return static_cast<uint8_t>(S[I]);
}

RawBytes PackA(const RawBytes& s) {
  uint8_t X = 0;
  for (size_t I = UncheckedA; I < s.size(); ++I) X ^= At(s, I);
  RawBytes Body = s;
  Body += static_cast<char>(X);
  RawBytes Frame(1, StartA);
  for (const char B : Body) {
    if (B == StartA)
      Frame += EscapeAOf(EscapedStartA);
    else if (B == EndA)
      Frame += EscapeAOf(EscapedEndA);
    else if (B == EscapeA)
      Frame += EscapeAOf(EscapedEscapeA);
    else
      Frame += B;
  }
  return Frame + EndA;
}

RawBytes PackB(const RawBytes& s, uint8_t CmdPrefix) {
  RawBytes Body = '\0' + s;
  if (Body.size() > 1) {
    const uint8_t First = At(Body, 1);
    Body[1] =
        static_cast<char>(First < CmdPrefix ? BelowPrefixB : (First + FirstByteShiftB) & 0xFF);
  }
  uint8_t Sum = SendSeedB;
  for (unsigned char B : Body) Sum += B;
  Body[0] = static_cast<char>(-Sum & 0xFF);
  RawBytes Frame;
  for (const char B : Body) {
    if (B == EndB)
      Frame += RawBytes{EscapeB, EscapedEndB};
    else if (B == EscapeB)
      Frame += RawBytes{EscapeB, EscapedEscapeB};
    else
      Frame += B;
  }
  return Frame + EndB;
}

RawBytes UnPackA(RawBytes s) {
  const size_t Start = s.rfind(StartA);
  if (Start != RawBytes::npos) s.erase(0, Start + 1);
  if (!s.empty()) s.pop_back();
  RawBytes T;
  char Q = 0;
  for (size_t I = 0; I < s.size(); ++I) {
    const char B = s[I];
    if (B == EscapeA) {
      if (I + 1 < s.size()) {
        const uint8_t N = At(s, I + 1);
        if (N == EscapedStartA) Q = StartA;
        if (N == EscapedEndA) Q = EndA;
        if (N == EscapedEscapeA) Q = EscapeA;
      }
      continue;
    }
    T += Q != 0 ? Q : B;
    Q = 0;
  }
  // Two unchecked bytes, at least one payload byte and the check byte.
  if (T.size() < UncheckedA + 2) return {};
  uint8_t X = 0;
  for (size_t I = UncheckedA; I + 1 < T.size(); ++I) X ^= At(T, I);
  if (X != At(T, T.size() - 1)) return {};
  return T.substr(UncheckedA, T.size() - UncheckedA - 1);
}

RawBytes UnPackB(const RawBytes& s) {
  RawBytes T;
  for (size_t I = 0; I < s.size(); ++I) {
    const char B = s[I];
    if (B == EndB) {
      uint8_t Sum = ReceiveSeedB;
      for (unsigned char C : T) Sum += C;
      return Sum == 0 ? T.substr(1) : RawBytes();
    }
    if (B == EscapeB) {
      if (I + 1 >= s.size()) return {};
      const char N = s[++I];
      if (N == EscapedEndB)
        T += EndB;
      else if (N == EscapedEscapeB)
        T += EscapeB;
      else
        return {};
      continue;
    }
    T += B;
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
