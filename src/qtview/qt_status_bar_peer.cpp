#include "qtview/qt_status_bar_peer.h"

#include <QLabel>
#include <QStatusBar>

#include "qtview/qt_text.h"
#include "ui/published_names.h"

namespace {

Qt::Alignment AlignmentOf(TAlignment A) {
  switch (A) {
    case taRightJustify:
      return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
      return Qt::AlignCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QLabel* NewPanel(QWidget* Parent) {
  auto* L = new QLabel(Parent);
  L->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  L->setTextFormat(Qt::PlainText);
  return L;
}

}  // namespace

QWidget* TQtStatusBarPeer::CreateWidget(QWidget* Parent) {
  auto* Bar = new QStatusBar(Parent);
  Bar->setSizeGripEnabled(false);
  Bar->setAutoFillBackground(true);
  FSimple = NewPanel(Bar);
  Bar->addWidget(FSimple, 1);
  return Bar;
}

void TQtStatusBarPeer::ApplyAll() {
  Apply(u"Panels");
}

void TQtStatusBarPeer::Apply(const String& PropName) {
  if (PropName == Published::SimpleText) {
    FSimple->setText(ToQString(FBar.SimpleText()));
    return;
  }
  if (PropName != u"Panels" && PropName != u"SimplePanel") return;
  auto* Bar = static_cast<QStatusBar*>(Widget());
  const TStatusPanels& Panels = *FBar.Panels();
  const size_t Count = static_cast<size_t>(Panels.Count());
  if (FPanels.size() != Count) {
    for (QLabel* L : FPanels) delete L;
    FPanels.clear();
    // The last panel stretches to the bar's end.
    for (size_t I = 0; I < Count; ++I) {
      FPanels.push_back(NewPanel(Bar));
      Bar->addWidget(FPanels.back(), I + 1 == Count ? 1 : 0);
    }
  }
  for (size_t I = 0; I < Count; ++I) {
    const TStatusPanel& P = *Panels.Items(static_cast<int>(I));
    QLabel* L = FPanels[I];
    L->setText(ToQString(P.Text()));
    L->setAlignment(AlignmentOf(P.Alignment()));
    L->setMinimumWidth(P.Width());
    L->setMaximumWidth(I + 1 == Count ? QWIDGETSIZE_MAX : P.Width());
    L->setVisible(!FBar.SimplePanel());
  }
  FSimple->setText(ToQString(FBar.SimpleText()));
  FSimple->setVisible(FBar.SimplePanel());
}
