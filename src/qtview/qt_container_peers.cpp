#include "qtview/qt_container_peers.h"

#include <QFrame>
#include <QGroupBox>
#include <QPainter>

#include "qtview/qt_text.h"

namespace {

class TPanelWidget : public QFrame {
 public:
  explicit TPanelWidget(QWidget* Parent) : QFrame(Parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
  }
  void SetCaption(const QString& Value) {
    FCaption = Value;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* E) override {
    QFrame::paintEvent(E);
    if (FCaption.isEmpty()) return;
    QPainter P(this);
    P.drawText(contentsRect(), Qt::AlignCenter, FCaption);
  }

 private:
  QString FCaption;
};

}  // namespace

QWidget* TQtPanelPeer::CreateWidget(QWidget* Parent) {
  return new TPanelWidget(Parent);
}

void TQtPanelPeer::ApplyCaption() {
  static_cast<TPanelWidget*>(Widget())->SetCaption(ToQString(Control().Caption()));
}

QWidget* TQtGroupBoxPeer::CreateWidget(QWidget* Parent) {
  auto* Box = new QGroupBox(Parent);
  Box->setAutoFillBackground(true);
  return Box;
}

void TQtGroupBoxPeer::ApplyCaption() {
  static_cast<QGroupBox*>(Widget())->setTitle(ToQString(Control().Caption()));
}

QWidget* TQtPlainPeer::CreateWidget(QWidget* Parent) {
  auto* W = new QWidget(Parent);
  W->setAutoFillBackground(true);
  return W;
}
