// One info exchange with a simulated controller through a real pseudo-terminal: the tool's own
// overhead without pacing, and the time against the wire time with the line paced at 19200
// and 256000 baud.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "sim/controller.h"
#include "sim/converter.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"
#include "tool/unit_state.h"

namespace {

constexpr uint16_t Serial = 4321;

struct TRig {
  TSimBus Bus;
  TComponentPtr<TfmMain> Window;
  TComHandle Port;

  explicit TRig(int ComMode, bool Pacing) {
    Bus.Add(std::make_unique<TSimConverter>(TConverterSettings{}));
    TControllerSettings C;
    C.SerialNumber = Serial;
    C.Address = 3;
    Bus.Add(std::make_unique<TSimController>(C));
    ::setenv("V8_SERIAL_ENUM", "0", 1);
    ::setenv("V8_SERIAL_PORTS", ("SIM0=" + Bus.SlavePath()).c_str(), 1);
    Window.reset(CreateMainForm(nullptr));
    Window->ppmWriteLogInfo->SetChecked(false);
    Window->oComMode = ComMode;
    Port = Window->OpenComInMode();
    Bus.SetPacing(Pacing);
  }
};

// Time on the wire of the request's and the answer's frames: 10 bits a byte. The answer's
// frame is its payload framed as the controller sends it: framing A with two leading bytes,
// framing B with a check byte in front (which GetPack adds too).
double WireSeconds(TfmMain& W, const RawBytes& Answer, uint32_t Baud) {
  const RawBytes Request = W.GetPack(InfoBySN(CmdPrefix, Serial));
  const bool FramingA = W.oComMode == 0;
  const size_t AnswerFrame = W.GetPack(FramingA ? RawBytes(2, '\0') + Answer : Answer).size();
  return static_cast<double>((Request.size() + AnswerFrame) * 10) / Baud;
}

void Exchange(benchmark::State& State, int ComMode, bool Pacing, uint32_t Baud) {
  TRig Rig(ComMode, Pacing);
  RawBytes Answer;
  for (auto _ : State) {
    Answer = Rig.Window->ExPack(Rig.Port, InfoBySN(CmdPrefix, Serial), 600);
    if (Answer.size() < 9) {
      State.SkipWithError("no answer from the simulated controller");
      return;
    }
  }
  if (Pacing) State.counters["wire_us"] = WireSeconds(*Rig.Window, Answer, Baud) * 1e6;
}

void BM_Exchange_NoPacing(benchmark::State& S) {
  Exchange(S, 0, false, 19200);
}
void BM_Exchange_Paced19200(benchmark::State& S) {
  Exchange(S, 0, true, 19200);
}
void BM_Exchange_Paced256000(benchmark::State& S) {
  Exchange(S, 0x123, true, 256000);
}

BENCHMARK(BM_Exchange_NoPacing)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Exchange_Paced19200)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(60)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Exchange_Paced256000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(300)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
