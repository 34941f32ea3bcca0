#include "ui/status_bar.h"
#include "ui/published_names.h"

const TClassType& TStatusPanel::StaticClassType() {
  static const TClassType T(
      u"TStatusPanel", &TCollectionItem::StaticClassType(), [](TClassType& C) {
        C.Create = [](TObject* Owner) -> TObject* {
          return new TStatusPanel(dynamic_cast<TCollection*>(Owner));
        };
        TPropsOf<TStatusPanel>(C)
            .Ord(Published::Alignment, TypeInfoTAlignment(), &TStatusPanel::Alignment,
                 &TStatusPanel::SetAlignment, taLeftJustify)
            .Str(Published::Text, &TStatusPanel::Text, &TStatusPanel::SetText)
            .Ord(u"Width", TypeInfoInteger(), &TStatusPanel::Width, &TStatusPanel::SetWidth, 50);
      });
  return T;
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Changed(false);
}

void TStatusPanel::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed(false);
}

void TStatusPanel::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed(false);
}

void TStatusPanel::Assign(const TPersistent& Source) {
  const auto* P = dynamic_cast<const TStatusPanel*>(&Source);
  if (!P) {
    TCollectionItem::Assign(Source);
    return;
  }
  FAlignment = P->FAlignment;
  FText = P->FText;
  FWidth = P->FWidth;
  Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* Bar)
    : TCollection(TStatusPanel::StaticClassType(), Bar), FBar(*Bar) {}

void TStatusPanels::Update(TCollectionItem*) {
  FBar.Changed(Published::Panels);
}

const TClassType& TStatusBar::StaticClassType() {
  static const TClassType T(u"TStatusBar", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TStatusBar(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TStatusBar>(C)
        .Obj(Published::Panels, TCollection::StaticClassType(), &TStatusBar::Panels, nullptr)
        .Ord(Published::SimplePanel, TypeInfoBoolean(), &TStatusBar::SimplePanel,
             &TStatusBar::SetSimplePanel, 0)
        .Str(Published::SimpleText, &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  });
  return T;
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  InitAlign(alBottom);
  InitSize(0, 19);
  InitParentFont(false);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == FSimplePanel) return;
  FSimplePanel = Value;
  Changed(Published::SimplePanel);
}

void TStatusBar::SetSimpleText(const String& Value) {
  if (Value == FSimpleText) return;
  FSimpleText = Value;
  Changed(Published::SimpleText);
}
