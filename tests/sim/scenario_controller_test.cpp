#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/controller.h"
#include "sim/scenario.h"

namespace {

TControllerSettings SettingsOf(const std::unique_ptr<TSimDevice>& Device) {
  const auto* Controller = dynamic_cast<const TSimController*>(Device.get());
  if (!Controller) throw std::runtime_error("not a controller");
  return Controller->Settings();
}

}  // namespace

TEST(ScenarioControllers, ParsesSettingsAndFaults) {
  const auto Devices = ParseScenario(
      "controller sn=0x1234 addr=5 type=0x27 version=2.17 speeds=256000 memory=12 weigand=on\t"
      "text=\"Front door\" text=\\xC0\\xEB net=701,702 netwait=3 probes=off\n"
      "controller sn=42 boot=on image=2048 chunk=200 result=7 fault=silent:2 fault=late delay=250"
      " fault=short short=2 noise=\\x01 fault=hangup:4 speeds=19200,256000\n"
      "controller sn=43 busy=3 sync=4 stray=0x42 start=off newaddr=9 restart=2\n"
      "controller sn=44 restart=never\n");
  ASSERT_EQ(Devices.size(), 4u);
  const TControllerSettings First = SettingsOf(Devices[0]);
  EXPECT_EQ(First.SerialNumber + First.Address + First.Type + First.MemoryKb,
            0x1234 + 5 + 0x27 + 12);
  EXPECT_EQ(First.VersionMajor * 100 + First.VersionMinor, 217);
  EXPECT_TRUE(!First.At19200 && First.At256000 && First.Weigand && !First.InRangeSearch);
  EXPECT_EQ(First.TextLines, (std::vector<std::string>{"Front door", "\xC0\xEB"}));
  EXPECT_EQ(First.NetList, (std::vector<uint16_t>{701, 702}));
  EXPECT_EQ(First.NetNotReady, 3);

  const TControllerSettings Second = SettingsOf(Devices[1]);
  EXPECT_TRUE(Second.LoaderActive && Second.At19200 && Second.At256000);
  EXPECT_EQ(Second.Loader.ImageSize + Second.Loader.Chunk + Second.Loader.Result, 2048u + 200 + 7);
  const TControllerFaults& F = Second.Faults;
  EXPECT_EQ(std::vector({F.Silent, F.Late, F.Short, F.HangUp, F.Garble + F.Twice + F.Noise}),
            std::vector({2, FaultAlways, FaultAlways, 4, 0}));
  EXPECT_EQ(F.LateMs + F.ShortLength, 250u + 2);
  EXPECT_EQ(F.NoiseBytes, "\x01");

  const TLoaderSettings Third = SettingsOf(Devices[2]).Loader;
  EXPECT_EQ(std::vector({Third.Busy, Third.SyncEvery, int(Third.StrayKind), int(Third.NewAddress),
                         Third.RestartSilent}),
            std::vector({3, 4, 0x42, 9, 2}));
  EXPECT_TRUE(!Third.Starts && Third.Restarts);
  EXPECT_FALSE(SettingsOf(Devices[3]).Loader.Restarts);
}

TEST(ScenarioControllers, NamesTheBadLine) {
  for (const char* Bad :
       {"sn=0",       "sn=65536",       "addr=255",         "sn=12x",      "sn=",
        "type=0x",    "speeds=9600",    "speeds=19200,",    "version=1",   "version=1.256",
        "fault=loud", "fault=silent:0", "fault=silent:2:3", "weigand=yes", "net=5",
        "short=5",    "memory=16",      "chunk=0",          "colour=red",  "sn",
        "stray=1",    "newaddr=0",      "restart=soon",     "start=maybe"}) {
    try {
      ParseScenario(std::string("converter echo\ncontroller ") + Bad + "\n");
      ADD_FAILURE() << Bad;
    } catch (const std::runtime_error& Error) {
      EXPECT_EQ(std::string(Error.what()).rfind("scenario line 2:", 0), 0u) << Error.what();
    }
  }
}
