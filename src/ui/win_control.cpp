#include "ui/win_control.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/restore.h"
#include "ui/form.h"
#include "ui/published_names.h"
#include "ui/ui_res_strings.h"

const TClassType& TWinControl::StaticClassType() {
  static const TClassType T(u"TWinControl", &TControl::StaticClassType(), [](TClassType& C) {
    TPropsOf<TWinControl>(C).Ord(Published::TabOrder, TypeInfoInteger(), &TWinControl::TabOrder,
                                 &TWinControl::SetTabOrder, 0);
  });
  return T;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  FFreeingControls = true;
  while (!FControls.empty()) {
    TControl* Child = FControls.back();
    RemoveControl(Child);
    TComponentDeleter()(Child);
  }
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* C = Control ? Control->Parent() : nullptr; C; C = C->Parent())
    if (C == this) return true;
  return false;
}

void TWinControl::SetTabOrder(int Value) {
  if (Value == FTabOrder) return;
  FTabOrder = Value;
  Changed(Published::TabOrder);
}

bool TWinControl::CanFocus() const {
  return ParentForm() && IsShowingEnabled();
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(SCannotFocus);
  ParentForm()->FocusControl(this);
}

bool TWinControl::Focused() const {
  const TCustomForm* F = ParentForm();
  if (!F || !F->Active()) return false;
  return F == this ? !F->ActiveControl() : F->ActiveControl() == this;
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
  Control->FParent = this;
  Changed(u"Controls");
  if (Control->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* Control) {
  // From the end: a parent frees its controls from the last one.
  const auto It = std::find(FControls.rbegin(), FControls.rend(), Control);
  if (It == FControls.rend()) return;
  FControls.erase(std::next(It).base());
  Control->FParent = nullptr;
  Changed(u"Controls");
  if (FFreeingControls || HasState(csDestroying)) return;
  if (Control->Align() != alNone) Realign();
  CheckFormActiveControl();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TControl* C : FControls)
    if (C->Owner() == Root) Proc(C);
}

void TWinControl::FinishLoading() {
  TControl::FinishLoading();
  Realign();
}

void TWinControl::FontChanged() {
  // Iterate a copy: a handler of a child's change may move controls around.
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children)
    if (C->FParent == this) C->SyncParentFont();
}

void TWinControl::BiDiModeChanged() {
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children)
    if (C->FParent == this) C->SyncParentBiDiMode();
}

void TWinControl::Realign() {
  if (FAligning || FFreeingControls || HasState(csLoading) || HasState(csDestroying)) return;
  const TRestore<bool> Aligning(FAligning, true);
  AlignControls();
}

void TWinControl::AlignControls() {
  int L = 0, T = 0, R = ClientWidth(), B = ClientHeight();
  const auto Take = [this](TAlign A) {
    std::vector<TControl*> List;
    for (TControl* C : FControls)
      if (C->Visible() && C->Align() == A) List.push_back(C);
    // Keep the order the controls already show: by the edge they are stacked from.
    std::stable_sort(List.begin(), List.end(), [A](const TControl* X, const TControl* Y) {
      switch (A) {
        case alTop:
          return X->Top() < Y->Top();
        case alBottom:
          return X->Top() + X->Height() > Y->Top() + Y->Height();
        case alLeft:
          return X->Left() < Y->Left();
        case alRight:
          return X->Left() + X->Width() > Y->Left() + Y->Width();
        default:
          return false;
      }
    });
    return List;
  };
  const auto Span = [](int From, int To) { return std::max(0, To - From); };
  for (TControl* C : Take(alTop)) {
    C->SetBounds(L, T, Span(L, R), C->Height());
    T += C->Height();
  }
  for (TControl* C : Take(alBottom)) {
    C->SetBounds(L, B - C->Height(), Span(L, R), C->Height());
    B -= C->Height();
  }
  for (TControl* C : Take(alLeft)) {
    C->SetBounds(L, T, C->Width(), Span(T, B));
    L += C->Width();
  }
  for (TControl* C : Take(alRight)) {
    C->SetBounds(R - C->Width(), T, C->Width(), Span(T, B));
    R -= C->Width();
  }
  for (TControl* C : Take(alClient)) C->SetBounds(L, T, Span(L, R), Span(T, B));
}
