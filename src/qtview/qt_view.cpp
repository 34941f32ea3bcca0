#include "qtview/qt_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "qtview/qt_form_peer.h"
#include "qtview/qt_menus.h"
#include "qtview/qt_peer_factory.h"
#include "ui/buttons.h"
#include "ui/published_names.h"
#include "ui/screen.h"

class TQtView::TWatcher : public TComponent {
 public:
  explicit TWatcher(TQtView& View) : TComponent(nullptr), FView(View) {}

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent) FView.Freed(AComponent);
  }

 private:
  TQtView& FView;
};

class TQtView::TInputFilter : public QObject {
 public:
  explicit TInputFilter(TQtView& View) : FView(View) {}
  bool eventFilter(QObject* Receiver, QEvent* E) override { return FView.AppEvent(Receiver, E); }

 private:
  TQtView& FView;
};

namespace {

template <class T>
void Hook(T& Component, std::unordered_map<TComponent*, TPropertyChangedEvent>& Hooked,
          const TPropertyChangedEvent& Handler) {
  if (!Hooked.emplace(&Component, Component.OnPropertyChanged).second) return;
  Component.OnPropertyChanged = [Previous = Component.OnPropertyChanged, Handler](
                                    TObject* Sender, const String& PropName) {
    if (Previous) Previous(Sender, PropName);
    Handler(Sender, PropName);
  };
}

}  // namespace

TQtView::TQtView(TApplication& App)
    : FApp(App),
      FDriver(*this),
      FWatcher(std::make_unique<TWatcher>(*this)),
      FFilter(std::make_unique<TInputFilter>(*this)) {
  // The model places its forms (centred ones included) on the screen it knows of.
  if (const QScreen* S = QGuiApplication::primaryScreen()) {
    Screen().SetWidth(S->geometry().width());
    Screen().SetHeight(S->geometry().height());
  }
  std::vector<TMonitor> Monitors;
  for (const QScreen* S : QGuiApplication::screens()) {
    const QRect G = S->geometry();
    Monitors.push_back(
        {G.x(), G.y(), G.width(), G.height(), S == QGuiApplication::primaryScreen()});
  }
  Screen().SetMonitors(std::move(Monitors));
  // Windows come and go as the model says; Qt does not end the program by itself.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  qApp->installEventFilter(FFilter.get());
  QObject::connect(qApp, &QApplication::focusChanged, FFilter.get(),
                   [this](QWidget*, QWidget* Now) { QtFocusChanged(Now); });
  FApp.SetDriver(&FDriver);
  SetDialogProvider(&FDialogs);
  SetWindowSystem(&FWindowSystem);
  for (int I = 0; I < Screen().FormCount(); ++I)
    if (TCustomForm* F = Screen().Forms(I); F->Visible()) FormShowing(*F, true);
}

TQtView::~TQtView() {
  FApp.SetDriver(nullptr);
  SetDialogProvider(nullptr);
  SetWindowSystem(nullptr);
  Screen().SetMonitors({});
  delete FOpenMenu.data();
  for (const auto& [C, Previous] : FHooked) {
    if (auto* Control = dynamic_cast<TControl*>(C))
      Control->OnPropertyChanged = Previous;
    else if (auto* Item = dynamic_cast<TMenuItem*>(C))
      Item->OnPropertyChanged = Previous;
    C->RemoveFreeNotification(FWatcher.get());
  }
  FHooked.clear();
  std::vector<QWidget*> Windows;
  for (const auto& [C, P] : FPeers)
    if (P->Widget() && P->Widget()->isWindow()) Windows.push_back(P->Widget());
  FByWidget.clear();
  FPeers.clear();
  FRetired.clear();
  for (QWidget* W : Windows) delete W;
  for (const QPointer<QWidget>& W : FDoomed) delete W.data();
}

TQtPeer* TQtView::PeerOf(const TControl* Control) const {
  const auto It = FPeers.find(Control);
  return It == FPeers.end() ? nullptr : It->second.get();
}

TQtPeer* TQtView::PeerAt(const QObject* Object) const {
  for (const QObject* O = Object; O; O = O->parent()) {
    if (!O->isWidgetType()) continue;
    const auto It = FByWidget.find(static_cast<const QWidget*>(O));
    if (It != FByWidget.end()) return It->second;
  }
  return nullptr;
}

