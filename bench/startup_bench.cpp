// Start-up to the first finished paint, offscreen, each start in a fresh process: the program's
// own start (the Qt application, the window read from its form data, the port scan and converter
// detection of FormCreate, the Qt view) without a serial port and with one simulated converter,
// against two floors started the same way: a minimal Qt Widgets window (a window of the same size
// with one button), and the program's window written in plain Qt, with the same widgets, fonts,
// colours and texts as the program's first frame without a port. Before timing, the first frames
// of the plain window and of the program are grabbed and compared, pixel by pixel. The clock runs
// from before the process starts until the window's first paint has been carried out, the whole
// tree painted and handed to the screen. The cases take turns; prints every run, the medians with
// their spread and the ratio to each floor. Detection waits 220 ms on every port it tries, as the
// tool must: that wait is reported beside the figure.
#include <sys/resource.h>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
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

// User and system time of the reaped children, in ms.
double ChildrenCpuMs() {
  rusage Usage{};
  getrusage(RUSAGE_CHILDREN, &Usage);
  const auto Ms = [](const timeval& T) {
    return static_cast<double>(T.tv_sec) * 1e3 + static_cast<double>(T.tv_usec) / 1e3;
  };
  return Ms(Usage.ru_utime) + Ms(Usage.ru_stime);
}

