#include "qtview/qt_window_system.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>

#include "qtview/qt_font.h"
#include "qtview/qt_text.h"

TSize TQtWindowSystem::TextExtent(const TFont& Font, const String& Text) {
  const QFontMetrics M(ToQFont(Font));
  const QRect R =
      M.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, ToQString(Text));
  return {R.width(), M.height()};
}

TSize TQtWindowSystem::WrappedTextExtent(const TFont& Font, const String& Text, int MaxWidth) {
  const QFontMetrics M(ToQFont(Font));
  const QRect R =
      M.boundingRect(QRect(0, 0, MaxWidth, 0),
                     Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic, ToQString(Text));
  return {R.width(), std::max(R.height(), M.height())};
}

bool TQtWindowSystem::SetClipboardText(const String& Text) {
  QApplication::clipboard()->setText(ToQString(Text));
  return true;
}

void TQtWindowSystem::Beep() {
  QApplication::beep();
}
