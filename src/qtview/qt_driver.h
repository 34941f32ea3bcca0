#pragma once
// The application's driver while the Qt view is installed: processing messages delivers the
// model's posted events and pumps Qt's events, so a long operation keeps its windows live and
// a second press of a button reaches its handler inside the first. Run and modal forms run Qt
// event loops that end when the model says so.
#include <QEventLoop>
#include <functional>
#include <vector>

#include "ui/application.h"

class TQtView;

class TQtDriver : public TApplicationDriver {
 public:
  explicit TQtDriver(TQtView& View) : FView(View) {}

  void ProcessMessages(TApplication& App) override;
  // Until the application is terminated or its main form is gone; a Qt event loop that is
  // ended from outside the model (the session ends) terminates the application.
  void Run(TApplication& App) override;
  void RunModal(TApplication& App, TCustomForm& Form) override;
  void FormShowing(TCustomForm& Form, bool Showing) override;
  // Builds the widgets of every form that has none yet.
  void PrepareForms(TApplication& App) override;

  // Ends each running loop whose end has come.
  void CheckLoops();

 private:
  struct TLoop {
    QEventLoop* Loop;
    std::function<bool()> Ended;
  };
  // Runs a loop until Ended holds; false when Qt ended it first.
  bool RunLoop(const std::function<bool()>& Ended);

  TQtView& FView;
  std::vector<TLoop> FLoops;
};
