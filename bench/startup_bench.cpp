// Start-up to the first finished paint, offscreen, each start in a fresh process: the program's
// own start (the Qt application, the window read from its form data, the port scan and converter
// detection of FormCreate, the Qt view) without a serial port and with one simulated converter,
// and as the floor a minimal Qt Widgets window started the same way (a window of the same size
// with one button). The clock runs from before the process starts until the window's first paint
// has been carried out, the whole tree painted and handed to the screen. The three take turns;
// prints every run, the medians with their spread and the ratio to the floor. Detection waits
// 220 ms on every port it tries, as the tool must: that wait is reported beside the figure.
#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_table.h"
#include "qtview/qt_font_config.h"
#include "qtview/qt_view.h"
#include "sim/converter.h"
#include "sim/sim_bus.h"
#include "tool/main_window.h"
#include "ui/application.h"

namespace {

constexpr double DetectionWaitMs = 220;  // per port tried

int64_t MonotonicNs() {
  timespec T{};
  clock_gettime(CLOCK_MONOTONIC, &T);
  return int64_t{T.tv_sec} * 1'000'000'000 + T.tv_nsec;
}

// At the window's first paint event, waits for the paint to be carried out (the events of the
// paint run to their end before a zero timer fires), then prints the time and ends the process.
class TFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint && !FSeen) {
      FSeen = true;
      QTimer::singleShot(0, [] {
        std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return QObject::eventFilter(Watched, Event);
  }

 private:
  bool FSeen = false;
};

int RunFloor(int argc, char** argv) {
  QApplication QtApp(argc, argv);
  TFirstPaint Watch;
  QWidget Window;
  Window.resize(408, 616);
  Window.setWindowTitle(QStringLiteral("Q8M update V1.8"));
  QPushButton Button(QStringLiteral("Scan"), &Window);
  Button.setGeometry(95, 19, 57, 25);
  Window.installEventFilter(&Watch);
  Window.show();
  QtApp.exec();
  return 1;
}

// Starts as the program's main does.
int RunProgram(int argc, char** argv) {
  const TFontConfigReading FontConfig;
  QApplication QtApp(argc, argv);
  TFirstPaint Watch;
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

int RunChild(int argc, char** argv) {
  return std::string(argv[2]) == "floor" ? RunFloor(argc, argv) : RunProgram(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--child") return RunChild(argc, argv);
  const int Runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::setenv("V8_SERIAL_ENUM", "0", 1);
  TSimBus Bus;
  Bus.Add(std::make_unique<TSimConverter>(TConverterSettings{}));
  const std::string OnePort = "SIM0=" + Bus.SlavePath();

  struct TCase {
    const char* Name;
    const char* Child;
    std::string Ports;
    double Waits;
  };
  const TCase Cases[] = {{"floor (Qt window)", "floor", "", 0},
                         {"program, no port", "app", "", 0},
                         {"program, 1 converter", "app", OnePort, DetectionWaitMs}};
  std::printf("Start-up to the first finished paint (%s)\n", MachineLoad().c_str());
  std::map<std::string, std::vector<double>> Ms;
  for (int R = 0; R < Runs; ++R)
    for (const TCase& C : Cases) {
      ::setenv("V8_SERIAL_PORTS", C.Ports.c_str(), 1);
      const int64_t Start = MonotonicNs();
      const std::string Out = ::RunChild(argv[0], {C.Child});
      if (Out.empty()) {
        std::fprintf(stderr, "%s: the window was not painted\n", C.Name);
        return 1;
      }
      Ms[C.Name].push_back((std::atoll(Out.c_str()) - Start) / 1e6);
      std::printf("run %2d %-22s %8.1f ms\n", R + 1, C.Name, Ms[C.Name].back());
    }
  const double Floor = SpreadOf(Ms[Cases[0].Name]).Median;
  std::printf("\n%-22s %24s %14s %22s\n", "case", "median ms (min-max)", "its own waits",
              "(median - waits)/floor");
  for (const TCase& C : Cases) {
    const TSpread S = SpreadOf(Ms[C.Name]);
    std::printf("%-22s %9.1f (%5.1f-%6.1f) %11.0f ms %22.2f\n", C.Name, S.Median, S.Min, S.Max,
                C.Waits, (S.Median - C.Waits) / Floor);
  }
  std::printf("target: (median - waits) / floor at most 1.15\n%s\n", MachineLoad().c_str());
  return 0;
}
