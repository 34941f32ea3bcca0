#include "sim/device_framing.h"

namespace {

constexpr char StartA = char(0xFA);
constexpr char EndA = char(0xF5);
constexpr char EscapeA = char(0xFF);
constexpr char EndB = char(0xC0);
constexpr char EscapeB = char(0xDB);
constexpr uint8_t SendSeedB = 0x55;
constexpr uint8_t AnswerSeedB = 0xAA;
// The program sends this in place of a first byte below its command prefix. The only such
// command byte it uses is 01.
constexpr uint8_t BelowPrefixB = 0x61;
constexpr uint8_t ShiftB = 0x50;

uint8_t Xor(std::string_view Bytes) {
  uint8_t X = 0;
  for (const char C : Bytes) X ^= uint8_t(C);
  return X;
}

uint8_t Sum(std::string_view Bytes) {
  uint8_t S = 0;
  for (const char C : Bytes) S = uint8_t(S + uint8_t(C));
  return S;
}

void AppendEscapedA(std::string& Frame, std::string_view Bytes) {
  for (const char C : Bytes) {
    if (C == StartA)
      Frame += "\xFF\x01";
    else if (C == EndA)
      Frame += "\xFF\x02";
    else if (C == EscapeA)
      Frame += "\xFF\x03";
    else
      Frame += C;
  }
}

void AppendEscapedB(std::string& Frame, std::string_view Bytes) {
  for (const char C : Bytes) {
    if (C == EndB)
      Frame += "\xDB\xDC";
    else if (C == EscapeB)
      Frame += "\xDB\xDD";
    else
      Frame += C;
  }
}

std::optional<std::string> UnescapeA(std::string_view Raw) {
  std::string Body;
  for (size_t I = 0; I < Raw.size(); ++I) {
    if (Raw[I] != EscapeA) {
      Body += Raw[I];
      continue;
    }
    if (++I == Raw.size()) return std::nullopt;
    switch (Raw[I]) {
      case 1:
        Body += StartA;
        break;
      case 2:
        Body += EndA;
        break;
      case 3:
        Body += EscapeA;
        break;
      default:
        return std::nullopt;
    }
  }
  return Body;
}

std::optional<std::string> UnescapeB(std::string_view Raw) {
  std::string Body;
  for (size_t I = 0; I < Raw.size(); ++I) {
    if (Raw[I] != EscapeB) {
      Body += Raw[I];
      continue;
    }
    if (++I == Raw.size()) return std::nullopt;
    if (Raw[I] == '\xDC')
      Body += EndB;
    else if (Raw[I] == '\xDD')
      Body += EscapeB;
    else
      return std::nullopt;
  }
  return Body;
}

}  // namespace

std::string EncodeAnswer(TFraming Framing, std::string_view Lead, std::string_view Payload,
                         bool BadCheck) {
  const uint8_t Spoil = BadCheck ? 0x5A : 0;
  std::string Frame;
  if (Framing == TFraming::frA) {
    std::string Body(Lead.substr(0, 2));
    Body.resize(2, '\0');
    Body += Payload;
    Body += char(Xor(Payload) ^ Spoil);
    Frame += StartA;
    AppendEscapedA(Frame, Body);
    Frame += EndA;
  } else {
    const char Check = char(uint8_t(0 - (AnswerSeedB + Sum(Payload))) ^ Spoil);
    AppendEscapedB(Frame, std::string_view(&Check, 1));
    AppendEscapedB(Frame, Payload);
    Frame += EndB;
  }
  return Frame;
}

void TCommandReader::Reset() {
  FInFrame = false;
  FSkipping = false;
  FRaw.clear();
}

std::optional<std::string> TCommandReader::Finish() const {
  if (FFraming == TFraming::frA) {
    std::optional<std::string> Body = UnescapeA(FRaw);
    if (!Body || Body->size() < 2) return std::nullopt;
    const char Check = Body->back();
    Body->pop_back();
    const uint8_t Expected = Body->size() < 3 ? 0 : Xor(std::string_view(*Body).substr(2));
    if (uint8_t(Check) != Expected) return std::nullopt;
    return Body;
  }
  std::optional<std::string> Body = UnescapeB(FRaw);
  if (!Body || Body->size() < 2 || uint8_t(SendSeedB + Sum(*Body)) != 0) return std::nullopt;
  Body->erase(0, 1);
  const uint8_t First = uint8_t((*Body)[0]);
  (*Body)[0] = char(First == BelowPrefixB ? 0x01 : uint8_t(First - ShiftB));
  return Body;
}

std::vector<std::string> TCommandReader::Feed(TFraming Framing, std::string_view Bytes) {
  if (Framing != FFraming) {
    Reset();
    FFraming = Framing;
  }
  std::vector<std::string> Commands;
  for (const char C : Bytes) {
    if (FFraming == TFraming::frA) {
      if (C == StartA) {
        FInFrame = true;
        FRaw.clear();
      } else if (C == EndA) {
        if (FInFrame)
          if (std::optional<std::string> Command = Finish())
            Commands.push_back(std::move(*Command));
        Reset();
      } else if (FInFrame) {
        FRaw += C;
        if (FRaw.size() > MaxFrameBytes) Reset();
      }
    } else if (C == EndB) {
      if (!FSkipping && !FRaw.empty())
        if (std::optional<std::string> Command = Finish()) Commands.push_back(std::move(*Command));
      Reset();
    } else if (!FSkipping) {
      FRaw += C;
      if (FRaw.size() > MaxFrameBytes) {
        FRaw.clear();
        FSkipping = true;
      }
    }
  }
  return Commands;
}
