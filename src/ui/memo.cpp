#include "ui/memo.h"
#include "ui/published_names.h"

const TClassType& TMemo::StaticClassType() {
  static const TClassType T(u"TMemo", &TWinControl::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TMemo(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TMemo>(C)
        .Obj(Published::Lines, TStrings::StaticClassType(), &TMemo::Lines, &TMemo::SetLines)
        .Ord(Published::ReadOnly, TypeInfoBoolean(), &TMemo::ReadOnly, &TMemo::SetReadOnly, 0)
        .Ord(Published::ScrollBars, TypeInfoTScrollStyle(), &TMemo::ScrollBars,
             &TMemo::SetScrollBars, ssNone)
        .Ord(Published::WordWrap, TypeInfoBoolean(), &TMemo::WordWrap, &TMemo::SetWordWrap, 1)
        .Event(u"OnChange", TypeInfoTNotifyEvent(), &TMemo::OnChange);
  });
  return T;
}

namespace {

// A memo shows a text with line breaks as several lines, so an added or inserted text is split
// the way the memo would show it.
class TMemoStrings : public TStringList {
 public:
  int Add(const String& S) override {
    Insert(Count(), S);
    return Count() - 1;
  }
  // Lines given as a whole list come this way; a memo's lines hold no objects.
  int AddObject(const String& S, TObject*) override { return Add(S); }
  void Insert(int Index, const String& S) override {
    TStringList Pieces;
    Pieces.SetText(S);
    if (Pieces.Count() <= 1) {
      TStringList::Insert(Index, S);
      return;
    }
    BeginUpdate();
    for (int I = 0; I < Pieces.Count(); ++I) TStringList::Insert(Index + I, Pieces.Get(I));
    EndUpdate();
  }
};

}  // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), FLines(std::make_unique<TMemoStrings>()) {
  InitColor(clWindow);
  InitSize(185, 89);
  FLines->OnChange = TNotifyEvent([this](TObject*) { LinesChanged(); });
}

TMemo::~TMemo() {
  FLines->OnChange = {};
}

void TMemo::SetLines(TStrings* Value) {
  if (Value && Value != FLines.get()) FLines->Assign(*Value);
}

void TMemo::LinesChanged() {
  Changed(Published::Lines);
  if (!HasState(csLoading)) OnChange(this);
}

void TMemo::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  Changed(Published::ReadOnly);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  Changed(Published::ScrollBars);
}

void TMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  Changed(Published::WordWrap);
}
