// Many controllers from one scenario line, and answers that collide on the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "sim/controller.h"
#include "sim/scenario.h"
#include "sim_frames.h"
#include "sim_port.h"

namespace {

std::vector<TControllerSettings> Bus(const std::string& Line) {
  std::vector<TControllerSettings> R;
  for (const auto& Device : ParseScenario(Line))
    R.push_back(dynamic_cast<const TSimController&>(*Device).Settings());
  return R;
}

std::vector<uint16_t> Serials(const std::vector<TControllerSettings>& Controllers) {
  std::vector<uint16_t> R;
  for (const auto& C : Controllers) R.push_back(C.SerialNumber);
  return R;
}

}  // namespace

TEST(ScenarioBus, DistinctSerialNumbersBySeedWithinTheRange) {
  const auto Many = Bus("controllers count=300 seed=7 text=Door fault=garble:1\n");
  ASSERT_EQ(Many.size(), 300u);
  const std::vector<uint16_t> First = Serials(Many);
  EXPECT_EQ(std::set<uint16_t>(First.begin(), First.end()).size(), 300u);
  EXPECT_EQ(Serials(Bus("controllers count=300 seed=7")), First);
  EXPECT_NE(Serials(Bus("controllers count=300 seed=8")), First);
  EXPECT_EQ(Many[123].TextLines, std::vector<std::string>{"Door"});
  EXPECT_EQ(Many[123].Faults.Garble, 1);

  // Every number of a range as small as the count, each once.
  const std::vector<uint16_t> All = Serials(Bus("controllers count=5 sn=10-14 seed=3"));
  EXPECT_EQ(std::set<uint16_t>(All.begin(), All.end()), (std::set<uint16_t>{10, 11, 12, 13, 14}));
  const std::vector<uint16_t> Wide = Serials(Bus("controllers count=50 sn=60000-65535"));
  EXPECT_TRUE(std::all_of(Wide.begin(), Wide.end(), [](uint16_t S) { return S >= 60000; }));
}

TEST(ScenarioBus, AddressesCountUpAndWrapPastTheLast) {
  const auto Many = Bus("controllers count=4 sn=1-4 addr=253");
  std::vector<int> Addresses;
  for (const auto& C : Many) Addresses.push_back(C.Address);
  EXPECT_EQ(Addresses, (std::vector<int>{253, 254, 1, 2}));
}

TEST(ScenarioBus, RefusesWhatCannotBeBuilt) {
  for (const char* Bad :
       {"controllers", "controllers count=0", "controllers count=1001",
        "controllers count=6 sn=10-14", "controllers count=2 sn=14-10", "controllers count=2 sn=5",
        "controllers count=2 sn=0-9", "controllers count=2 seed=x", "controllers count=2 addr=0",
        "controllers count"}) {
    try {
      ParseScenario(Bad);
      ADD_FAILURE() << Bad;
    } catch (const std::runtime_error& Error) {
      EXPECT_EQ(std::string(Error.what()).rfind("scenario line 1:", 0), 0u) << Error.what();
    }
  }
}

// Two controllers answer one range probe at the same moment: the program hears one garbled
// answer, not two good ones, and still hears that someone is there.
TEST(ScenarioBus, AnswersAtTheSameMomentCollide) {
  TSimBus Line;
  for (const auto& C : Bus("controller sn=10 addr=1\ncontroller sn=20 addr=2"))
    Line.Add(std::make_unique<TSimController>(C));
  TSerialPort Port = OpenSimPort(Line, FramingASpeed);
  ASSERT_TRUE(Port.IsOpen());
  const std::string Probe = Bytes({0x20, 0, 0, 0xFC, 0, 0, 100, 0});
  TSimController Alone(Bus("controller sn=10")[0]);
  const size_t OneAnswer = Alone.OnBytes(FramingASpeed, PackA(Probe)).Bytes.size();
  ASSERT_TRUE(Port.Write(PackA(Probe)));
  ASSERT_GE(WaitQueued(Port, uint32_t(OneAnswer)), OneAnswer);
  ASSERT_TRUE(Line.WaitUntilSent(std::chrono::seconds(3)));
  uint32_t Count = 0;
  Port.QueuedBytes(Count);
  RawBytes Heard;
  Port.Read(Heard, Count);
  EXPECT_EQ(Heard.size(), OneAnswer);
  EXPECT_EQ(Line.Answered(), OneAnswer);
  EXPECT_EQ(UnpackA(Heard), "");
}
