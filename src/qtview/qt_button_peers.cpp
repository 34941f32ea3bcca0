#include "qtview/qt_button_peers.h"

#include <QPushButton>
#include <QToolButton>

#include "qtview/qt_text.h"
#include "qtview/qt_view.h"
#include "ui/published_names.h"

namespace {

// A click is the user's: it reaches the model's control through the application's input.
void SendClicks(TQtView& View, QObject* Context, QAbstractButton* Button, TControl& Control) {
  TControl* C = &Control;
  QObject::connect(Button, &QAbstractButton::clicked, Context, [&View, C] {
    TApplication* App = &View.App();
    View.Input([App, C] { App->PostClick(C); });
  });
}

}  // namespace

QWidget* TQtButtonPeer::CreateWidget(QWidget* Parent) {
  auto* B = new QPushButton(Parent);
  B->setAutoDefault(false);
  SendClicks(View(), Context(), B, FButton);
  return B;
}

void TQtButtonPeer::ApplyAll() {
  Apply(u"Default");
}

void TQtButtonPeer::Apply(const String& PropName) {
  if (PropName == Published::Default)
    static_cast<QPushButton*>(Widget())->setDefault(FButton.Default());
}

void TQtButtonPeer::ApplyCaption() {
  static_cast<QPushButton*>(Widget())->setText(ToQString(FButton.Caption()));
}

QWidget* TQtSpeedButtonPeer::CreateWidget(QWidget* Parent) {
  auto* B = new QToolButton(Parent);
  B->setFocusPolicy(Qt::NoFocus);
  B->setToolButtonStyle(Qt::ToolButtonTextOnly);
  SendClicks(View(), Context(), B, Control());
  return B;
}

void TQtSpeedButtonPeer::ApplyCaption() {
  static_cast<QToolButton*>(Widget())->setText(ToQString(Control().Caption()));
}
