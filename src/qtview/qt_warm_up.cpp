#include "qtview/qt_warm_up.h"

#include <QFontDatabase>
#include <QImageReader>

#include "qtview/qt_font_config.h"

TQtWarmUp::TQtWarmUp()
    : FThread([] {
        AwaitFontConfig();
        QFontDatabase::families();
        QImageReader::supportedImageFormats();
      }) {}

TQtWarmUp::~TQtWarmUp() {
  FThread.join();
}
