#include "sim/scenario.h"

#include <stdexcept>
#include <string>

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
      if (Words[0] != "converter") throw std::runtime_error("unknown device \"" + Words[0] + "\"");
      Devices.push_back(ParseConverter(Words));
    } catch (const std::runtime_error& Error) {
      throw std::runtime_error("scenario line " + std::to_string(LineNumber) + ": " + Error.what());
    }
  }
  return Devices;
}
