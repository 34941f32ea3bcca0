#include "ui/screen.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/ustring.h"
#include "ui/form.h"

TScreen& Screen() {
  static TScreen S;
  return S;
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  return FForms[static_cast<size_t>(Index)];
}

void TScreen::AddForm(TCustomForm* Form) {
  FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(FForms, Form);
  if (FActiveForm == Form) FormHidden(Form);
}

void TScreen::ActivateForm(TCustomForm* Form) {
  const auto It = std::find(FForms.begin(), FForms.end(), Form);
  if (It == FForms.end()) return;
  std::rotate(FForms.begin(), It, It + 1);
  SetActiveForm(Form);
}

void TScreen::FormHidden(TCustomForm* Form) {
  if (FActiveForm != Form) return;
  TCustomForm* Next = nullptr;
  for (TCustomForm* F : FForms)
    if (F != Form && F->Visible()) {
      Next = F;
      break;
    }
  SetActiveForm(Next);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (Form == FActiveForm) return;
  FActiveForm = Form;
  OnActiveFormChange(nullptr);
}
