// Start-up to the first finished paint, offscreen, each start in a fresh process: the program's
// own start (the Qt application, the window read from its form data, the port scan and converter
// detection of FormCreate, the Qt view) without a serial port and with one simulated converter,
// against two floors started the same way from bench_startup_floor, a program that links Qt and
// nothing of ours: a minimal Qt Widgets window, and the program's window written in plain Qt.
// Before timing, the first frames of the plain window and of the program are grabbed and
// compared, pixel by pixel. The clock runs from before the process starts until the window's
// first paint has been carried out, the whole tree painted and handed to the screen. The cases
// take turns; prints every run, the medians with their spread and the ratio to each floor, and
// the median of the ratios that each round gives, which load on the machine moves least.
// Detection waits 220 ms on every port it tries, as the tool must: that wait is reported beside
// the figure.
#include <sys/resource.h>
#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_table.h"
#include "first_paint.h"
#include "os/port_list.h"
#include "qtview/qt_font_config.h"
#include "qtview/qt_view.h"
#include "sim/converter.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"
#include "ui/application.h"

namespace {

constexpr double DetectionWaitMs = 220;  // per port tried
// Without a port the program lists the system's serial ports once, for the scan.
constexpr int ListingsWithoutPort = 1;

// The median time of one listing of the system's serial ports, in ms; Found tells whether it
// found any.
double PortListingMs(bool& Found) {
  std::vector<double> Ms;
  for (int I = 0; I < 15; ++I) {
    const int64_t Start = MonotonicNs();
    Found = !GetSerialCommValues().empty();
    Ms.push_back(static_cast<double>(MonotonicNs() - Start) / 1e6);
  }
  return SpreadOf(Ms).Median;
}

// User and system time of the reaped children, in ms.
double ChildrenCpuMs() {
  rusage Usage{};
  getrusage(RUSAGE_CHILDREN, &Usage);
  const auto Ms = [](const timeval& T) {
    return static_cast<double>(T.tv_sec) * 1e3 + static_cast<double>(T.tv_usec) / 1e3;
  };
  return Ms(Usage.ru_utime) + Ms(Usage.ru_stime);
}

// Starts as the program's main does.
int RunProgram(int argc, char** argv, const char* GrabFile) {
  const TFontConfigReading FontConfig;
  QApplication QtApp(argc, argv);
  TFirstPaint Watch(GrabFile);
  TQtView View(Application());
  Application().Initialize();
  Application().SetOnIdle([] { Application().PrepareForms(); });
  TfmMain* Form = CreateMainForm(&Application());
  Form->ppmWriteLogInfo->SetChecked(false);
  Application().SetMainForm(Form);
  View.WidgetOf(Form)->installEventFilter(&Watch);
  Application().Run();
  return 1;  // the window was never painted
}

// Starts one case: the floors from their own program, the program from this one.
std::string StartCase(const char* Self, const char* Child, const char* GrabFile = nullptr) {
  std::vector<std::string> Args{Child};
  if (GrabFile) Args.emplace_back(GrabFile);
  if (std::string(Child) == "app") return ::RunChild(Self, Args);
  static const std::string Floors =
      (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "bench_startup_floor")
          .string();
  return ::RunChild(Floors.c_str(), Args, Floors.c_str());
}

// The share of pixels in which two saved frames differ; 1 when they cannot be compared.
double DifferingShare(const QString& A, const QString& B) {
  const QImage First(A), Second(B);
  if (First.isNull() || First.size() != Second.size()) return 1;
  const QImage X = First.convertToFormat(QImage::Format_RGB32),
               Y = Second.convertToFormat(QImage::Format_RGB32);
  long Differing = 0;
  for (int Row = 0; Row < X.height(); ++Row)
    for (int Column = 0; Column < X.width(); ++Column)
      Differing += X.pixel(Column, Row) != Y.pixel(Column, Row);
  return static_cast<double>(Differing) / (static_cast<double>(X.width()) * X.height());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--child")
    return RunProgram(argc, argv, argc > 3 ? argv[3] : nullptr);
  const int Runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::unsetenv("V8_SERIAL_PORTS");
  bool SystemPorts = false;
  const double ListingMs = PortListingMs(SystemPorts);
  // Ports of this machine would each be tried with a wait: then the cases leave the system's
  // ports out, and with them the listing, whose time is shown beside the figures instead.
  if (SystemPorts) ::setenv("V8_SERIAL_ENUM", "0", 1);
  TSimBus Bus;
  Bus.Add(std::make_unique<TSimConverter>(TConverterSettings{}));
  const std::string OnePort = "SIM0=" + Bus.SlavePath();

  struct TCase {
    const char* Name;
    const char* Child;
    std::string Ports;
    double Waits;
  };
  const TCase Cases[] = {{"floor: one button", "floor", "", 0},
                         {"floor: plain Qt window", "plain", "", 0},
                         {"program, no port", "app", "", 0},
                         {"program, 1 converter", "app", OnePort, DetectionWaitMs}};
  const TCase& Plain = Cases[1];
  const TCase& NoPort = Cases[2];

  // The plain window must paint what the program paints.
  {
    const TWorkDir Dir("startup_bench");
    std::vector<std::string> Frames;
    for (const TCase* C : {&Plain, &NoPort}) {
      ::setenv("V8_SERIAL_PORTS", C->Ports.c_str(), 1);
      Frames.push_back((Dir.Path() / (std::string(C->Child) + ".png")).string());
      if (StartCase(argv[0], C->Child, Frames.back().c_str()).empty()) {
        std::fprintf(stderr, "%s: the window was not painted\n", C->Name);
        return 1;
      }
    }
    std::printf(
        "The plain window's first frame differs from the program's in %.2f%% of pixels\n",
        100 * DifferingShare(QString::fromStdString(Frames[0]), QString::fromStdString(Frames[1])));
  }

  std::printf("Start-up to the first finished paint (%s)\n", MachineLoad().c_str());
  // Wall time, and the processor time of the whole child (all its threads): other work on the
  // same core stretches only the former.
  std::map<std::string, std::vector<double>> Ms, CpuMs;
  for (int R = 0; R < Runs; ++R)
    for (const TCase& C : Cases) {
      ::setenv("V8_SERIAL_PORTS", C.Ports.c_str(), 1);
      const double CpuBefore = ChildrenCpuMs();
      const int64_t Start = MonotonicNs();
      const std::string Out = StartCase(argv[0], C.Child);
      if (Out.empty()) {
        std::fprintf(stderr, "%s: the window was not painted\n", C.Name);
        return 1;
      }
      Ms[C.Name].push_back((std::atoll(Out.c_str()) - Start) / 1e6);
      CpuMs[C.Name].push_back(ChildrenCpuMs() - CpuBefore);
      std::printf("run %2d %-24s %8.1f ms, processor %8.1f ms\n", R + 1, C.Name, Ms[C.Name].back(),
                  CpuMs[C.Name].back());
    }
  for (const bool Cpu : {false, true}) {
    auto& Times = Cpu ? CpuMs : Ms;
    const std::vector<double>& Plains = Times[Plain.Name];
    const double Floor = SpreadOf(Times[Cases[0].Name]).Median,
                 PlainFloor = SpreadOf(Plains).Median;
    std::printf("\n%s\n%-24s %24s %14s %16s %16s %16s\n", Cpu ? "Processor time" : "Wall time",
                "case", "median ms (min-max)", "its own waits", "(m - w)/button", "(m - w)/plain",
                "per round/plain");
    for (const TCase& C : Cases) {
      const TSpread S = SpreadOf(Times[C.Name]);
      const double Waits = Cpu ? 0 : C.Waits;  // a wait takes no processor time
      std::vector<double> Rounds;
      for (size_t R = 0; R < Plains.size(); ++R)
        Rounds.push_back((Times[C.Name][R] - Waits) / Plains[R]);
      std::printf("%-24s %9.1f (%5.1f-%6.1f) %11.0f ms %16.2f %16.2f %16.2f\n", C.Name, S.Median,
                  S.Min, S.Max, Waits, (S.Median - Waits) / Floor, (S.Median - Waits) / PlainFloor,
                  SpreadOf(Rounds).Median);
    }
  }
  const double Listings = ListingsWithoutPort * ListingMs;
  if (SystemPorts)
    std::printf(
        "This machine has serial ports, so the cases leave out listing them: %.2f ms a listing, "
        "%d listing(s) (%.1f ms) in a start without a port, which would make it %.2f times the "
        "plain floor's wall time\n",
        ListingMs, ListingsWithoutPort, Listings,
        (SpreadOf(Ms[NoPort.Name]).Median + Listings) / SpreadOf(Ms[Plain.Name]).Median);
  else
    std::printf(
        "Listing the system's serial ports, none here: %.2f ms, %d times in a start "
        "without a port, counted in its figures\n",
        ListingMs, ListingsWithoutPort);
  std::printf("target: (median - waits) / floor at most 1.15\n%s\n", MachineLoad().c_str());
  return 0;
}
