#include "qtview/qt_warm_up.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageReader>

#include "qtview/qt_font_config.h"

TQtWarmUp::TQtWarmUp()
    : FThread([] {
        AwaitFontConfig();
        QFontDatabase::families();
        // A line edit lays out its empty text in the default font before it takes its own: the
        // fonts that one falls back on are worked out here, once for every thread.
        QFontMetrics(QFont()).height();
        QImageReader::supportedImageFormats();
      }) {}

TQtWarmUp::~TQtWarmUp() {
  FThread.join();
}
