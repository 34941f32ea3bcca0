#pragma once
// Pop-up menus and their items. A menu's items are components of the form (owned by it, named,
// written nested under the menu in the component stream); the menu holds them under a root
// item of its own. Freeing an item frees its sub-items.
#include <cstdint>
#include <functional>
#include <vector>

#include "component/component.h"
#include "core/event.h"
#include "core/rtti.h"
#include "core/ustring.h"
#include "ui/control_types.h"

// A key with its modifiers in one number: the virtual key in the low byte, plus scShift,
// scCtrl and scAlt (Ctrl+L is 16460).
using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
const TTypeInfo& TypeInfoTShortCut();
// 0 for a key code above 255, which no short cut holds.
TShortCut ShortCut(uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift);

class TPopupMenu;

class TMenuItem : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  // Checking a radio item unchecks the other radio items of its group among its siblings.
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  uint8_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(uint8_t Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Visible and enabled, and so is every parent item.
  bool IsShowingEnabled() const;

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;  // EListError outside 0..Count-1
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  // EInvalidOperation for an item that has a parent already, or for this item or one above it.
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);  // nothing when Item is not a sub-item
  TMenuItem* Parent() const { return FParent; }
  // The menu at the top of the item's parents; null outside a menu.
  TPopupMenu* Menu() const;
  // The enabled, visible item with this short cut at any depth below this one.
  TMenuItem* FindShortCut(TShortCut Value) const;

  // When enabled: AutoCheck toggles Checked (a radio item too), then OnClick.
  virtual void Click();

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  TNotifyEvent OnClick;
  TPropertyChangedEvent OnPropertyChanged;

 private:
  friend class TPopupMenu;
  void Changed(const String& PropName);
  void TurnSiblingsOff();

  String FCaption;
  String FHint;
  bool FChecked = false;
  bool FAutoCheck = false;
  bool FRadioItem = false;
  uint8_t FGroupIndex = 0;
  TShortCut FShortCut = 0;
  bool FEnabled = true;
  bool FVisible = true;
  TMenuItem* FParent = nullptr;
  TPopupMenu* FMenu = nullptr;  // set on a menu's root item
  std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TPopupMenu(TComponent* AOwner);

  // The root item; the menu's entries are its sub-items.
  TMenuItem* Items() const { return FItems; }
  // Clicks the enabled, visible item with this short cut; false when there is none.
  bool IsShortCut(TShortCut Value);

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 private:
  TMenuItem* FItems;
};
