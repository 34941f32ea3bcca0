// A firmware upload of a 64 KiB image through the real window's Start update against the
// simulated boot loader, with the line paced at 256000 baud in both directions. The bound is
// the protocol's own time: every byte both ways at 10 bits a byte, plus the waits the upload
// makes on purpose (100 ms after starting the loader, 1000 ms for the new firmware to start).
// The counter "of_bound" is that bound over the measured time; 1 would be a tool that costs
// nothing beyond the wire.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "sim/controller.h"
#include "sim/converter.h"
#include "sim/image_writer.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"
#include "ui/headless_dialogs.h"

namespace {

constexpr uint16_t Serial = 4321;
constexpr uint32_t Baud = 256000;
constexpr double PlannedWaits = 0.1 + 1.0;
constexpr size_t ImageBytes = 64 * 1024;

// Counts the bytes a device hears and sends.
class TCountingDevice : public TSimDevice {
 public:
  explicit TCountingDevice(std::unique_ptr<TSimDevice> Inner) : FInner(std::move(Inner)) {}
  TSimReply OnBytes(uint32_t Speed, std::string_view Bytes) override {
    Heard += Bytes.size();
    TSimReply Reply = FInner->OnBytes(Speed, Bytes);
    Sent += Reply.Bytes.size();
    for (const TSimLateBytes& Late : Reply.Later) Sent += Late.Bytes.size();
    return Reply;
  }
  std::atomic<size_t> Heard{0};
  std::atomic<size_t> Sent{0};

 private:
  std::unique_ptr<TSimDevice> FInner;
};

struct TRig {
  TSimBus Bus;
  TCountingDevice* Controller = nullptr;
  TComponentPtr<TfmMain> Window;
  std::string ImagePath;

  explicit TRig(uint8_t Chunk) {
    Bus.Add(std::make_unique<TSimConverter>(TConverterSettings{}));
    TImagePlan Plan;
    Plan.Firmware = SampleFirmware(ImageBytes - 4);
    TControllerSettings C;
    C.SerialNumber = Serial;
    C.Address = 3;
    C.Loader.ImageSize = ImageBytes;
    C.Loader.Chunk = Chunk;
    Controller = &static_cast<TCountingDevice&>(
        Bus.Add(std::make_unique<TCountingDevice>(std::make_unique<TSimController>(C))));
    ::setenv("V8_SERIAL_ENUM", "0", 1);
    ::setenv("V8_SERIAL_PORTS", ("SIM0=" + Bus.SlavePath()).c_str(), 1);
    Window.reset(CreateMainForm(nullptr));
    Window->ppmWriteLogInfo->SetChecked(false);
    ImagePath = "/tmp/upload_bench_" + std::to_string(::getpid()) + ".rom";
    WriteImageFile(ImagePath, Plan);
    HeadlessDialogs().Push(TDialogAnswer::File(FromUtf8(ImagePath)));
    HeadlessDialogs().Push(TDialogAnswer::Button(mrYes));
    Window->btLoadImageClick(nullptr);
    Window->seSN->SetValue(Serial);
    Window->seNetAdr->SetValue(3);
    // As after a check that found the controller at the fast speed.
    Window->oComMode = ComModeFast;
    Bus.SetPacing(true);
  }
  ~TRig() { std::remove(ImagePath.c_str()); }
};

void Upload(benchmark::State& State) {
  TRig Rig(uint8_t(State.range(0)));
  double Measured = 0;
  double Bound = 0;
  for (auto _ : State) {
    Rig.Controller->Heard = 0;
    Rig.Controller->Sent = 0;
    const auto Start = std::chrono::steady_clock::now();
    Rig.Window->btProgClick(nullptr);
    Measured += std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    const TStrings& Lines = *Rig.Window->Memo1->Lines();
    if (Lines.Count() == 0 || Lines.Get(Lines.Count() - 1) != u"Firmware started successfully.") {
      State.SkipWithError("the upload did not succeed");
      return;
    }
    Bound += double(Rig.Controller->Heard + Rig.Controller->Sent) * 10 / Baud + PlannedWaits;
  }
  State.counters["bound_s"] = Bound / double(State.iterations());
  State.counters["of_bound"] = Bound / Measured;
}

BENCHMARK(Upload)
    ->Arg(128)
    ->Arg(255)
    ->ArgName("chunk")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
