#pragma once
// Pop-up menus on Qt: a QMenu built from the model's items as they are when it opens, and the
// items that carry a short cut.
#include <QMenu>
#include <functional>
#include <vector>

#include "ui/form.h"
#include "ui/menus.h"

// A menu of the visible items under Root (sub-items become sub-menus, "-" a separator); a
// chosen item is handed to Chosen. Items that check themselves show a check mark, radio items
// a radio mark.
QMenu* BuildQMenu(const TMenuItem& Root, const std::function<void(TMenuItem*)>& Chosen);
// Root and every item below it, leaving out the items being freed.
void ForEachMenuItem(TMenuItem& Root, const std::function<void(TMenuItem&)>& Proc);
// The pop-up menus a form's short cuts come from: those of its controls and those it owns,
// leaving out the menus being freed.
std::vector<TPopupMenu*> MenusOfForm(TCustomForm& Form);
