#include "sim/device_framing.h"

#include <gtest/gtest.h>

#include "sim_frames.h"

using namespace std::string_literals;
using Commands = std::vector<std::string>;

namespace {

Commands Hear(TFraming Framing, std::string_view Bytes) {
  TCommandReader Reader;
  return Reader.Feed(Framing, Bytes);
}

}  // namespace

TEST(DeviceFraming, ReadsTheProgramsFrames) {
  const std::string Info = "\x20\x05\xFF\xFD\x00"s;
  EXPECT_EQ(Hear(TFraming::frA, "\xFA\x20\x05\xFF\x03\xFD\x00\x02\xF5"s), Commands{Info});
  EXPECT_EQ(Hear(TFraming::frB, "\x3A\x70\x05\xFF\xFD\x00\xC0"s), Commands{Info});
  EXPECT_EQ(Hear(TFraming::frA, "\xFA\x01\x05\x09\x09\xF5"), Commands{"\x01\x05\x09"});
  EXPECT_EQ(Hear(TFraming::frB, "\x3C\x61\x05\x09\xC0"), Commands{"\x01\x05\x09"});
  EXPECT_EQ(Hear(TFraming::frB, PackB("\x30\x05\x06", 0x30)), Commands{"\x30\x05\x06"});

  TCommandReader Reader;  // split anywhere, after noise, two in a row
  Commands Heard;
  for (const char C : "\x13\xF5"s + PackA(Info) + "\x00"s + PackA("\x01\x07\x09"))
    for (std::string& Command : Reader.Feed(TFraming::frA, std::string_view(&C, 1)))
      Heard.push_back(std::move(Command));
  EXPECT_EQ(Heard, (Commands{Info, "\x01\x07\x09"}));
  EXPECT_EQ(Reader.Feed(TFraming::frB, PackB(Info) + PackB("\x01\xC0\xDB")),
            (Commands{Info, "\x01\xC0\xDB"}));
}

TEST(DeviceFraming, DropsWhatDoesNotHoldAndWhatOutgrowsTheCap) {
  for (const std::string& Bad : {"\xFA\x01\x05\x09\x08\xF5"s, "\xFA\x01\x05\xFF\x04\x00\xF5"s,
                                 "\xFA\x01\x05\xFF\xF5"s, "\xFA\x01\xF5"s, "\x01\x05\x09\x09\xF5"s})
    EXPECT_EQ(Hear(TFraming::frA, Bad), Commands{}) << Bad.size();
  for (const std::string& Bad : {"\x3D\x61\x05\x09\xC0"s, "\x3C\x61\x05\xDB\x09\xC0"s, "\x99\xC0"s,
                                 "\x00\x13"s + PackB("\x01\x02\x09")})
    EXPECT_EQ(Hear(TFraming::frB, Bad), Commands{}) << Bad.size();

  // Zeros have a zero XOR, so only the cap refuses the longer frame.
  const size_t Cap = TCommandReader::MaxFrameBytes;
  EXPECT_EQ(Hear(TFraming::frA, PackA(std::string(Cap - 1, '\0'))).size(), 1u);
  EXPECT_EQ(Hear(TFraming::frA, PackA(std::string(Cap, '\0'))), Commands{});
  TCommandReader Reader;
  const std::string Long = PackB("\x20" + std::string(Cap + 10, '\x11'));
  EXPECT_EQ(Reader.Feed(TFraming::frB, Long.substr(0, Cap + 5)), Commands{});
  EXPECT_EQ(Reader.Feed(TFraming::frB, Long.substr(Cap + 5) + PackB("\x01\x07")),
            Commands{"\x01\x07"});
  // A frame begun at one speed is not finished at the other.
  EXPECT_EQ(Reader.Feed(TFraming::frA, PackA("\x01\x07").substr(0, 3)), Commands{});
  EXPECT_EQ(Reader.Feed(TFraming::frB, PackA("\x01\x07").substr(3)), Commands{});
}

TEST(DeviceFraming, AnswersReadBackAsTheProgramReadsThem) {
  EXPECT_EQ(EncodeAnswer(TFraming::frA, "\x20\x05", "\x01\x02\x07"),
            "\xFA\x20\x05\x01\x02\x07\x04\xF5");
  EXPECT_EQ(EncodeAnswer(TFraming::frB, "\x20\x05", "\x01\x02\x03"), "\x50\x01\x02\x03\xC0");
  const std::string Awkward = "\xFA\xF5\xFF\xC0\xDB\x00\x01"s;
  EXPECT_EQ(UnpackA(EncodeAnswer(TFraming::frA, "\xFA\xFF", Awkward)), Awkward);
  EXPECT_EQ(UnpackB(EncodeAnswer(TFraming::frB, "", Awkward)), Awkward);
  EXPECT_EQ(UnpackA(EncodeAnswer(TFraming::frA, "ab", Awkward, true)), "");
  EXPECT_EQ(UnpackB(EncodeAnswer(TFraming::frB, "", Awkward, true)), "");
}
