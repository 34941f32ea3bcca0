#include "ui/task_dialog.h"

namespace {

// No version of this window system knows the common controls' task dialog.
class TNoTaskDialogs : public TTaskDialogPlatform {
 public:
  int MajorVersion() const override { return 0; }

 protected:
  const TTaskDialogIndirectProc* FindTaskDialogIndirect() override { return nullptr; }
};

TNoTaskDialogs GNone;
TTaskDialogPlatform* GPlatform = nullptr;

}  // namespace

const TTaskDialogIndirectProc* TTaskDialogPlatform::TaskDialogIndirect() {
  if (!FFound) FFound = FindTaskDialogIndirect();
  return FFound;
}

TTaskDialogPlatform& TaskDialogPlatform() {
  return GPlatform ? *GPlatform : GNone;
}

void SetTaskDialogPlatform(TTaskDialogPlatform* Platform) {
  GPlatform = Platform;
}
