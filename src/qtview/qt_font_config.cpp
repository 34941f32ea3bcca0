#include "qtview/qt_font_config.h"

#include <fontconfig/fontconfig.h>

#include <future>
#include <mutex>

namespace {

std::mutex Guard;
std::shared_future<void> Reading;

}  // namespace

TFontConfigReading::TFontConfigReading() {
  const std::lock_guard Lock(Guard);
  Reading = std::async(std::launch::async, [] { FcInit(); }).share();
}

TFontConfigReading::~TFontConfigReading() {
  AwaitFontConfig();
  const std::lock_guard Lock(Guard);
  Reading = {};
}

void AwaitFontConfig() {
  std::shared_future<void> Running;
  {
    const std::lock_guard Lock(Guard);
    Running = Reading;
  }
  if (Running.valid()) Running.wait();
}
