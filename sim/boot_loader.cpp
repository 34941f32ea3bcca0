#include "sim/boot_loader.h"

#include <algorithm>

namespace {

constexpr char DataKind = 0x01;
constexpr char NameKind = 0x02;
constexpr char ResultKind = char(0xFF);
constexpr size_t RequestSize = 9;
constexpr uint8_t SequenceViolated = 10;
constexpr uint8_t IntegrityViolated = 11;

}  // namespace

std::string TSimBootLoader::Message(std::string_view Head) const {
  std::string Text(Head);
  if (FStep == TStep::stName) return Text + NameKind + std::string(4, '\0');
  const uint32_t Offset = uint32_t(FImage.size());
  const uint32_t Count = std::min<uint32_t>(FSettings.Chunk, FSettings.ImageSize - Offset);
  Text += DataKind;
  Text += char(Offset & 0xFF);
  Text += char((Offset >> 8) & 0xFF);
  Text += char((Offset >> 16) & 0xFF);
  Text += char(Count);
  return Text;
}

std::string TSimBootLoader::Result(std::string_view Head, uint8_t Code) {
  FStep = TStep::stDone;
  return std::string(Head) + ResultKind + char(Code) + std::string(3, '\0');
}

std::string TSimBootLoader::Prog(std::string_view Head) {
  FImage.clear();
  FFileName.clear();
  FStep = TStep::stStarted;
  return std::string(Head) + "BOOT";
}

std::string TSimBootLoader::Next(std::string_view Head) {
  switch (FStep) {
    case TStep::stWaiting:
    case TStep::stDone:
      return {};
    case TStep::stStarted:
      FStep = FSettings.ImageSize > 0 ? TStep::stData : TStep::stName;
      break;
    case TStep::stData:
    case TStep::stName:
      break;
  }
  return Message(Head);
}

std::string TSimBootLoader::Reply(std::string_view Command) {
  const std::string_view Head = Command.substr(0, 4);
  if (FStep != TStep::stData && FStep != TStep::stName) return {};
  const std::string Request = Message(Head);
  if (Command.substr(0, RequestSize) != Request) return Result(Head, SequenceViolated);
  if (FStep == TStep::stName) {
    FFileName = Command.substr(RequestSize);
    return Result(Head, FSettings.Result);
  }
  const std::string_view Data = Command.substr(RequestSize);
  if (Data.size() != uint8_t(Request[8])) return Result(Head, IntegrityViolated);
  FImage += Data;
  if (FImage.size() == FSettings.ImageSize) FStep = TStep::stName;
  return Message(Head);
}