QWidget* TQtView::WidgetOf(TControl* Control) {
  if (!Control) return nullptr;
  if (!PeerOf(Control))
    if (TCustomForm* F = Control->ParentForm()) Realise(*F);
  const TQtPeer* P = PeerOf(Control);
  return P ? P->Widget() : nullptr;
}

TControl* TQtView::ControlOf(const QWidget* Widget) const {
  const TQtPeer* P = PeerAt(Widget);
  return P ? &P->Control() : nullptr;
}

void TQtView::Realise(TCustomForm& Form) {
  if (PeerOf(&Form)) return;
  MakePeers(Form, nullptr);
  auto* P = static_cast<TQtFormPeer*>(PeerOf(&Form));
  P->SyncTabOrder();
  P->SyncShortCuts();
}

void TQtView::MakePeers(TControl& Control, QWidget* Parent) {
  if (Control.HasState(csDestroying)) return;
  std::unique_ptr<TQtPeer> Made = MakePeer(*this, Control);
  TQtPeer* P = Made.get();
  FPeers.emplace(&Control, std::move(Made));
  Hook(Control, FHooked, [this](TObject* S, const String& Name) { Changed(S, Name); });
  Control.FreeNotification(FWatcher.get());
  P->Realise(Parent);
  FByWidget[P->Widget()] = P;
  if (auto* W = dynamic_cast<TWinControl*>(&Control))
    for (int I = 0; I < W->ControlCount(); ++I) MakePeers(*W->Controls(I), P->Widget());
}

void TQtView::RemovePeers(const TComponent* Control) {
  const auto It = FPeers.find(Control);
  if (It == FPeers.end()) return;
  QWidget* Top = It->second->Widget();
  std::vector<const TComponent*> Gone;
  for (const auto& [C, P] : FPeers)
    if (C == Control || (Top && P->Widget() && Top->isAncestorOf(P->Widget()))) Gone.push_back(C);
  for (const TComponent* C : Gone) {
    auto Node = FPeers.extract(C);
    FByWidget.erase(Node.mapped()->Widget());
    Node.mapped()->Detach();
    FRetired.push_back(std::move(Node.mapped()));
  }
  if (!Top) return;
  // Input may still run inside the widget: it goes once control is back in the event loop.
  std::erase_if(FDoomed, [](const QPointer<QWidget>& W) { return W.isNull(); });
  Top->hide();
  Top->deleteLater();
  FDoomed.emplace_back(Top);
}

void TQtView::Changed(TObject* Sender, const String& PropName) {
  if (dynamic_cast<TMenuItem*>(Sender)) {
    if (PropName == Published::ShortCut || PropName == Published::Items ||
        PropName == Published::Enabled || PropName == Published::Visible)
      MenusChanged();
    return;
  }
  auto* Control = dynamic_cast<TControl*>(Sender);
  TQtPeer* P = PeerOf(Control);
  if (!P) return;
  if (PropName == u"Parent")
    ParentChanged(*P);
  else if (PropName == u"Controls")
    ChildrenChanged(*P);
  else if (PropName == Published::PopupMenu)
    MenusChanged();
  else if (PropName == Published::TabOrder)
    FormStructureChanged(*Control);
  else
    P->PropertyChanged(PropName);
}

void TQtView::ChildrenChanged(TQtPeer& Peer) {
  auto* W = dynamic_cast<TWinControl*>(&Peer.Control());
  if (!W) return;
  for (int I = 0; I < W->ControlCount(); ++I) {
    TControl* Child = W->Controls(I);
    if (TQtPeer* P = PeerOf(Child))
      P->Reparent(Peer.Widget());
    else
      MakePeers(*Child, Peer.Widget());
  }
  FormStructureChanged(*W);
}

void TQtView::ParentChanged(TQtPeer& Peer) {
  TControl& C = Peer.Control();
  if (dynamic_cast<TCustomForm*>(&C)) return;
  if (const TQtPeer* Parent = PeerOf(C.Parent()))
    Peer.Reparent(Parent->Widget());
  else
    RemovePeers(&C);
}

void TQtView::FormStructureChanged(TControl& Control) {
  if (auto* P = dynamic_cast<TQtFormPeer*>(PeerOf(Control.ParentForm()))) {
    P->SyncTabOrder();
    P->SyncShortCuts();
  }
}

