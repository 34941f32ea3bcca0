#pragma once
// The window against controllers on the simulated line: a fixture that opens it on a converter
// and the given controllers, and the means to act between the steps of a running operation.
#include <functional>

#include "sim/controller.h"
#include "tool/unit_state.h"
#include "tool_test_support.h"

inline TControllerSettings Controller(uint16_t SN, uint8_t Address) {
  TControllerSettings S;
  S.SerialNumber = SN;
  S.Address = Address;
  S.Type = 0x1A;
  S.VersionMajor = 3;
  S.VersionMinor = 7;
  S.MemoryKb = 8;
  return S;
}

// Delivers the posted events as the headless driver does, and runs a test's step at a chosen
// processing of messages (counted from 1), so a test can act between two steps of an operation.
class TSteppingDriver : public THeadlessDriver {
 public:
  TSteppingDriver(int At, std::function<void()> Step) : FAt(At), FStep(std::move(Step)) {
    Application().SetDriver(this);
  }
  ~TSteppingDriver() override { Application().SetDriver(nullptr); }
  TSteppingDriver(const TSteppingDriver&) = delete;
  TSteppingDriver& operator=(const TSteppingDriver&) = delete;

  void ProcessMessages(TApplication& App) override {
    if (++FCalls == FAt) FStep();
    THeadlessDriver::ProcessMessages(App);
  }
  int Calls() const { return FCalls; }

 private:
  int FAt;
  std::function<void()> FStep;
  int FCalls = 0;
};

class CheckTest : public ToolTest {
 protected:
  void TearDown() override {
    CmdPrefix = 0x20;
    ToolTest::TearDown();
  }

  // A converter and the given controllers on one line, with the window open on it.
  TfmMain& OpenWith(std::initializer_list<TControllerSettings> Controllers) {
    TSimBus& Bus = AddConverter("SIM0");
    for (const auto& C : Controllers)
      Devices.push_back(
          &static_cast<TSimController&>(Bus.Add(std::make_unique<TSimController>(C))));
    return OpenWindow();
  }

  std::vector<TSimController*> Devices;
};
