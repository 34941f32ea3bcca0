#pragma once
// An action: a caption, a hint and a handler that several controls share. A control linked to
// an action shows the action's caption and hint, and follows them when they change while it
// still shows them; a click on it runs the action unless the control has a handler of its own.
#include <vector>

#include "component/component.h"
#include "core/event.h"
#include "core/ustring.h"

class TControl;

class TAction : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TAction(TComponent* AOwner) : TComponent(AOwner) {}

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);

  // Runs OnExecute; false when no handler is assigned.
  bool Execute();
  TNotifyEvent OnExecute;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TControl;
  String FCaption;
  String FHint;
  std::vector<TControl*> FClients;
};
