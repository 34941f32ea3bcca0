#include "sim/scenario.h"

#include <charconv>
#include <set>
#include <stdexcept>
#include <string>

#include "sim/controller.h"
#include "sim/converter.h"

namespace {

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

std::vector<std::string> SplitWords(std::string_view Line) {
  std::vector<std::string> Words;
  std::string Word;
  bool InWord = false;
  bool Quoted = false;
  for (size_t I = 0; I < Line.size(); ++I) {
    const char C = Line[I];
    if (!Quoted && (C == ' ' || C == '\t')) {
      if (InWord) Words.push_back(std::move(Word));
      Word.clear();
      InWord = false;
      continue;
    }
    InWord = true;
    if (C == '"') {
      Quoted = !Quoted;
    } else if (C != '\\') {
      Word += C;
    } else {
      if (++I == Line.size()) throw std::runtime_error("a backslash ends the line");
      switch (Line[I]) {
        case 'r':
          Word += '\r';
          break;
        case 'n':
          Word += '\n';
          break;
        case 't':
          Word += '\t';
          break;
        case 'x': {
          const int High = I + 1 < Line.size() ? HexDigit(Line[I + 1]) : -1;
          const int Low = I + 2 < Line.size() ? HexDigit(Line[I + 2]) : -1;
          if (High < 0 || Low < 0) throw std::runtime_error("\\x needs two hexadecimal digits");
          Word += char(High * 16 + Low);
          I += 2;
          break;
        }
        default:
          Word += Line[I];
      }
    }
  }
  if (Quoted) throw std::runtime_error("a quote is not closed");
  if (InWord) Words.push_back(std::move(Word));
  return Words;
}

std::unique_ptr<TSimDevice> ParseConverter(const std::vector<std::string>& Words) {
  if (Words.size() < 2) throw std::runtime_error("converter needs a kind");
  TConverterSettings Settings;
  if (Words[1] == "normal")
    Settings.Kind = TConverterKind::ckNormal;
  else if (Words[1] == "echo")
    Settings.Kind = TConverterKind::ckEcho;
  else if (Words[1] == "silent")
    Settings.Kind = TConverterKind::ckSilent;
  else
    throw std::runtime_error("unknown converter kind \"" + Words[1] + "\"");
  for (size_t I = 2; I < Words.size(); ++I) {
    const std::string& Word = Words[I];
    const size_t Equals = Word.find('=');
    const std::string Key = Word.substr(0, Equals);
    const std::string Value = Equals == std::string::npos ? "" : Word.substr(Equals + 1);
    if (Key == "hangup" && Equals == std::string::npos)
      Settings.HangUpOnWakeUp = true;
    else if (Key == "serial" && Equals != std::string::npos)
      Settings.SerialText = Value;
    else if (Key == "mode" && Value.size() == 1)
      Settings.ModeDigit = Value[0];
    else if (Key == "banner" && !Value.empty())
      Settings.Banner = Value;
    else
      throw std::runtime_error("unknown or incomplete setting \"" + Word + "\"");
  }
  return std::make_unique<TSimConverter>(std::move(Settings));
}

uint32_t Number(const std::string& Text, uint32_t Min, uint32_t Max) {
  const bool Hex = Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X');
  const char* Begin = Text.data() + (Hex ? 2 : 0);
  const char* End = Text.data() + Text.size();
  uint32_t Value = 0;
  const auto [Stop, Error] = std::from_chars(Begin, End, Value, Hex ? 16 : 10);
  if (Text.empty() || Error != std::errc() || Stop != End || Value < Min || Value > Max)
    throw std::runtime_error("\"" + Text + "\" is not a number from " + std::to_string(Min) +
                             " to " + std::to_string(Max));
  return Value;
}

std::vector<std::string> Split(const std::string& Text, char Separator) {
  std::vector<std::string> Fields;
  size_t Start = 0;
  for (;;) {
    const size_t Stop = Text.find(Separator, Start);
    Fields.push_back(Text.substr(Start, Stop - Start));
    if (Stop == std::string::npos) return Fields;
    Start = Stop + 1;
  }
}

bool Switch(const std::string& Text) {
  if (Text == "on") return true;
  if (Text == "off") return false;
  throw std::runtime_error("\"" + Text + "\" is neither on nor off");
}

void SetFault(TControllerFaults& Faults, const std::string& Text) {
  const std::vector<std::string> Fields = Split(Text, ':');
  if (Fields.size() > 2) throw std::runtime_error("a fault is KIND or KIND:N");
  const int Times = Fields.size() == 2 ? int(Number(Fields[1], 1, 1'000'000)) : FaultAlways;
  const std::pair<const char*, int TControllerFaults::*> Kinds[] = {
      {"hangup", &TControllerFaults::HangUp}, {"silent", &TControllerFaults::Silent},
      {"short", &TControllerFaults::Short},   {"garble", &TControllerFaults::Garble},
      {"twice", &TControllerFaults::Twice},   {"noise", &TControllerFaults::Noise},
      {"late", &TControllerFaults::Late}};
  for (const auto& [Name, Knob] : Kinds) {
    if (Fields[0] == Name) {
      Faults.*Knob = Times;
      return;
    }
  }
  throw std::runtime_error("unknown fault \"" + Fields[0] + "\"");
}

void SetSpeeds(TControllerSettings& S, const std::string& Text) {
  S.At19200 = false;
  S.At256000 = false;
  for (const std::string& Speed : Split(Text, ',')) {
    if (Speed == std::to_string(FramingASpeed))
      S.At19200 = true;
    else if (Speed == std::to_string(FramingBSpeed))
      S.At256000 = true;
    else
      throw std::runtime_error("a controller answers at 19200 or 256000 baud, not \"" + Speed +
                               "\"");
  }
}

void SetControllerValue(TControllerSettings& S, const std::string& Key, const std::string& Value) {
  if (Key == "sn") {
    S.SerialNumber = uint16_t(Number(Value, 1, 65535));
  } else if (Key == "addr") {
    S.Address = uint8_t(Number(Value, 1, 254));
  } else if (Key == "type") {
    S.Type = uint8_t(Number(Value, 0, 255));
  } else if (Key == "version") {
    const std::vector<std::string> Fields = Split(Value, '.');
    if (Fields.size() != 2) throw std::runtime_error("a version is MAJOR.MINOR");
    S.VersionMajor = uint8_t(Number(Fields[0], 0, 255));
    S.VersionMinor = uint8_t(Number(Fields[1], 0, 255));
  } else if (Key == "speeds") {
    SetSpeeds(S, Value);
  } else if (Key == "text") {
    S.TextLines.push_back(Value);
  } else if (Key == "memory") {
    S.MemoryKb = uint8_t(Number(Value, 0, 15));
  } else if (Key == "weigand") {
    S.Weigand = Switch(Value);
  } else if (Key == "boot") {
    S.LoaderActive = Switch(Value);
  } else if (Key == "probes") {
    S.InRangeSearch = Switch(Value);
  } else if (Key == "net") {
    for (const std::string& Serial : Split(Value, ','))
      S.NetList.push_back(uint16_t(Number(Serial, 1, 65535)));
  } else if (Key == "netwait") {
    S.NetNotReady = int(Number(Value, 0, 1'000'000));
  } else if (Key == "image") {
    S.Loader.ImageSize = Number(Value, 0, 0xFFFFFF);
  } else if (Key == "chunk") {
    S.Loader.Chunk = uint8_t(Number(Value, 1, 255));
  } else if (Key == "result") {
    S.Loader.Result = uint8_t(Number(Value, 0, 255));
  } else if (Key == "busy") {
    S.Loader.Busy = int(Number(Value, 0, 1'000'000));
  } else if (Key == "sync") {
    S.Loader.SyncEvery = int(Number(Value, 0, 1'000'000));
  } else if (Key == "stray") {
    S.Loader.StrayKind = uint8_t(Number(Value, 0, 255));
  } else if (Key == "start") {
    S.Loader.Starts = Switch(Value);
  } else if (Key == "newaddr") {
    S.Loader.NewAddress = uint8_t(Number(Value, 1, 254));
  } else if (Key == "restart") {
    S.Loader.Restarts = Value != "never";
    if (S.Loader.Restarts) S.Loader.RestartSilent = int(Number(Value, 0, 1'000'000));
  } else if (Key == "fault") {
    SetFault(S.Faults, Value);
  } else if (Key == "clean") {
    S.Faults.Clean = int(Number(Value, 0, 1'000'000));
  } else if (Key == "delay") {
    S.Faults.LateMs = Number(Value, 0, 60'000);
  } else if (Key == "short") {
    S.Faults.ShortLength = Number(Value, 1, 4);
  } else if (Key == "noise") {
    S.Faults.NoiseBytes = Value;
  } else {
    throw std::runtime_error("unknown setting \"" + Key + "\"");
  }
}

std::unique_ptr<TSimDevice> ParseController(const std::vector<std::string>& Words) {
  TControllerSettings Settings;
  for (size_t I = 1; I < Words.size(); ++I) {
    const size_t Equals = Words[I].find('=');
    if (Equals == std::string::npos)
      throw std::runtime_error("\"" + Words[I] + "\" is not KEY=VALUE");
    SetControllerValue(Settings, Words[I].substr(0, Equals), Words[I].substr(Equals + 1));
  }
  return std::make_unique<TSimController>(std::move(Settings));
}

// A small generator of our own, so that a seed gives the same bus on every machine.
class TSplitMix {
 public:
  explicit TSplitMix(uint64_t Seed) : FState(Seed) {}
  uint64_t Next() {
    uint64_t Z = (FState += 0x9E3779B97F4A7C15ULL);
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBULL;
    return Z ^ (Z >> 31);
  }
  uint32_t Below(uint32_t Bound) { return uint32_t(Next() % Bound); }

 private:
  uint64_t FState;
};

// Count distinct serial numbers from Low to High, picked by the seed (Floyd's sampling: one
// draw for each number picked, whatever the share of the range).
std::set<uint16_t> PickSerials(uint32_t Count, uint32_t Low, uint32_t High, uint64_t Seed) {
  TSplitMix Random(Seed);
  std::set<uint16_t> Picked;
  const uint32_t Span = High - Low + 1;
  for (uint32_t J = Span - Count; J < Span; ++J) {
    const uint16_t Serial = uint16_t(Low + Random.Below(J + 1));
    if (!Picked.insert(Serial).second) Picked.insert(uint16_t(Low + J));
  }
  return Picked;
}

void ParseControllers(const std::vector<std::string>& Words,
                      std::vector<std::unique_ptr<TSimDevice>>& Devices) {
  TControllerSettings Settings;
  uint32_t Count = 0;
  uint32_t Low = 1;
  uint32_t High = 65535;
  uint64_t Seed = 1;
  for (size_t I = 1; I < Words.size(); ++I) {
    const size_t Equals = Words[I].find('=');
    if (Equals == std::string::npos)
      throw std::runtime_error("\"" + Words[I] + "\" is not KEY=VALUE");
    const std::string Key = Words[I].substr(0, Equals);
    const std::string Value = Words[I].substr(Equals + 1);
    if (Key == "count") {
      Count = Number(Value, 1, MaxBusControllers);
    } else if (Key == "sn") {
      const std::vector<std::string> Ends = Split(Value, '-');
      if (Ends.size() != 2) throw std::runtime_error("controllers take sn=LOW-HIGH");
      Low = Number(Ends[0], 1, 65535);
      High = Number(Ends[1], Low, 65535);
    } else if (Key == "seed") {
      Seed = Number(Value, 0, 0xFFFFFFFF);
    } else {
      SetControllerValue(Settings, Key, Value);
    }
  }
  if (Count == 0) throw std::runtime_error("controllers need count=N");
  if (Count > High - Low + 1) throw std::runtime_error("more controllers than serial numbers");
  if (Devices.size() + Count > MaxBusControllers)
    throw std::runtime_error("a bus holds at most " + std::to_string(MaxBusControllers) +
                             " controllers");
  uint8_t Address = Settings.Address;
  for (const uint16_t Serial : PickSerials(Count, Low, High, Seed)) {
    Settings.SerialNumber = Serial;
    Settings.Address = Address;
    Devices.push_back(std::make_unique<TSimController>(Settings));
    Address = Address == 254 ? 1 : uint8_t(Address + 1);
  }
}

}  // namespace

std::vector<std::unique_ptr<TSimDevice>> ParseScenario(std::string_view Text) {
  std::vector<std::unique_ptr<TSimDevice>> Devices;
  int LineNumber = 0;
  while (!Text.empty()) {
    const size_t End = std::min(Text.find('\n'), Text.size());
    std::string_view Line = Text.substr(0, End);
    Text.remove_prefix(std::min(End + 1, Text.size()));
    ++LineNumber;
    if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
    const size_t First = Line.find_first_not_of(" \t");
    if (First == std::string_view::npos || Line[First] == '#') continue;
    try {
      const std::vector<std::string> Words = SplitWords(Line);
      if (Words[0] == "converter")
        Devices.push_back(ParseConverter(Words));
      else if (Words[0] == "controller")
        Devices.push_back(ParseController(Words));
      else if (Words[0] == "controllers")
        ParseControllers(Words, Devices);
      else
        throw std::runtime_error("unknown device \"" + Words[0] + "\"");
    } catch (const std::runtime_error& Error) {
      throw std::runtime_error("scenario line " + std::to_string(LineNumber) + ": " + Error.what());
    }
  }
  return Devices;
}
