// Start-up of the program to its first painted window, offscreen: the program's own start (the
// Qt application, the window read from its form data, the port scan of FormCreate, the Qt view)
// run in a fresh process each time, timed from before the process starts to the first paint of
// the window. Prints every run and the median.
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "qtview/qt_view.h"
#include "tool/main_window.h"
#include "ui/application.h"

namespace {

int64_t MonotonicNs() {
  timespec T{};
  clock_gettime(CLOCK_MONOTONIC, &T);
  return int64_t{T.tv_sec} * 1'000'000'000 + T.tv_nsec;
}

// Prints the time of the window's first paint and ends the process there.
class TFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint) {
      std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
      std::fflush(stdout);
      std::_Exit(0);
    }
    return QObject::eventFilter(Watched, Event);
  }
};

int RunChild(int argc, char** argv) {
  QApplication QtApp(argc, argv);
  TQtView View(Application());
  Application().Initialize();
  TfmMain* Form = CreateMainForm(&Application());
  Application().SetMainForm(Form);
  TFirstPaint Watch;
  View.WidgetOf(Form)->installEventFilter(&Watch);
  Application().Run();
  return 1;  // the window was never painted
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--child") return RunChild(argc, argv);
  const int Runs = argc > 1 ? std::atoi(argv[1]) : 15;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::setenv("V8_SERIAL_ENUM", "0", 1);
  ::setenv("V8_SERIAL_PORTS", "", 1);
  std::vector<double> Ms;
  for (int I = 0; I < Runs; ++I) {
    int Pipe[2];
    if (pipe(Pipe) != 0) return 1;
    const int64_t Start = MonotonicNs();
    const pid_t Child = fork();
    if (Child == 0) {
      dup2(Pipe[1], STDOUT_FILENO);
      close(Pipe[0]);
      execl("/proc/self/exe", argv[0], "--child", static_cast<char*>(nullptr));
      std::_Exit(127);
    }
    close(Pipe[1]);
    char Buf[64] = {};
    const ssize_t N = read(Pipe[0], Buf, sizeof Buf - 1);
    close(Pipe[0]);
    int Status = 0;
    waitpid(Child, &Status, 0);
    if (N <= 0) {
      std::fprintf(stderr, "run %d: the window was not painted\n", I + 1);
      return 1;
    }
    Ms.push_back((std::atoll(Buf) - Start) / 1e6);
    std::printf("run %2d: %7.1f ms\n", I + 1, Ms.back());
  }
  std::sort(Ms.begin(), Ms.end());
  std::printf("median start-up to the first painted window: %.1f ms (target < 150 ms)\n",
              Ms[Ms.size() / 2]);
  return 0;
}
