#include "sim/converter.h"

#include <utility>

TSimConverter::TSimConverter(TConverterSettings Settings) : FSettings(std::move(Settings)) {}

std::string TSimConverter::BannerText() const {
  if (!FSettings.Banner.empty()) return FSettings.Banner;
  return "K640-Orbit S/N:" + FSettings.SerialText + " FW 3.02 Mode " + FSettings.ModeDigit + "\r\n";
}

TSimReply TSimConverter::OnBytes(uint32_t Speed, std::string_view Bytes) {
  switch (FSettings.Kind) {
    case TConverterKind::ckEcho:
      return {std::string(Bytes), false, {}};
    case TConverterKind::ckSilent:
      return {};
    case TConverterKind::ckNormal:
      break;
  }
  // At another speed the converter hears only noise, which breaks any wake-up under way.
  if (Speed != ConverterSpeed) {
    FHeard.clear();
    return {};
  }
  FHeard.append(Bytes);
  if (FHeard.find(ConverterWakeUp) == std::string::npos) {
    if (FHeard.size() >= ConverterWakeUp.size())
      FHeard.erase(0, FHeard.size() - (ConverterWakeUp.size() - 1));
    return {};
  }
  FHeard.clear();
  if (FSettings.HangUpOnWakeUp) return {{}, true, {}};
  return {BannerText(), false, {}};
}
