#include "sim/boot_loader.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr char DataKind = 0x01;
constexpr char NameKind = 0x02;
constexpr char BusyKind = char(0x80);
constexpr char ResultKind = char(0xFF);
constexpr size_t RequestSize = 9;
constexpr uint8_t SequenceViolated = 10;
constexpr uint8_t IntegrityViolated = 11;

void Require(bool Holds, const char* What) {
  if (!Holds) throw std::runtime_error(What);
}

std::string Kind(std::string_view Head, char Kind) {
  return std::string(Head) + Kind + std::string(4, '\0');
}

}  // namespace

void CheckLoaderSettings(const TLoaderSettings& S) {
  Require(S.ImageSize <= 0xFFFFFF, "the loader's image size must fit 24 bits");
  Require(S.Chunk >= 1, "the loader's chunk must be 1 to 255 bytes");
  Require(S.Busy >= 0 && S.SyncEvery >= 0 && S.RestartSilent >= 0,
          "the loader's counts cannot be negative");
  Require(S.StrayKind == 0 ||
              (S.StrayKind != 1 && S.StrayKind != 2 && S.StrayKind != 0x80 && S.StrayKind != 0xFF),
          "a stray message kind must be none of the loader's own");
  Require(S.NewAddress <= 254, "the new network address must be 1 to 254");
}

TLoaderAnswer TSimBootLoader::Message(std::string Payload) const {
  return {TLoaderAnswer::TKind::Message, std::move(Payload)};
}

std::string TSimBootLoader::Request(std::string_view Head) const {
  if (FStep == TStep::stName) return Kind(Head, NameKind);
  const uint32_t Offset = uint32_t(FImage.size());
  const uint32_t Count = std::min<uint32_t>(FSettings.Chunk, FSettings.ImageSize - Offset);
  std::string Text(Head);
  Text += DataKind;
  Text += char(Offset & 0xFF);
  Text += char((Offset >> 8) & 0xFF);
  Text += char((Offset >> 16) & 0xFF);
  Text += char(Count);
  return Text;
}

TLoaderAnswer TSimBootLoader::InHand(std::string_view Head) const {
  if (FStep == TStep::stDone) return Result(Head);
  if (FSyncing) return {TLoaderAnswer::TKind::Sync, {}};
  return Message(Request(Head));
}

TLoaderAnswer TSimBootLoader::Result(std::string_view Head) const {
  std::string Text = Kind(Head, ResultKind);
  Text[5] = char(FCode);
  return Message(Text);
}

TLoaderAnswer TSimBootLoader::End(std::string_view Head, uint8_t Code) {
  FStep = TStep::stDone;
  FCode = Code;
  FSyncing = false;
  return Result(Head);
}

TLoaderAnswer TSimBootLoader::Prog(std::string_view Head) {
  FImage.clear();
  FFileName.clear();
  FLastReply.clear();
  FStep = TStep::stStarted;
  FBusyLeft = FSettings.Busy;
  FStrayDue = FSettings.StrayKind != 0;
  FSyncing = false;
  FReplies = 0;
  return Message(std::string(Head) + "BOOT");
}

TLoaderAnswer TSimBootLoader::Next(std::string_view Head) {
  switch (FStep) {
    case TStep::stWaiting:
      return {};
    case TStep::stStarted:
      if (FBusyLeft > 0) {
        --FBusyLeft;
        return Message(Kind(Head, BusyKind));
      }
      if (FStrayDue) {
        FStrayDue = false;
        return Message(Kind(Head, char(FSettings.StrayKind)));
      }
      FStep = FSettings.ImageSize > 0 ? TStep::stData : TStep::stName;
      break;
    case TStep::stData:
    case TStep::stName:
      FSyncing = false;
      break;
    case TStep::stDone:
      break;
  }
  return InHand(Head);
}

TLoaderAnswer TSimBootLoader::Reply(std::string_view Command) {
  const std::string_view Head = Command.substr(0, 4);
  if (FStep == TStep::stWaiting || FStep == TStep::stStarted) return {};
  if (FStep == TStep::stDone) return Result(Head);
  if (!FLastReply.empty() && Command == FLastReply) return InHand(Head);
  if (FSyncing) return End(Head, SequenceViolated);
  const std::string Asked = Request(Head);
  if (Command.substr(0, RequestSize) != Asked) return End(Head, SequenceViolated);
  FLastReply = Command;
  if (FStep == TStep::stName) {
    FFileName = Command.substr(RequestSize);
    return End(Head, FSettings.Result);
  }
  const std::string_view Data = Command.substr(RequestSize);
  if (Data.size() != uint8_t(Asked[8])) return End(Head, IntegrityViolated);
  FImage += Data;
  if (FImage.size() == FSettings.ImageSize) FStep = TStep::stName;
  ++FReplies;
  FSyncing = FSettings.SyncEvery > 0 && FReplies % FSettings.SyncEvery == 0;
  return InHand(Head);
}
