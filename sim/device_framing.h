#pragma once
// The controllers' side of the two framings.
//
// Commands from the program come in framing A at 19200 baud: FA, the escaped payload and check,
// F5; FF 01, FF 02 and FF 03 stand for FA, F5 and FF; the check is the XOR of the payload from its
// third byte on. Or in framing B at 256000 baud: a check byte, the payload with its first byte
// rewritten (0x61 for a byte below the command prefix, else the byte plus 0x50), escaped with
// DB DC for C0 and DB DD for DB, then C0; 0x55 plus every byte before C0 sums to 0.
//
// Answers go back in the framing they were asked in: framing A as FA, two leading bytes outside
// the check, the payload, the XOR of the whole payload, all escaped, F5; framing B as a check byte
// that makes 0xAA plus every byte before C0 sum to 0, the payload as it is, escaped, C0.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TFraming { frA, frB };

inline constexpr uint32_t FramingASpeed = 19200;
inline constexpr uint32_t FramingBSpeed = 256000;

// Lead: the two bytes that framing A puts before the payload (framing B has none). BadCheck
// spoils the check byte, as a disturbed line would.
std::string EncodeAnswer(TFraming Framing, std::string_view Lead, std::string_view Payload,
                         bool BadCheck = false);

// Gathers the program's frames from the bytes a device hears and hands back the payload of each
// frame whose check holds. Bytes outside frames, broken escapes and frames that outgrow
// MaxFrameBytes are dropped, so garbage costs bounded memory and never brings an answer.
class TCommandReader {
 public:
  static constexpr size_t MaxFrameBytes = 1024;

  // A change of framing drops a frame under way: its bytes were heard at another speed.
  std::vector<std::string> Feed(TFraming Framing, std::string_view Bytes);
  void Reset();

 private:
  std::optional<std::string> Finish() const;

  TFraming FFraming = TFraming::frA;
  bool FInFrame = false;   // framing A: a start byte was heard
  bool FSkipping = false;  // framing B: the frame under way outgrew the cap; wait for its end
  std::string FRaw;        // the frame under way, escapes included
};
