#pragma once
// A multi-line text pane. Any change of Lines notifies the view ("Lines") and fires OnChange
// (not while the memo is being loaded).
#include <memory>

#include "core/strings.h"
#include "ui/win_control.h"

class TMemo : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  // The memo owns the list and its OnChange.
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value);
  // The lines, each followed by CR LF.
  String Text() const { return FLines->GetText(); }
  void SetText(const String& Value) { FLines->SetText(Value); }

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  TNotifyEvent OnChange;

 protected:
  TColor DefaultColor() const override { return clWindow; }

 private:
  void LinesChanged();

  std::unique_ptr<TStringList> FLines;
  bool FReadOnly = false;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};
