#pragma once
// What every start-up case shares: the clock, and the watcher that ends a started process once
// its window's first paint has been carried out.
#include <QObject>
#include <cstdint>

class QEvent;

int64_t MonotonicNs();

// At the window's first paint event, waits for the paint to be carried out (the events of the
// paint run to their end before a zero timer fires), then prints the time and ends the process.
// Given a file, first saves the window's frame there.
class TFirstPaint : public QObject {
 public:
  explicit TFirstPaint(const char* GrabFile) : FGrabFile(GrabFile) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  const char* FGrabFile;
  bool FSeen = false;
};
