#include "qtview/qt_spin_edit_peer.h"

#include <QSpinBox>
#include <limits>

#include "qtview/qt_view.h"
#include "ui/published_names.h"

QWidget* TQtSpinEditPeer::CreateWidget(QWidget* Parent) {
  auto* Box = new QSpinBox(Parent);
  TSpinEdit* S = &FSpin;
  QObject::connect(Box, &QSpinBox::valueChanged, Context(), [this, S](int Value) {
    if (!Applying()) View().Input([S, Value] { S->SetValue(Value); });
  });
  return Box;
}

void TQtSpinEditPeer::ApplyAll() {
  Apply(u"MinValue");
}

void TQtSpinEditPeer::Apply(const String& PropName) {
  auto* Box = static_cast<QSpinBox*>(Widget());
  if (PropName == Published::MinValue || PropName == Published::MaxValue) {
    if (FSpin.MinValue() == FSpin.MaxValue())
      Box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
      Box->setRange(FSpin.MinValue(), FSpin.MaxValue());
    Box->setValue(FSpin.Value());
  } else if (PropName == Published::Value) {
    Box->setValue(FSpin.Value());
  }
}
