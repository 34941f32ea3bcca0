#include "ui/action.h"

#include <algorithm>

#include "ui/control.h"
#include "ui/published_names.h"

const TClassType& TAction::StaticClassType() {
  static const TClassType T(u"TAction", &TComponent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TAction(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TAction>(C)
        .Str(Published::Caption, &TAction::Caption, &TAction::SetCaption)
        .Str(Published::Hint, &TAction::Hint, &TAction::SetHint)
        .Event(u"OnExecute", TypeInfoTNotifyEvent(), &TAction::OnExecute);
  });
  return T;
}

void TAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  // Iterate a copy: a client's change handler may unlink it.
  const std::vector<TControl*> Clients = FClients;
  for (TControl* C : Clients)
    if (C->Caption() == FCaption) C->SetCaption(Value);
  FCaption = Value;
}

void TAction::SetHint(const String& Value) {
  if (Value == FHint) return;
  const std::vector<TControl*> Clients = FClients;
  for (TControl* C : Clients)
    if (C->Hint() == FHint) C->SetHint(Value);
  FHint = Value;
}

bool TAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TAction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove) std::erase(FClients, AComponent);
}
