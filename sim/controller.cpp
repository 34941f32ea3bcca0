#include "sim/controller.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

constexpr uint8_t InfoCode = 0xFD;
constexpr uint8_t AddressCode = 0xF0;
constexpr uint8_t LoaderCode = 0xFE;
constexpr uint8_t SearchCode = 0xFC;
constexpr uint8_t ByAddress = 0xFF;  // byte 2 of the info by address
constexpr uint8_t LoaderBit = 0x80;
constexpr uint8_t WeigandMode = 0x11;
constexpr size_t MaxTextLines = 127;

uint8_t At(std::string_view Bytes, size_t I) {
  return uint8_t(Bytes[I]);
}

uint16_t Word(std::string_view Bytes, size_t I) {
  return uint16_t(At(Bytes, I) | At(Bytes, I + 1) << 8);
}

bool IsPrefix(uint8_t Byte) {
  return Byte == 0x20 || Byte == 0x30;
}

// Spends one answer of a knob.
bool Take(int& Knob) {
  if (Knob == 0) return false;
  if (Knob > 0) --Knob;
  return true;
}

void Require(bool Holds, const char* What) {
  if (!Holds) throw std::runtime_error(What);
}

}  // namespace

void CheckControllerSettings(const TControllerSettings& S) {
  Require(S.SerialNumber >= 1, "the serial number must be 1 to 65535");
  Require(S.Address >= 1 && S.Address <= 254, "the network address must be 1 to 254");
  Require(S.TextLines.size() <= MaxTextLines, "a controller holds at most 127 text lines");
  Require(S.MemoryKb <= 15, "the memory size must be 0 to 15 kilobytes");
  Require(S.At19200 || S.At256000, "a controller needs a speed to answer at");
  Require(S.NetList.empty() || S.Type == NetDeviceType,
          "only a network device (type 27) has a list");
  Require(S.NetList.size() <= 255, "a network device lists at most 255 controllers");
  Require(S.NetNotReady >= 0, "the not-ready count cannot be negative");
  CheckLoaderSettings(S.Loader);
  const TControllerFaults& F = S.Faults;
  Require(F.ShortLength >= 1 && F.ShortLength <= 4, "a short answer holds 1 to 4 bytes");
  Require(F.Clean >= 0, "the count of clean answers cannot be negative");
  for (const int Knob : {F.HangUp, F.Silent, F.Short, F.Garble, F.Twice, F.Noise, F.Late})
    Require(Knob >= FaultAlways, "a fault count must be positive, 0 or always");
}

TSimController::TSimController(TControllerSettings Settings)
    : FSettings(std::move(Settings)), FLoader(FSettings.Loader) {
  CheckControllerSettings(FSettings);
}

TControllerSettings TSimController::Settings() const {
  const std::lock_guard Guard(FLock);
  return FSettings;
}

void TSimController::SetFaults(const TControllerFaults& Faults) {
  TControllerSettings Changed = Settings();
  Changed.Faults = Faults;
  CheckControllerSettings(Changed);
  const std::lock_guard Guard(FLock);
  FSettings.Faults = Faults;
}

int TSimController::DoorOpens() const {
  const std::lock_guard Guard(FLock);
  return FDoorOpens;
}

std::string TSimController::LoadedImage() const {
  const std::lock_guard Guard(FLock);
  return FLoader.Image();
}

std::string TSimController::LoadedFileName() const {
  const std::lock_guard Guard(FLock);
  return FLoader.FileName();
}

TSimReply TSimController::OnBytes(uint32_t Speed, std::string_view Bytes) {
  const std::lock_guard Guard(FLock);
  TSimReply Reply;
  TFraming Framing;
  if (Speed == FramingASpeed && FSettings.At19200) {
    Framing = TFraming::frA;
  } else if (Speed == FramingBSpeed && FSettings.At256000) {
    Framing = TFraming::frB;
  } else {
    FReader.Reset();
    return Reply;
  }
  for (const std::string& Command : FReader.Feed(Framing, Bytes)) {
    const bool Starting = FStarting > 0;
    std::optional<std::string> Payload = Answer(Command);
    if (Payload && Starting) {
      --FStarting;
      continue;
    }
    if (Payload && !Send(Framing, Command, std::move(*Payload), Reply)) break;
  }
  return Reply;
}

bool TSimController::Send(TFraming Framing, std::string_view Command, std::string Payload,
                          TSimReply& Reply) {
  TControllerFaults& F = FSettings.Faults;
  if (F.Clean > 0) {
    --F.Clean;
    Reply.Bytes += EncodeAnswer(Framing, Command.substr(0, 2), Payload);
    return true;
  }
  if (Take(F.HangUp)) {
    Reply.HangUp = true;
    return false;
  }
  if (Take(F.Silent)) return true;
  if (Take(F.Short)) Payload.resize(std::min(Payload.size(), F.ShortLength));
  // Nothing to say is said with the frame's end byte alone.
  std::string Frame = Payload.empty()
                          ? std::string(1, Framing == TFraming::frA ? '\xF5' : '\xC0')
                          : EncodeAnswer(Framing, Command.substr(0, 2), Payload, Take(F.Garble));
  if (Take(F.Twice)) Frame += Frame;
  if (Take(F.Noise)) Frame.insert(0, F.NoiseBytes);
  if (Take(F.Late))
    Reply.Later.push_back({F.LateMs, std::move(Frame)});
  else
    Reply.Bytes += Frame;
  return true;
}

