#include "qtview/qt_form_peer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "qtview/qt_keys.h"
#include "qtview/qt_menus.h"
#include "qtview/qt_text.h"
#include "qtview/qt_view.h"
#include "ui/published_names.h"

QWidget* TQtFormPeer::CreateWidget(QWidget* /*Parent*/) {
  auto* W = new QWidget(nullptr, Qt::Window);
  W->setAttribute(Qt::WA_QuitOnClose, false);
  Watch(W);
  return W;
}

void TQtFormPeer::ApplyAll() {
  ApplyBorderStyle();
}

void TQtFormPeer::Apply(const String& PropName) {
  if (PropName == Published::BorderStyle)
    ApplyBorderStyle();
  else if (PropName == Published::ActiveControl)
    ApplyActiveControl();
}

void TQtFormPeer::ApplyCaption() {
  Widget()->setWindowTitle(ToQString(FForm.Caption()));
}

bool TQtFormPeer::FixedSize() const {
  return FForm.BorderStyle() == bsSingle || FForm.BorderStyle() == bsDialog ||
         FForm.BorderStyle() == bsToolWindow;
}

void TQtFormPeer::ApplyBounds() {
  // The model's bounds are the client area: Qt's geometry of a window, without its frame.
  const QRect Bounds(FForm.Left(), FForm.Top(), FForm.Width(), FForm.Height());
  if (FixedSize()) Widget()->setFixedSize(Bounds.size());
  if (Widget()->geometry() != Bounds) Widget()->setGeometry(Bounds);
}

void TQtFormPeer::ApplyBorderStyle() {
  Qt::WindowFlags Flags = Qt::Window;
  switch (FForm.BorderStyle()) {
    case bsNone:
      Flags |= Qt::FramelessWindowHint;
      break;
    case bsDialog:
      Flags = Qt::Dialog;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      Flags = Qt::Tool;
      break;
    default:
      break;
  }
  const bool Shown = Widget()->isVisible();
  // Qt adds the title bar's hints itself; the type and the frame are what the style decides.
  if ((Widget()->windowFlags() & (Qt::WindowType_Mask | Qt::FramelessWindowHint)) != Flags)
    Widget()->setWindowFlags(Flags);
  if (!FixedSize()) {
    Widget()->setMinimumSize(0, 0);
    Widget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  ApplyBounds();
  // Changing the flags of a window hides it.
  if (Shown) Widget()->show();
}

void TQtFormPeer::ApplyActiveControl() {
  if (View().FocusFromQt() || !FForm.ActiveControl()) return;
  QWidget* W = View().WidgetOf(FForm.ActiveControl());
  if (W && !W->hasFocus()) W->setFocus(Qt::OtherFocusReason);
}

void TQtFormPeer::Showing(bool Showing) {
  TApplying Guard(*this);
  QWidget* W = Widget();
  if (!Showing) {
    W->hide();
    W->setWindowModality(Qt::NonModal);
    return;
  }
  // Modality has to be set before the window shows.
  W->setWindowModality(FForm.Modal() ? Qt::ApplicationModal : Qt::NonModal);
  ApplyBounds();
  W->show();
  W->activateWindow();
  ApplyActiveControl();
}

bool TQtFormPeer::Event(QObject* Watched, QEvent* E) {
  if (Watched != Widget()) return false;
  TCustomForm* F = &FForm;
  switch (E->type()) {
    case QEvent::Close:
      // The model decides whether and how the window goes.
      E->ignore();
      View().Input([F] { F->Close(); });
      return true;
    case QEvent::Resize:
    case QEvent::Move: {
      if (!E->spontaneous() || Applying()) return false;
      const QRect G = Widget()->geometry();
      if (G != QRect(F->Left(), F->Top(), F->Width(), F->Height()))
        View().Input([F, G] { F->SetBounds(G.x(), G.y(), G.width(), G.height()); });
      return false;
    }
    case QEvent::WindowActivate:
      View().Input([F] { F->FocusControl(F); });
      return false;
    case QEvent::KeyPress: {
      // A key that no control took: Return, Escape and the rest of the model's key handling.
      const auto* K = static_cast<QKeyEvent*>(E);
      const uint16_t Key = VirtualKeyOf(K->key());
      if (Key == 0) return false;
      const TShiftState Shift = ShiftStateOf(K->modifiers());
      TApplication* App = &View().App();
      View().Input([App, F, Key, Shift] { App->PostKey(F, Key, Shift); });
      return true;
    }
    default:
      return false;
  }
}

void TQtFormPeer::SyncTabOrder() {
  std::vector<QWidget*> Chain;
  const auto Walk = [this, &Chain](const auto& Self, TWinControl& Parent) -> void {
    std::vector<TWinControl*> Children;
    for (int I = 0; I < Parent.ControlCount(); ++I)
      if (auto* C = dynamic_cast<TWinControl*>(Parent.Controls(I))) Children.push_back(C);
    std::stable_sort(
        Children.begin(), Children.end(),
        [](const TWinControl* A, const TWinControl* B) { return A->TabOrder() < B->TabOrder(); });
    for (TWinControl* C : Children) {
      const TQtPeer* P = View().PeerOf(C);
      if (P && P->Widget() && P->Widget()->focusPolicy() != Qt::NoFocus)
        Chain.push_back(P->Widget());
      Self(Self, *C);
    }
  };
  Walk(Walk, FForm);
  for (size_t I = 1; I < Chain.size(); ++I) QWidget::setTabOrder(Chain[I - 1], Chain[I]);
}

void TQtFormPeer::SyncShortCuts() {
  std::unordered_set<TMenuItem*> Wanted;
  for (TPopupMenu* Menu : MenusOfForm(FForm))
    ForEachMenuItem(*Menu->Items(), [this, &Wanted](TMenuItem& Item) {
      View().WatchMenuItem(Item);
      if (Item.ShortCut() != 0 && !ToQKeySequence(Item.ShortCut()).isEmpty()) Wanted.insert(&Item);
    });
  std::vector<TMenuItem*> Gone;
  for (const auto& [Item, S] : FShortCuts)
    if (!Wanted.count(Item)) Gone.push_back(Item);
  for (TMenuItem* Item : Gone) DropShortCut(Item);
  for (TMenuItem* Item : Wanted) {
    QShortcut*& S = FShortCuts[Item];
    if (!S) {
      S = new QShortcut(Widget());
      S->setContext(Qt::WindowShortcut);
      TApplication* App = &View().App();
      QObject::connect(S, &QShortcut::activated, Context(), [this, App, Item] {
        View().Input([App, Item] { App->PostMenuClick(Item); });
      });
    }
    S->setKey(ToQKeySequence(Item->ShortCut()));
    S->setEnabled(Item->IsShowingEnabled());
  }
}

void TQtFormPeer::DropShortCut(TMenuItem* Item) {
  const auto It = FShortCuts.find(Item);
  if (It == FShortCuts.end()) return;
  QShortcut* S = It->second;
  FShortCuts.erase(It);
  // It may be the one whose activation runs now.
  S->disconnect();
  S->setEnabled(false);
  S->deleteLater();
}
