#include "qtview/qt_warm_up.h"

#include <QFontDatabase>
#include <QImageReader>

TQtWarmUp::TQtWarmUp()
    : FThread([] {
        QFontDatabase::families();
        QImageReader::supportedImageFormats();
      }) {}

TQtWarmUp::~TQtWarmUp() {
  FThread.join();
}
