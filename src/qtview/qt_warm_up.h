#pragma once
// Loads, on a thread of its own, the shared Qt state that the first paint of a window needs: the
// font database (fontconfig reads its whole configuration the first time), the fonts that the
// default font falls back on, and the image format plugins (the style reads its frame images
// through them). The GUI thread meanwhile reads the form data and builds the widgets; when it
// gets there first it waits on Qt's own locks instead of doing the same work twice. The thread
// ends with the object.
#include <thread>

class TQtWarmUp {
 public:
  TQtWarmUp();
  ~TQtWarmUp();
  TQtWarmUp(const TQtWarmUp&) = delete;
  TQtWarmUp& operator=(const TQtWarmUp&) = delete;

 private:
  std::thread FThread;
};