// At the window's first paint event, waits for the paint to be carried out (the events of the
// paint run to their end before a zero timer fires), then prints the time and ends the process.
// Given a file, first saves the window's frame there.
class TFirstPaint : public QObject {
 public:
  explicit TFirstPaint(const char* GrabFile) : FGrabFile(GrabFile) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Paint && !FSeen) {
      FSeen = true;
      QTimer::singleShot(0, [this, Watched] {
        if (FGrabFile) static_cast<QWidget*>(Watched)->grab().save(QString::fromUtf8(FGrabFile));
        std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return QObject::eventFilter(Watched, Event);
  }

 private:
  const char* FGrabFile;
  bool FSeen = false;
};

int RunFloor(int argc, char** argv, const char* GrabFile) {
  QApplication QtApp(argc, argv);
  TFirstPaint Watch(GrabFile);
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

QFont Font(const char* Family, int Pixels, bool Bold) {
  QFont F(QString::fromLatin1(Family));
  F.setPixelSize(Pixels);
  F.setBold(Bold);
  return F;
}

// The program's window as a Qt programmer would write it, widget by widget in the order of the
// program's form, showing what the program shows without a port.
int RunPlainFloor(int argc, char** argv, const char* GrabFile) {
  QApplication QtApp(argc, argv);
  TFirstPaint Watch(GrabFile);
  const char* const Sans = "DejaVu Sans Condensed";
  const QFont Small = Font(Sans, 11, false), Title = Font(Sans, 15, true),
              Field = Font(Sans, 19, true);
  QWidget Window;
  Window.setWindowTitle(QStringLiteral("Q8M update V1.8"));
  Window.setFont(Small);
  Window.resize(408, 616);

  auto* Panel = new QFrame(&Window);
  Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel->setAutoFillBackground(true);
  Panel->setGeometry(0, 0, 408, 193);
  const auto Group = [Panel, &Title](const char* Text, int X, int Y, int W, int H) {
    auto* G = new QGroupBox(QString::fromUtf8(Text), Panel);
    G->setFont(Title);
    G->setAutoFillBackground(true);
    G->setGeometry(X, Y, W, H);
    return G;
  };
  const auto Tool = [](QWidget* Parent, const char* Text, const QFont& F, QRect Bounds) {
    auto* B = new QToolButton(Parent);
    B->setFocusPolicy(Qt::NoFocus);
    B->setToolButtonStyle(Qt::ToolButtonTextOnly);
    B->setText(QString::fromUtf8(Text));
    B->setFont(F);
    B->setGeometry(Bounds);
    return B;
  };
  const auto Spin = [&Field](QWidget* Parent, int Min, int Max, QColor Base) {
    auto* S = new QSpinBox(Parent);
    S->setFont(Field);
    S->setRange(Min, Max);
    QPalette P = S->palette();
    P.setColor(QPalette::Active, QPalette::Base, Base);
    P.setColor(QPalette::Inactive, QPalette::Base, Base);
    S->setPalette(P);
    S->setGeometry(11, 22, 78, 33);
    return S;
  };

  QGroupBox* Address = Group("Network address", 239, 8, 161, 67);
  Spin(Address, 0, 255, QColor(0xa6, 0xca, 0xf0));
  Tool(Address, "Scan", Title, {95, 19, 57, 25});
  Tool(Address, "Open door", Small, {95, 45, 57, 18})->hide();
  QGroupBox* Serial = Group("Serial number", 239, 81, 161, 104);
  Spin(Serial, 1, 65535, QColor(0xc0, 0xdc, 0xc0));
  Tool(Serial, "Check", Title, {96, 22, 57, 33});
  Tool(Serial, "Set new address", Title, {8, 64, 145, 33});
  QGroupBox* Port = Group("Port converter ", 9, 8, 190, 67);
  auto* Ports = new QComboBox(Port);
  Ports->setEditable(true);
  Ports->setFont(Field);
  Ports->setGeometry(9, 22, 88, 31);
  Tool(Port, "Rescan", Title, {100, 22, 84, 31});
  QGroupBox* Image = Group("Firmware", 9, 81, 190, 104);
  Tool(Image, "Load image", Title, {17, 20, 155, 33});
  Tool(Image, "Start update", Title, {17, 59, 155, 33})->setEnabled(false);
  Tool(Panel, "Scan", Small, {142, 199, 57, 31});
  for (const auto& [Text, Y] : {std::pair{"Eng", 19}, std::pair{"Rus", 45}}) {
    auto* B = new QPushButton(QString::fromUtf8(Text), Panel);
    B->setAutoDefault(false);
    B->setGeometry(202, Y, 33, 22);
  }

  auto* Memo = new QPlainTextEdit(&Window);
  Memo->setFont(Font("DejaVu Sans Mono", 12, false));
  QPalette MemoColours = Memo->palette();
  for (const QPalette::ColorGroup Group : {QPalette::Active, QPalette::Inactive})
    MemoColours.setColor(Group, QPalette::Base, QColor(0xff, 0xfb, 0xf0));
  Memo->setPalette(MemoColours);
  Memo->setReadOnly(true);
  Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QStringList Lines;
  for (int I = 1; I <= 16; ++I) Lines << QStringLiteral("COM%1 (Bad)- can not open!").arg(I);
  Lines << QStringLiteral("Not found any converters!");
  Memo->setPlainText(Lines.join(QLatin1Char('\n')));
  Memo->setGeometry(0, 193, 408, 406);

  auto* Bar = new QStatusBar(&Window);
  Bar->setSizeGripEnabled(false);
  Bar->setAutoFillBackground(true);
  Bar->setGeometry(0, 599, 408, 17);
  for (const char* Text : {"Version ", ""}) {
    auto* Label = new QLabel(QString::fromUtf8(Text), Bar);
    Label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label->setAlignment(Text[0] ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (Text[0]) Label->setFixedWidth(100);
    Bar->addWidget(Label, Text[0] ? 0 : 1);
  }

  Window.installEventFilter(&Watch);
  Window.show();
  QtApp.exec();
  return 1;
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

// "--child CASE [GRAB]": starts one case; with GRAB, saves its first frame there.
int RunChild(int argc, char** argv) {
  const std::string Case = argv[2];
  const char* GrabFile = argc > 3 ? argv[3] : nullptr;
  if (Case == "floor") return RunFloor(argc, argv, GrabFile);
  if (Case == "plain") return RunPlainFloor(argc, argv, GrabFile);
  return RunProgram(argc, argv, GrabFile);
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
      if (::RunChild(argv[0], {C->Child, Frames.back()}).empty()) {
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
      const std::string Out = ::RunChild(argv[0], {C.Child});
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
    const double Floor = SpreadOf(Times[Cases[0].Name]).Median,
                 PlainFloor = SpreadOf(Times[Plain.Name]).Median;
    std::printf("\n%s\n%-24s %24s %14s %16s %16s\n", Cpu ? "Processor time" : "Wall time", "case",
                "median ms (min-max)", "its own waits", "(m - w)/button", "(m - w)/plain");
    for (const TCase& C : Cases) {
      const TSpread S = SpreadOf(Times[C.Name]);
      const double Waits = Cpu ? 0 : C.Waits;  // a wait takes no processor time
      std::printf("%-24s %9.1f (%5.1f-%6.1f) %11.0f ms %16.2f %16.2f\n", C.Name, S.Median, S.Min,
                  S.Max, Waits, (S.Median - Waits) / Floor, (S.Median - Waits) / PlainFloor);
    }
  }
  std::printf("target: (median - waits) / floor at most 1.15\n%s\n", MachineLoad().c_str());
  return 0;
}
