#pragma once
// Runs the real main window headless against simulated devices on pseudo-terminals: the ports
// are named to the program through V8_SERIAL_PORTS, dialogs answer from a script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/code_page.h"
#include "core/stream.h"
#include "os/file_version.h"
#include "sim/converter.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"
#include "ui/application.h"
#include "ui/headless_dialogs.h"

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("V8_SERIAL_ENUM", "0", 1);
    ::setenv("V8_SERIAL_PORTS", "", 1);
    std::remove(LogPath().c_str());
    HeadlessDialogs().Clear();
    SetACP(1252);
  }

  void TearDown() override {
    CloseWindow();
    SetACP(0);
    ::unsetenv("V8_SERIAL_PORTS");
    ::unsetenv("V8_SERIAL_ENUM");
  }

  // A simulated line with the given devices, named NAME in the port list.
  TSimBus& AddBus(const std::string& Name) {
    Buses.push_back(std::make_unique<TSimBus>());
    PortEntries += (PortEntries.empty() ? "" : ";") + Name + "=" + Buses.back()->SlavePath();
    ::setenv("V8_SERIAL_PORTS", PortEntries.c_str(), 1);
    return *Buses.back();
  }

  TSimBus& AddConverter(const std::string& Name, TConverterSettings Settings = {}) {
    TSimBus& Bus = AddBus(Name);
    Bus.Add(std::make_unique<TSimConverter>(std::move(Settings)));
    return Bus;
  }

  void AddRawEntry(const std::string& Entry) {
    PortEntries += (PortEntries.empty() ? "" : ";") + Entry;
    ::setenv("V8_SERIAL_PORTS", PortEntries.c_str(), 1);
  }

  TfmMain& OpenWindow() {
    Window.reset(CreateMainForm(nullptr));
    return *Window;
  }

  void CloseWindow() {
    if (!Window) return;
    Window->Close();
    Application().ClearTerminated();
    Window.reset();
    fmMain = nullptr;
  }

  std::vector<String> MemoLines() const {
    std::vector<String> R;
    for (int I = 0; I < Window->Memo1->Lines()->Count(); ++I)
      R.push_back(Window->Memo1->Lines()->Get(I));
    return R;
  }

  static std::string LogPath() {
    return ToUtf8(ExtractFilePath(ProgramFileName())) + "V8AZezuda.log";
  }

  static bool LogExists() { return std::ifstream(LogPath()).good(); }

  static std::string LogBytes() {
    std::ifstream In(LogPath(), std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }

  std::vector<std::unique_ptr<TSimBus>> Buses;
  std::string PortEntries;
  TComponentPtr<TfmMain> Window;
};
