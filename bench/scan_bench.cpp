// A network scan of a bus of controllers at random serial numbers, the line paced at 19200 baud,
// through a real pseudo-terminal and the real window. For each run: the probes sent and how many
// found someone, the wall time of the scan, and the time it cannot be shorter than: the scan's own
// waits (20 ms after every probe, 100 ms for the answer to a probe that finds nobody) plus the
// wire time of every byte sent and answered, less what goes by during those waits: a probe that
// finds nobody is on the wire while its 100 ms run, and a probe that finds someone ends at the
// first byte of the answer, whose other bytes go by during the 20 ms after it.
//
// scan_bench [CONTROLLERS [RUNS [SEED]]], by default 100 controllers, 3 runs, seed 1: the same bus
// in every run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench_table.h"
#include "sim/controller.h"
#include "sim/device_framing.h"
#include "sim/line_recorder.h"
#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"
#include "tool/unit_state.h"
#include "ui/application.h"

namespace {

constexpr double ProbePauseS = 0.020;
constexpr double ProbeWaitS = 0.100;
constexpr double BitsPerByte = 10;
constexpr double Baud = 19200;

// The bytes of the answer to a probe of the window: the longest of the answering controllers'
// frames, for answers at the same moment collide into one.
size_t ProbeAnswerBytes(const std::set<uint16_t>& Serials, const TProbeWindow& W) {
  size_t Longest = 0;
  for (auto It = Serials.lower_bound(W.Low); It != Serials.end() && *It <= W.High; ++It) {
    const std::string Payload = {0x20, 0, 0, char(0xFC), char(*It & 0xFF), char(*It >> 8)};
    Longest = std::max(Longest, EncodeAnswer(TFraming::frA, Payload.substr(0, 2), Payload).size());
  }
  return Longest;
}

struct TRun {
  double WallS = 0;
  double FloorS = 0;
  size_t Probes = 0;
  size_t Hits = 0;
  int Found = 0;
};

TRun ScanOnce(int Controllers, unsigned Seed) {
  TSimBus Bus;
  const std::string Scenario =
      "converter normal serial=12345 mode=0\ncontrollers count=" + std::to_string(Controllers) +
      " seed=" + std::to_string(Seed) + " text=\"Door\"\n";
  std::set<uint16_t> Serials;
  auto& Recorder = static_cast<TLineRecorder&>(Bus.Add(std::make_unique<TLineRecorder>()));
  for (auto& Device : ParseScenario(Scenario)) {
    if (const auto* C = dynamic_cast<const TSimController*>(Device.get()))
      Serials.insert(C->Settings().SerialNumber);
    Bus.Add(std::move(Device));
  }
  ::setenv("V8_SERIAL_ENUM", "0", 1);
  ::setenv("V8_SERIAL_PORTS", ("SIM0=" + Bus.SlavePath()).c_str(), 1);
  TComponentPtr<TfmMain> Window(CreateMainForm(nullptr));
  Window->ppmWriteLogInfo->SetChecked(false);
  Window->seNetAdr->SetValue(0);
  Bus.SetPacing(true);
  const size_t SentBefore = Bus.Received().size();
  const size_t AnsweredBefore = Bus.Answered();

  const auto Start = std::chrono::steady_clock::now();
  Window->btCheckNetAddr->Click();
  TRun Run;
  Run.WallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();

  size_t Overlapped = 0;  // bytes on the wire during the probes' own waits
  for (const TProbeWindow& W : Recorder.ProbeWindows()) {
    ++Run.Probes;
    if (const size_t Answer = ProbeAnswerBytes(Serials, W); Answer > 0) {
      ++Run.Hits;
      Overlapped += Answer - 1;
    } else {
      Overlapped += Window->GetPack(RangeProbe(CmdPrefix, W.Low, W.High)).size();
    }
  }
  Bus.WaitUntilSent(std::chrono::seconds(1));
  const size_t LineBytes = Bus.Received().size() - SentBefore + Bus.Answered() - AnsweredBefore;
  Run.FloorS = double(Run.Probes) * ProbePauseS + double(Run.Probes - Run.Hits) * ProbeWaitS +
               double(LineBytes - Overlapped) * BitsPerByte / Baud;
  for (int I = 0; I < Window->Memo1->Lines()->Count(); ++I)
    if (Window->Memo1->Lines()->Get(I).rfind(u"#", 0) == 0) ++Run.Found;
  Window->Close();
  Application().ClearTerminated();
  return Run;
}

}  // namespace

int main(int argc, char** argv) {
  const int Controllers = argc > 1 ? std::atoi(argv[1]) : 100;
  const int Runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const unsigned Seed = argc > 3 ? unsigned(std::atoi(argv[3])) : 1;
  std::printf(
      "scan of %d controllers at random serial numbers (seed %u), paced at 19200 baud; %s\n",
      Controllers, Seed, MachineLoad().c_str());
  std::vector<double> Walls, Ratios;
  for (int R = 0; R < Runs; ++R) {
    const TRun Run = ScanOnce(Controllers, Seed);
    std::printf(
        "run %d: %zu probes (%zu found someone), %d reported, wall %.3f s, waits and wire "
        "%.3f s, ratio %.4f\n",
        R + 1, Run.Probes, Run.Hits, Run.Found, Run.WallS, Run.FloorS, Run.WallS / Run.FloorS);
    Walls.push_back(Run.WallS);
    Ratios.push_back(Run.WallS / Run.FloorS);
  }
  const TSpread Wall = SpreadOf(Walls);
  const TSpread Ratio = SpreadOf(Ratios);
  std::printf("wall: median %.3f s (%.3f .. %.3f); ratio: median %.4f (%.4f .. %.4f)\n",
              Wall.Median, Wall.Min, Wall.Max, Ratio.Median, Ratio.Min, Ratio.Max);
  return 0;
}