std::optional<std::string> TSimController::Answer(std::string_view Command) {
  const uint8_t First = At(Command, 0);
  if (First == 0x01) return AnswerByAddress(Command);
  if (First == NetDeviceType) return AnswerNetDevice(Command);
  if (IsPrefix(First) && Command.size() >= 5) return AnswerBySerial(Command);
  return {};
}

std::string TSimController::InfoAnswer(std::string_view Command) const {
  std::string Info(Command.substr(0, 5));
  Info += char(FSettings.Type);
  Info += char(FSettings.VersionMajor);
  Info += char(FSettings.VersionMinor);
  Info += char(FSettings.LoaderActive ? LoaderBit : uint8_t(FSettings.TextLines.size()));
  Info += char(FSettings.Address);
  Info += '\0';
  Info += char(FSettings.SerialNumber & 0xFF);
  Info += char(FSettings.SerialNumber >> 8);
  return Info;
}

std::optional<std::string> TSimController::AnswerBySerial(std::string_view Command) {
  const size_t Size = Command.size();
  const uint8_t Code = At(Command, 3);
  const bool Mine = Word(Command, 1) == FSettings.SerialNumber;
  if (Code == SearchCode) {
    if (Size != 8 || Word(Command, 1) != 0 || !FSettings.InRangeSearch) return {};
    const uint16_t Low = Word(Command, 4);
    const uint16_t High = Word(Command, 6);
    if (FSettings.SerialNumber < Low || FSettings.SerialNumber > High) return {};
    std::string Found(Command.substr(0, 4));
    Found += char(FSettings.SerialNumber & 0xFF);
    Found += char(FSettings.SerialNumber >> 8);
    return Found;
  }
  if (Code == InfoCode && Size == 5 && At(Command, 4) == 0) {
    const bool MyAddress = At(Command, 2) == ByAddress && At(Command, 1) == FSettings.Address;
    if (Mine || MyAddress) return InfoAnswer(Command);
    return {};
  }
  if (!Mine) return {};
  if (Code == LoaderCode) return AnswerLoader(Command);
  // A loader that stays after its update tells its result to whatever it is asked.
  if (FSettings.LoaderActive)
    return FLoader.Finished() ? Out(FLoader.Result(Command.substr(0, 4))) : std::nullopt;
  if (Code == InfoCode && Size == 5) {
    std::string Line(Command);
    const size_t Number = At(Command, 4);
    if (Number <= FSettings.TextLines.size()) Line += FSettings.TextLines[Number - 1];
    return Line;
  }
  if (Code == AddressCode && At(Command, 4) == 0x01 && (Size == 5 || Size == 6)) {
    if (Size == 6 && !FSettings.KeepsAddress && At(Command, 5) >= 1 && At(Command, 5) <= 254)
      FSettings.Address = At(Command, 5);
    return std::string(Command.substr(0, 5)) + char(FSettings.Address);
  }
  return {};
}

std::optional<std::string> TSimController::Out(const TLoaderAnswer& Answer) {
  switch (Answer.Kind) {
    case TLoaderAnswer::TKind::Message:
      return Answer.Payload;
    case TLoaderAnswer::TKind::Sync:
      return std::string();
    case TLoaderAnswer::TKind::None:
      break;
  }
  return std::nullopt;
}

std::optional<std::string> TSimController::AnswerLoader(std::string_view Command) {
  const std::string_view Head = Command.substr(0, 4);
  const bool Prog = Command.size() == 8 && Command.substr(4) == "PROG";
  TLoaderAnswer Answer;
  if (Prog && FSettings.Loader.Starts) {
    FSettings.LoaderActive = true;
    Answer = FLoader.Prog(Head);
  } else if (!FSettings.LoaderActive) {
    return std::nullopt;
  } else if (Command.size() == 8 && Command.substr(4) == "NEXT") {
    Answer = FLoader.Next(Head);
  } else if (Command.size() >= 9) {
    Answer = FLoader.Reply(Command);
  }
  // The new firmware starts as soon as the loader has told its result.
  if (FLoader.Finished() && FSettings.Loader.Restarts) {
    FSettings.LoaderActive = false;
    if (FSettings.Loader.NewAddress != 0) FSettings.Address = FSettings.Loader.NewAddress;
    FStarting = FSettings.Loader.RestartSilent;
  }
  return Out(Answer);
}

std::optional<std::string> TSimController::AnswerByAddress(std::string_view Command) {
  if (Command.size() < 3 || At(Command, 1) != FSettings.Address || FSettings.LoaderActive)
    return {};
  std::string Echo(Command);
  if (Command.size() == 3 && At(Command, 2) == 0x09)
    return Echo + char(FSettings.MemoryKb << 4) + char(FSettings.Weigand ? WeigandMode : 0);
  if (Command.size() == 4 && At(Command, 2) == 0x07 && At(Command, 3) == 0) {
    ++FDoorOpens;
    return Echo + '\0';
  }
  return {};
}

std::optional<std::string> TSimController::AnswerNetDevice(std::string_view Command) {
  if (FSettings.Type != NetDeviceType || FSettings.LoaderActive || Command.size() != 6 ||
      Word(Command, 1) != FSettings.SerialNumber || At(Command, 3) != SearchCode ||
      At(Command, 5) != 0x01)
    return {};
  std::string Answer(Command.substr(0, 4));
  const size_t Item = At(Command, 4);
  if (Item == 0) {
    const bool Ready = !Take(FSettings.NetNotReady);
    return Answer + char(Ready) + char(Ready ? FSettings.NetList.size() : 0);
  }
  if (Item > FSettings.NetList.size()) return {};
  const uint16_t Serial = FSettings.NetList[Item - 1];
  return Answer + char(Serial & 0xFF) + char(Serial >> 8);
}
