#include "sim/line_recorder.h"

namespace {

constexpr uint8_t SearchCode = 0xFC;

uint16_t Word(const std::string& C, size_t I) {
  return uint16_t(uint8_t(C[I]) | uint8_t(C[I + 1]) << 8);
}

}  // namespace

TSimReply TLineRecorder::OnBytes(uint32_t Speed, std::string_view Bytes) {
  const std::lock_guard Guard(FLock);
  if (Speed != FramingASpeed && Speed != FramingBSpeed) {
    FReader.Reset();
    return {};
  }
  const TFraming Framing = Speed == FramingASpeed ? TFraming::frA : TFraming::frB;
  for (std::string& Command : FReader.Feed(Framing, Bytes))
    FHeard.push_back({Speed, std::move(Command)});
  return {};
}

std::vector<THeardCommand> TLineRecorder::Heard() const {
  const std::lock_guard Guard(FLock);
  return FHeard;
}

std::vector<TProbeWindow> TLineRecorder::ProbeWindows(uint8_t Prefix) const {
  std::vector<TProbeWindow> R;
  for (const auto& [Speed, C] : Heard())
    if (Speed == FramingASpeed && C.size() == 8 && uint8_t(C[0]) == Prefix && Word(C, 1) == 0 &&
        uint8_t(C[3]) == SearchCode)
      R.push_back({Word(C, 4), Word(C, 6)});
  return R;
}

std::vector<int> TLineRecorder::FastInfoAddresses() const {
  std::vector<int> R;
  for (const auto& [Speed, C] : Heard())
    if (Speed == FramingBSpeed && C.size() == 5 && C.substr(2) == std::string("\xFF\xFD\0", 3))
      R.push_back(uint8_t(C[1]));
  return R;
}

int TLineRecorder::CountTo(uint16_t SN, uint8_t Code, uint8_t Fourth) const {
  int N = 0;
  for (const auto& [Speed, C] : Heard())
    if (C.size() >= 5 && Word(C, 1) == SN && uint8_t(C[3]) == Code && uint8_t(C[4]) == Fourth) ++N;
  return N;
}
