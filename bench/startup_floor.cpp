// The floors of the start-up bench, in a program of their own that links Qt and nothing of ours,
// so that they start as a plain Qt program does: "--child floor|plain [GRAB]" starts one, with
// GRAB saving its first frame there. A minimal Qt Widgets window (a window of the same size with
// one button), and the service tool's window written in plain Qt, with the same widgets, fonts,
// colours and texts as the tool's first frame without a port.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <utility>

#include "first_paint.h"

namespace {

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

// The tool's window as a Qt programmer would write it, widget by widget in the order of the
// tool's form, showing what the tool shows without a port.
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || std::string(argv[1]) != "--child") return 2;
  const std::string Case = argv[2];
  const char* GrabFile = argc > 3 ? argv[3] : nullptr;
  if (Case == "floor") return RunFloor(argc, argv, GrabFile);
  if (Case == "plain") return RunPlainFloor(argc, argv, GrabFile);
  return 2;
}
