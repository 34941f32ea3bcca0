#include "ui/combo_box.h"
#include "ui/published_names.h"

const TTypeInfo& TypeInfoTComboBoxStyle() {
  static const TTypeInfo T = EnumTypeInfo(
      u"TComboBoxStyle",
      {u"csDropDown", u"csSimple", u"csDropDownList", u"csOwnerDrawFixed", u"csOwnerDrawVariable"});
  return T;
}

const TClassType& TComboBox::StaticClassType() {
  static const TClassType T(u"TComboBox", &TCustomListControl::StaticClassType(),
                            [](TClassType& C) {
                              C.Create = [](TObject* Owner) -> TObject* {
                                return new TComboBox(dynamic_cast<TComponent*>(Owner));
                              };
                              TPropsOf<TComboBox>(C)
                                  .Ord(Published::Style, TypeInfoTComboBoxStyle(),
                                       &TComboBox::Style, &TComboBox::SetStyle, csDropDown)
                                  .Obj(Published::Items, TStrings::StaticClassType(),
                                       &TComboBox::Items, &TComboBox::SetItems)
                                  .Ord(Published::ItemIndex, TypeInfoInteger(),
                                       &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1)
                                  .Str(Published::Text, &TComboBox::Text, &TComboBox::SetText);
                            });
  return T;
}

TComboBox::TComboBox(TComponent* AOwner)
    : TCustomListControl(AOwner), FItems(std::make_unique<TStringList>()) {
  InitColor(clWindow);
  InitSize(145, 21);
  FItems->OnChange = TNotifyEvent([this](TObject*) { ItemsChanged(); });
}

TComboBox::~TComboBox() {
  FItems->OnChange = {};
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed(Published::Style);
}

void TComboBox::SetItems(TStrings* Value) {
  if (Value && Value != FItems.get()) FItems->Assign(*Value);
}

void TComboBox::ItemsChanged() {
  Changed(Published::Items);
  if (!HasState(csLoading) && FItemIndex >= FItems->Count()) Select(-1, FText);
}

void TComboBox::SetItemIndex(int Value) {
  if (HasState(csLoading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  Select(Value, Value >= 0 ? FItems->Get(Value) : String());
}

void TComboBox::SetText(const String& Value) {
  if (HasState(csLoading)) {
    FText = Value;
    return;
  }
  const int Index = ExactIndex(Value);
  if (FStyle == csDropDownList && Index < 0) return;
  Select(Index, Value);
}

int TComboBox::ExactIndex(const String& Value) const {
  for (int I = 0; I < FItems->Count(); ++I)
    if (FItems->Get(I) == Value) return I;
  return -1;
}

void TComboBox::Select(int Index, const String& Text) {
  if (Index != FItemIndex) {
    FItemIndex = Index;
    Changed(Published::ItemIndex);
  }
  if (Text != FText) {
    FText = Text;
    Changed(Published::Text);
  }
}

void TComboBox::FinishLoading() {
  TCustomListControl::FinishLoading();
  if (FItemIndex < -1 || FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FItemIndex >= 0 && FText.empty()) FText = FItems->Get(FItemIndex);
}
