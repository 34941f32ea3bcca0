#pragma once
// A control's Qt peer: the widget that shows one model control. The peer puts the control's
// state on the widget when it is built and again whenever the control reports a changed
// property; the widget's own signals and events go back to the model through the view.
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "ui/control.h"

class TQtView;

class TQtPeer {
 public:
  TQtPeer(TQtView& View, TControl& Control);
  virtual ~TQtPeer();
  TQtPeer(const TQtPeer&) = delete;
  TQtPeer& operator=(const TQtPeer&) = delete;

  TControl& Control() const { return FControl; }
  QWidget* Widget() const { return FWidget; }
  // Builds the widget inside Parent (null for a window) and shows the control's state on it.
  void Realise(QWidget* Parent);
  // Moves the widget into Parent, as the control moved into another container.
  void Reparent(QWidget* Parent);
  // Mirrors one changed property of the control.
  void PropertyChanged(const String& PropName);
  // Stops hearing the widget (its signals and events) once the control is gone.
  void Detach() { FEvents.reset(); }

 protected:
  virtual QWidget* CreateWidget(QWidget* Parent) = 0;
  // The properties of the control's own class: one by name, or all of them.
  virtual void Apply(const String& /*PropName*/) {}
  virtual void ApplyAll() {}
  virtual void ApplyCaption() {}
  virtual void ApplyBounds();
  virtual void ApplyVisible();
  // The palette role that the control's Color fills.
  virtual QPalette::ColorRole BackgroundRole() const { return QPalette::Window; }
  // An event for an object given to Watch, before that object handles it; true eats it.
  virtual bool Event(QObject* /*Watched*/, QEvent* /*E*/) { return false; }
  void Watch(QObject* Watched);
  // The receiver of the peer's signal connections, so they end with the peer.
  QObject* Context() const { return FEvents.get(); }
  TQtView& View() const { return FView; }

  // True while the control's state is being put on the widget: the widget's signals caused by
  // that are not sent back to the model.
  bool Applying() const { return FApplying > 0; }
  class TApplying {
   public:
    explicit TApplying(TQtPeer& Peer) : FPeer(Peer) { ++FPeer.FApplying; }
    ~TApplying() { --FPeer.FApplying; }
    TApplying(const TApplying&) = delete;
    TApplying& operator=(const TApplying&) = delete;

   private:
    TQtPeer& FPeer;
  };

 private:
  class TEvents;
  void ApplyFont();
  void ApplyPalette();
  void ApplyBiDiMode();

  TQtView& FView;
  TControl& FControl;
  QPointer<QWidget> FWidget;
  std::unique_ptr<QObject> FEvents;
  int FApplying = 0;
};
