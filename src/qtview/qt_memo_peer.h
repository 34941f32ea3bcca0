#pragma once
// The text pane. Lines the model appends are appended to the pane (and scrolled into view);
// any other change of the lines shows the whole text anew. What the user types in a pane that
// is not read-only becomes the model's lines.
#include <vector>

#include "qtview/qt_peer.h"
#include "ui/memo.h"

class TQtMemoPeer : public TQtPeer {
 public:
  TQtMemoPeer(TQtView& View, TMemo& Memo) : TQtPeer(View, Memo), FMemo(Memo) {}

 protected:
  QWidget* CreateWidget(QWidget* Parent) override;
  void Apply(const String& PropName) override;
  void ApplyAll() override;
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }

 private:
  void SyncLines();
  void Edited();

  TMemo& FMemo;
  // The lines the pane shows.
  std::vector<String> FShown;
  bool FEditing = false;
};
