#include "qtview/qt_peer.h"

#include <QEvent>

#include "qtview/qt_color.h"
#include "qtview/qt_font.h"
#include "qtview/qt_text.h"
#include "ui/published_names.h"

class TQtPeer::TEvents : public QObject {
 public:
  explicit TEvents(TQtPeer& Peer) : FPeer(Peer) {}
  bool eventFilter(QObject* Watched, QEvent* E) override { return FPeer.Event(Watched, E); }

 private:
  TQtPeer& FPeer;
};

TQtPeer::TQtPeer(TQtView& View, TControl& Control)
    : FView(View), FControl(Control), FEvents(std::make_unique<TEvents>(*this)) {}

TQtPeer::~TQtPeer() = default;

void TQtPeer::Realise(QWidget* Parent) {
  FWidget = CreateWidget(Parent);
  TApplying Guard(*this);
  ApplyFont();
  ApplyBiDiMode();
  ApplyBounds();
  FWidget->setEnabled(FControl.Enabled());
  FWidget->setToolTip(ToQString(FControl.Hint()));
  ApplyCaption();
  ApplyAll();
  ApplyVisible();
}

void TQtPeer::Reparent(QWidget* Parent) {
  if (!FWidget || FWidget->parentWidget() == Parent) return;
  TApplying Guard(*this);
  FWidget->setParent(Parent);
  ApplyBounds();
  ApplyVisible();
}

void TQtPeer::Watch(QObject* Watched) {
  Watched->installEventFilter(FEvents.get());
}

void TQtPeer::PropertyChanged(const String& PropName) {
  if (!FWidget) return;
  TApplying Guard(*this);
  if (PropName == u"Bounds")
    ApplyBounds();
  else if (PropName == Published::Caption)
    ApplyCaption();
  else if (PropName == Published::Visible)
    ApplyVisible();
  else if (PropName == Published::Enabled)
    FWidget->setEnabled(FControl.Enabled());
  else if (PropName == Published::Font)
    ApplyFont();
  else if (PropName == Published::Color)
    ApplyPalette();
  else if (PropName == Published::Hint)
    FWidget->setToolTip(ToQString(FControl.Hint()));
  else if (PropName == Published::BiDiMode) {
    ApplyBiDiMode();
    Apply(PropName);
  } else
    Apply(PropName);
}

void TQtPeer::ApplyBounds() {
  FWidget->setGeometry(FControl.Left(), FControl.Top(), FControl.Width(), FControl.Height());
}

void TQtPeer::ApplyVisible() {
  FWidget->setVisible(FControl.Visible());
}

void TQtPeer::ApplyBiDiMode() {
  FWidget->setLayoutDirection(FControl.UseRightToLeftAlignment() ? Qt::RightToLeft
                                                                 : Qt::LeftToRight);
}

void TQtPeer::ApplyFont() {
  FWidget->setFont(ToQFont(*FControl.Font()));
  ApplyPalette();
}

void TQtPeer::ApplyPalette() {
  QPalette P = FWidget->palette();
  const QPalette::ColorRole Back = BackgroundRole();
  if (const QColor C = ToQColor(FControl.Color()); C.isValid()) {
    // Input fields grey out when disabled, as the platform draws them; containers keep theirs.
    if (Back == QPalette::Base) {
      P.setColor(QPalette::Active, Back, C);
      P.setColor(QPalette::Inactive, Back, C);
    } else {
      P.setColor(Back, C);
    }
  }
  if (const QColor C = ToQColor(FControl.Font()->Color()); C.isValid())
    for (QPalette::ColorRole Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      P.setColor(QPalette::Active, Role, C);
      P.setColor(QPalette::Inactive, Role, C);
    }
  FWidget->setPalette(P);
}
