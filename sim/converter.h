#pragma once
// The serial converter as the port detection meets it: woken by C8 0D C8 0D at 230400 baud, it
// answers with its banner "K640-Orbit S/N:<serial> ... Mode <digit>".
#include <string>

#include "sim/sim_device.h"

inline constexpr uint32_t ConverterSpeed = 230400;
inline constexpr std::string_view ConverterWakeUp = "\xC8\x0D\xC8\x0D";

enum class TConverterKind {
  ckNormal,  // answers the wake-up with its banner
  ckEcho,    // an old converter: sends back every byte it hears, at any speed
  ckSilent,  // nothing answers
};

struct TConverterSettings {
  TConverterKind Kind = TConverterKind::ckNormal;
  std::string SerialText = "12345";  // characters 16 to 20 of the banner
  char ModeDigit = '0';              // 0 is the "Normal" mode
  std::string Banner;                // when not empty, sent as it is instead of the built banner
  bool HangUpOnWakeUp = false;       // a normal converter that vanishes instead of answering
};

class TSimConverter : public TSimDevice {
 public:
  explicit TSimConverter(TConverterSettings Settings);
  TSimReply OnBytes(uint32_t Speed, std::string_view Bytes) override;
  std::string BannerText() const;

 private:
  TConverterSettings FSettings;
  std::string FHeard;  // the latest bytes heard at the converter's speed
};