std::vector<TQtFormPeer*> TQtView::FormPeers() const {
  std::vector<TQtFormPeer*> Forms;
  for (const auto& [C, P] : FPeers)
    if (auto* F = dynamic_cast<TQtFormPeer*>(P.get())) Forms.push_back(F);
  return Forms;
}

void TQtView::MenusChanged() {
  for (TQtFormPeer* F : FormPeers()) F->SyncShortCuts();
}

void TQtView::WatchMenuItem(TMenuItem& Item) {
  if (FHooked.count(&Item) || Item.HasState(csDestroying)) return;
  Hook(Item, FHooked, [this](TObject* S, const String& Name) { Changed(S, Name); });
  Item.FreeNotification(FWatcher.get());
}

void TQtView::Freed(TComponent* Component) {
  FHooked.erase(Component);
  RemovePeers(Component);
  if (auto* Item = dynamic_cast<TMenuItem*>(Component))
    for (TQtFormPeer* F : FormPeers()) F->DropShortCut(Item);
  if (FOpenMenu &&
      std::find(FOpenMenuItems.begin(), FOpenMenuItems.end(), Component) != FOpenMenuItems.end()) {
    FOpenMenu->close();
    FOpenMenuItems.clear();
  }
}

void TQtView::Input(const std::function<void()>& Action) {
  if (FInputDepth == 0) FRetired.clear();
  ++FInputDepth;
  try {
    Action();
  } catch (const std::exception& E) {
    FApp.HandleException(E);
  }
  DeliverPosted();
  --FInputDepth;
}

void TQtView::DeliverPosted() {
  while (FApp.DeliverNext()) {
  }
  FDriver.CheckLoops();
}

void TQtView::FormShowing(TCustomForm& Form, bool Showing) {
  if (Showing) Realise(Form);
  if (auto* P = dynamic_cast<TQtFormPeer*>(PeerOf(&Form))) P->Showing(Showing);
}

void TQtView::QtFocusChanged(QWidget* Now) {
  const TQtPeer* P = PeerAt(Now);
  auto* W = P ? dynamic_cast<TWinControl*>(&P->Control()) : nullptr;
  if (!W || dynamic_cast<TCustomForm*>(W)) return;
  TCustomForm* F = W->ParentForm();
  if (!F || F->ActiveControl() == W || !W->CanFocus()) return;
  Input([this, F, W] {
    FFocusFromQt = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } Reset{FFocusFromQt};
    F->FocusControl(W);
  });
}

void TQtView::ShowPopupMenu(TPopupMenu& Menu, const QPoint& GlobalPos) {
  if (FOpenMenu) FOpenMenu->close();
  FOpenMenuItems.clear();
  ForEachMenuItem(*Menu.Items(), [this](TMenuItem& Item) {
    WatchMenuItem(Item);
    FOpenMenuItems.push_back(&Item);
  });
  QMenu* Q = BuildQMenu(*Menu.Items(), [this](TMenuItem* Item) {
    Input([this, Item] { FApp.PostMenuClick(Item); });
  });
  QObject::connect(Q, &QMenu::aboutToHide, Q, [Q] { Q->deleteLater(); });
  FOpenMenu = Q;
  Q->popup(GlobalPos);
}

bool TQtView::AppEvent(QObject* Receiver, QEvent* E) {
  if (E->type() == QEvent::ContextMenu) {
    // The menu of the control, else of the nearest container that has one.
    const TQtPeer* P = PeerAt(Receiver);
    for (TControl* C = P ? &P->Control() : nullptr; C; C = C->Parent())
      if (TPopupMenu* Menu = C->PopupMenu()) {
        if (FApp.AcceptsInput(P->Control()))
          ShowPopupMenu(*Menu, static_cast<QContextMenuEvent*>(E)->globalPos());
        return true;
      }
    return false;
  }
  if (E->type() == QEvent::MouseButtonDblClick) {
    const auto* M = static_cast<QMouseEvent*>(E);
    if (M->button() != Qt::LeftButton) return false;
    if (E == FLastDblClick && M->timestamp() == FLastDblClickTime) return false;
    const TQtPeer* P = PeerAt(Receiver);
    if (!P) return false;
    FLastDblClick = E;
    FLastDblClickTime = M->timestamp();
    TControl* C = &P->Control();
    // Buttons take a double click as two clicks.
    if (!dynamic_cast<TButton*>(C) && !dynamic_cast<TSpeedButton*>(C))
      Input([this, C] { FApp.PostDblClick(C); });
  }
  return false;
}
