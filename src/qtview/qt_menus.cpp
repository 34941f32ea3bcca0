#include "qtview/qt_menus.h"

#include <QActionGroup>
#include <algorithm>

#include "qtview/qt_keys.h"
#include "qtview/qt_text.h"

namespace {

void AddItems(QMenu& Menu, const TMenuItem& Parent, const std::function<void(TMenuItem*)>& Chosen) {
  std::vector<std::pair<uint8_t, QActionGroup*>> Groups;
  for (int I = 0; I < Parent.Count(); ++I) {
    TMenuItem* Item = Parent.Items(I);
    if (!Item->Visible()) continue;
    if (Item->Caption() == u"-") {
      Menu.addSeparator();
      continue;
    }
    if (Item->Count() > 0) {
      QMenu* Sub = Menu.addMenu(ToQString(Item->Caption()));
      Sub->setEnabled(Item->Enabled());
      AddItems(*Sub, *Item, Chosen);
      continue;
    }
    QAction* A = Menu.addAction(ToQString(Item->Caption()));
    A->setEnabled(Item->Enabled());
    A->setCheckable(Item->AutoCheck() || Item->Checked() || Item->RadioItem());
    A->setChecked(Item->Checked());
    if (Item->ShortCut() != 0) {
      // Shown beside the caption; the form's own short cuts do the work.
      A->setShortcut(ToQKeySequence(Item->ShortCut()));
      A->setShortcutContext(Qt::WidgetShortcut);
    }
    if (Item->RadioItem()) {
      auto It = std::find_if(Groups.begin(), Groups.end(),
                             [Item](const auto& G) { return G.first == Item->GroupIndex(); });
      if (It == Groups.end()) {
        auto* G = new QActionGroup(&Menu);
        // The model switches the group's other items off itself; all may be off.
        G->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        It = Groups.insert(Groups.end(), {Item->GroupIndex(), G});
      }
      It->second->addAction(A);
    }
    QObject::connect(A, &QAction::triggered, &Menu, [Chosen, Item] { Chosen(Item); });
  }
}

void CollectMenus(TControl& Control, std::vector<TPopupMenu*>& Menus) {
  if (TPopupMenu* M = Control.PopupMenu();
      M && !M->HasState(csDestroying) && std::find(Menus.begin(), Menus.end(), M) == Menus.end())
    Menus.push_back(M);
  if (auto* W = dynamic_cast<TWinControl*>(&Control))
    for (int I = 0; I < W->ControlCount(); ++I) CollectMenus(*W->Controls(I), Menus);
}

}  // namespace

QMenu* BuildQMenu(const TMenuItem& Root, const std::function<void(TMenuItem*)>& Chosen) {
  auto* Menu = new QMenu;
  AddItems(*Menu, Root, Chosen);
  return Menu;
}

void ForEachMenuItem(TMenuItem& Root, const std::function<void(TMenuItem&)>& Proc) {
  if (Root.HasState(csDestroying)) return;
  Proc(Root);
  for (int I = 0; I < Root.Count(); ++I) ForEachMenuItem(*Root.Items(I), Proc);
}

std::vector<TPopupMenu*> MenusOfForm(TCustomForm& Form) {
  std::vector<TPopupMenu*> Menus;
  CollectMenus(Form, Menus);
  for (int I = 0; I < Form.ComponentCount(); ++I)
    if (auto* M = dynamic_cast<TPopupMenu*>(Form.Components(I));
        M && !M->HasState(csDestroying) && std::find(Menus.begin(), Menus.end(), M) == Menus.end())
      Menus.push_back(M);
  return Menus;
}
