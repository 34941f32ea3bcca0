#pragma once
// A drop-down list with an edit field. Selecting an item (ItemIndex) puts its text into Text;
// -1 selects nothing and clears Text. Setting Text selects the item of exactly that text, or
// nothing; with csDropDownList a text that is no item changes nothing.
#include <memory>

#include "core/strings.h"
#include "ui/list_control.h"

enum TComboBoxStyle : uint8_t {
  csDropDown,
  csSimple,
  csDropDownList,
  csOwnerDrawFixed,
  csOwnerDrawVariable
};
const TTypeInfo& TypeInfoTComboBoxStyle();

class TComboBox : public TCustomListControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  // The combo box owns the list and its OnChange.
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value);
  // An index outside the items selects nothing.
  int ItemIndex() const override { return FItemIndex; }
  void SetItemIndex(int Value) override;
  const String& Text() const { return FText; }
  void SetText(const String& Value);

 protected:
  void FinishLoading() override;
  TColor DefaultColor() const override { return clWindow; }

 private:
  void ItemsChanged();
  void Select(int Index, const String& Text);
  int ExactIndex(const String& Value) const;

  TComboBoxStyle FStyle = csDropDown;
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  String FText;
};
