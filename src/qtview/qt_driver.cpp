#include "qtview/qt_driver.h"

#include <QCoreApplication>

#include "qtview/qt_view.h"
#include "ui/form.h"
#include "ui/screen.h"

void TQtDriver::ProcessMessages(TApplication& /*App*/) {
  FView.DeliverPosted();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  FView.DeliverPosted();
}

bool TQtDriver::RunLoop(const std::function<bool()>& Ended) {
  QEventLoop Loop;
  FLoops.push_back({&Loop, Ended});
  struct TPop {
    std::vector<TLoop>& Loops;
    ~TPop() { Loops.pop_back(); }
  } Pop{FLoops};
  // What was posted before the loop is delivered first; a quit asked for before exec would be
  // lost, so the end is checked here too.
  FView.DeliverPosted();
  if (!Ended()) Loop.exec();
  return Ended();
}

void TQtDriver::Run(TApplication& App) {
  if (!App.MainForm()) return;
  if (!RunLoop([&App] { return App.Terminated() || !App.MainForm(); })) App.Terminate();
}

void TQtDriver::RunModal(TApplication& App, TCustomForm& Form) {
  RunLoop([&App, &Form] {
    return Form.ModalResult() != mrNone || !Form.Visible() || App.Terminated();
  });
  if (Form.ModalResult() == mrNone) Form.SetModalResult(mrCancel);
}

void TQtDriver::FormShowing(TCustomForm& Form, bool Showing) {
  FView.FormShowing(Form, Showing);
  CheckLoops();
}

void TQtDriver::PrepareForms(TApplication& /*App*/) {
  for (int I = 0; I < Screen().FormCount(); ++I) FView.Realise(*Screen().Forms(I));
}

void TQtDriver::CheckLoops() {
  for (const TLoop& L : FLoops)
    if (L.Ended()) L.Loop->quit();
}
