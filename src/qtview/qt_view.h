#pragma once
// The Qt view of the window model. Every control of a form gets a Qt peer when the form shows
// (or when its widget is asked for); the peers mirror the model on their widgets and send the
// widgets' input back as the model's input events. While the view exists it is the
// application's driver (processing messages pumps Qt's events too; Run and modal forms run Qt
// event loops) and the standard dialogs are Qt dialogs. It needs a QApplication, made first and
// freed last.
//
// A program makes the QApplication, then the view, then its forms, and runs the application. A
// test does the same on the offscreen platform and presses a control through its widget:
// qobject_cast<QAbstractButton*>(View.WidgetOf(Form->btProg))->click().
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "component/component.h"
#include "qtview/qt_dialogs.h"
#include "qtview/qt_driver.h"
#include "qtview/qt_warm_up.h"
#include "qtview/qt_window_system.h"
#include "ui/application.h"
#include "ui/form.h"

class TQtPeer;
class TQtFormPeer;

class TQtView {
 public:
  explicit TQtView(TApplication& App = Application());
  ~TQtView();
  TQtView(const TQtView&) = delete;
  TQtView& operator=(const TQtView&) = delete;

  TApplication& App() const { return FApp; }

  // The widget that shows Control, building the widgets of its form first when needed; null
  // for a control outside any form. A form's widget is its window.
  QWidget* WidgetOf(TControl* Control);
  // The control that Widget, or the peer widget it lies in, shows; null outside the view.
  TControl* ControlOf(const QWidget* Widget) const;
  // Builds the widgets of Form and its controls; they show when the form shows.
  void Realise(TCustomForm& Form);
  // The pop-up menu that a right click opened last, until it is gone.
  QMenu* OpenMenu() const { return FOpenMenu; }

  // For the peers and the driver.
  TQtPeer* PeerOf(const TControl* Control) const;
  // Runs Action as the user's input: an exception it raises is shown by HandleException; then
  // the events the model posted are delivered.
  void Input(const std::function<void()>& Action);
  // Delivers the model's posted events and ends the event loops whose end has come.
  void DeliverPosted();
  void FormShowing(TCustomForm& Form, bool Showing);
  // True while a focus change that came from Qt is handed to the model.
  bool FocusFromQt() const { return FFocusFromQt; }
  // Keeps Item's changes and its freeing in view (short cuts follow them).
  void WatchMenuItem(TMenuItem& Item);

 private:
  class TWatcher;
  class TInputFilter;

  void MakePeers(TControl& Control, QWidget* Parent);
  void RemovePeers(const TComponent* Control);
  void Changed(TObject* Sender, const String& PropName);
  void ChildrenChanged(TQtPeer& Peer);
  void ParentChanged(TQtPeer& Peer);
  void FormStructureChanged(TControl& Control);
  void MenusChanged();
  void Freed(TComponent* Component);
  bool AppEvent(QObject* Receiver, QEvent* E);
  TQtPeer* PeerAt(const QObject* Object) const;
  void ShowPopupMenu(TPopupMenu& Menu, const QPoint& GlobalPos);
  void QtFocusChanged(QWidget* Now);
  std::vector<TQtFormPeer*> FormPeers() const;

  TApplication& FApp;
  // First, so that it starts before anything else of the view is made.
  TQtWarmUp FWarmUp;
  TQtDriver FDriver;
  TQtDialogs FDialogs;
  TQtWindowSystem FWindowSystem;
  std::unique_ptr<TWatcher> FWatcher;
  std::unique_ptr<TInputFilter> FFilter;
  std::unordered_map<const TComponent*, std::unique_ptr<TQtPeer>> FPeers;
  std::unordered_map<const QWidget*, TQtPeer*> FByWidget;
  // The handlers that were there before the view hooked a control or a menu item. A hook stays
  // until the component goes or the view does, so no handler is replaced while it runs.
  std::unordered_map<TComponent*, TPropertyChangedEvent> FHooked;
  // Peers and widgets taken off while input may still run in them: freed once it has ended.
  std::vector<std::unique_ptr<TQtPeer>> FRetired;
  std::vector<QPointer<QWidget>> FDoomed;
  QPointer<QMenu> FOpenMenu;
  std::vector<TMenuItem*> FOpenMenuItems;
  int FInputDepth = 0;
  bool FFocusFromQt = false;
  // A double click travels up to the parents a widget leaves it to; it counts once.
  const QEvent* FLastDblClick = nullptr;
  quint64 FLastDblClickTime = 0;
};
