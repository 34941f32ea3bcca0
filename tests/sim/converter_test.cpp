#include "sim/converter.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "sim_port.h"

namespace {

// Sends the wake-up at the given speed and collects the answer until the line stays quiet.
RawBytes Probe(TSimBus& Bus, uint32_t Baud, RawBytes WakeUp = RawBytes(ConverterWakeUp)) {
  TSerialPort Port = OpenSimPort(Bus, Baud);
  EXPECT_TRUE(Port.IsOpen());
  EXPECT_TRUE(Port.Purge(PURGE_TXCLEAR | PURGE_RXCLEAR));
  EXPECT_TRUE(Port.Write(WakeUp));
  return ReadUntilQuiet(Port, 150);
}

TConverterSettings Kind(TConverterKind Kind) {
  TConverterSettings Settings;
  Settings.Kind = Kind;
  return Settings;
}

TSimConverter& AddConverter(TSimBus& Bus, TConverterSettings Settings) {
  return static_cast<TSimConverter&>(Bus.Add(std::make_unique<TSimConverter>(Settings)));
}

}  // namespace

TEST(Converter, AnswersTheWakeUpOnlyAt230400) {
  TSimBus Bus;
  TConverterSettings Settings;
  Settings.SerialText = "04711";
  Settings.ModeDigit = '2';
  const TSimConverter& Converter = AddConverter(Bus, Settings);
  EXPECT_EQ(Probe(Bus, 19200), "");
  EXPECT_EQ(Probe(Bus, 256000), "");
  const RawBytes Banner = Probe(Bus, 230400);
  EXPECT_EQ(Banner, Converter.BannerText());
  EXPECT_EQ(Banner.rfind("K640-Orbit S/N:04711", 0), 0u);
  EXPECT_NE(Banner.find("Mode 2"), RawBytes::npos);
  EXPECT_GE(Banner.size(), 10u);
  EXPECT_EQ(Probe(Bus, 230400, "\xC8\x0D\xC8"), "");  // not the whole wake-up
}

TEST(Converter, WakeUpMayComeInPiecesButNotAcrossSpeeds) {
  TConverterSettings Settings;
  Settings.Banner = "xxK640-Orbit S/N:12345";
  TSimConverter Converter(Settings);
  EXPECT_EQ(Converter.OnBytes(230400, "\x01\xC8\x0D").Bytes, "");
  EXPECT_EQ(Converter.OnBytes(230400, "\xC8\x0D").Bytes, "xxK640-Orbit S/N:12345");
  EXPECT_EQ(Converter.OnBytes(230400, "\xC8\x0D").Bytes, "");
  EXPECT_EQ(Converter.OnBytes(19200, "\xC8").Bytes, "");
  EXPECT_EQ(Converter.OnBytes(230400, "\x0D").Bytes, "");
}

TEST(Converter, EchoAndSilentKinds) {
  TSimBus EchoBus;
  AddConverter(EchoBus, Kind(TConverterKind::ckEcho));
  EXPECT_EQ(Probe(EchoBus, 230400), ConverterWakeUp);
  EXPECT_EQ(Probe(EchoBus, 19200, "\xFA\x20\xF5"), "\xFA\x20\xF5");

  TSimBus SilentBus;
  AddConverter(SilentBus, Kind(TConverterKind::ckSilent));
  EXPECT_EQ(Probe(SilentBus, 230400), "");
  EXPECT_EQ(SilentBus.Received(), ConverterWakeUp);
}

TEST(Converter, HangUpOnWakeUpMakesThePortFail) {
  TSimBus Bus;
  TConverterSettings Settings;
  Settings.HangUpOnWakeUp = true;
  AddConverter(Bus, Settings);
  TSerialPort Port = OpenSimPort(Bus, 230400);
  ASSERT_TRUE(Port.SetMask(EV_RXCHAR));
  ASSERT_TRUE(Port.Write(RawBytes(ConverterWakeUp)));
  uint32_t Events = 0;
  EXPECT_EQ(Port.WaitEvent(Events, 10000), TWaitResult::wrFailed);
  EXPECT_TRUE(Port.Gone());
  EXPECT_TRUE(Bus.HungUp());
  EXPECT_EQ(Bus.LineSpeed(), 0u);
  EXPECT_FALSE(Bus.Send("late"));
}

TEST(Scenario, ParsesDevicesAndNamesTheBadLine) {
  auto Devices = ParseScenario(
      "# line\r\n"
      "converter normal serial=00042 mode=0\n"
      "\n"
      "  converter normal banner=\"noise K640-Orbit S/N:1 \\x41\\\\\\r\\n\" hangup\n"
      "converter echo\n"
      "converter silent\n");
  ASSERT_EQ(Devices.size(), 4u);
  auto& Custom = static_cast<TSimConverter&>(*Devices[1]);
  EXPECT_EQ(Custom.BannerText(), "noise K640-Orbit S/N:1 A\\\r\n");
  EXPECT_TRUE(Custom.OnBytes(230400, ConverterWakeUp).HangUp);
  EXPECT_EQ(static_cast<TSimConverter&>(*Devices[0]).BannerText().substr(0, 20),
            "K640-Orbit S/N:00042");

  for (const char* Bad : {"converter\n", "converter loud\n", "converter normal mode=12\n",
                          "converter normal banner=\"open\n", "controller x\n",
                          "converter normal speed=1\n", "converter normal banner=\\x4\n"}) {
    try {
      ParseScenario(std::string("# first\n") + Bad);
      ADD_FAILURE() << Bad;
    } catch (const std::runtime_error& Error) {
      EXPECT_EQ(std::string(Error.what()).rfind("scenario line 2:", 0), 0u) << Error.what();
    }
  }
}
