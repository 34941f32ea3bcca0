// Collecting the texts of the owner form and its components into the translation lists: new
// texts get new lines, changed texts replace the active language's text while designing, and a
// vanished component's lines lend their translations to a new line showing the same text.
#include "component/collection.h"
#include "core/restore.h"
#include "core/scope_exit.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/switch/charsets.h"
#include "lang/switch/prop_info_list.h"
#include "lang/table/translation_line.h"

namespace {

const String CRLF = u"\r\n";

TObject* ObjectValue(const TObject& Obj, const TPropInfo& P) {
  return P.GetObj ? P.GetObj(Obj) : nullptr;
}

TFont* FontOf(const TObject& Obj) {
  const TPropInfo* P = FindPublishedProp(&Obj, u"Font", AllButEventKinds);
  if (!P || P->PropType->Kind != tkClass || lcCompareText(P->PropType->Name, u"TFont") != 0)
    return nullptr;
  return dynamic_cast<TFont*>(ObjectValue(Obj, *P));
}

bool ReadsAndWrites(const TPropInfo& P) {
  return P.HasReader() && P.HasWriter();
}

}  // namespace

String TlcCustomLang::FreshLine(const String& Key, const String& V) const {
  const char16_t D = FLangDelim;
  return Key + D + V + D + String(static_cast<size_t>(FNumLang - 1), D);
}

String TlcCustomLang::ReadText(const TObject& Obj, const TPropInfo& P) const {
  try {
    return GetStringPropText(&Obj, P);
  } catch (const std::exception&) {
    return {};
  }
}

String TlcCustomLang::FindTmpLineByText(const String& Text) const {
  if (!FTmpStrings) return {};
  for (int I = 0; I < FTmpStrings->Count(); ++I) {
    const String Line = FTmpStrings->Get(I);
    // A line without a delimiter has no texts to lend.
    if (Line.find(static_cast<char16_t>(FLangDelim)) == String::npos) continue;
    String T = GetField(Line, FLangDelim, FActLang);
    if (T.empty()) T = GetField(Line, FLangDelim, 1);
    if (T == Text) return Line;
  }
  return {};
}

TlcCustomLang::TRecorded TlcCustomLang::RecordValue(TStrings& List, const String& Key,
                                                    const String& V, const TRecordRules& Rules) {
  const char16_t D = FLangDelim;
  // The name and its delimiter together, so Label1 never takes the line of Label10 and
  // Memo1.Lines never the line of Memo1.LinesX.
  const String Prefix = Key + D;
  for (int I = 0; I < List.Count(); ++I) {
    const String Line = List.Get(I);
    if (!Line.starts_with(Prefix)) continue;
    const String T = GetField(Line, FLangDelim, FActLang);
    const bool Unchanged = V == T || (Rules.TextOfList && T + CRLF == V);
    if (Rules.Designing && !Unchanged && (!T.empty() || FActLang == 1)) {
      ReplaceStringValue(List, V, Key, FActLang);
      OnDFMDataChangedEvent(this);
    }
    return TRecorded::Existing;
  }
  const String Borrowed = FindTmpLineByText(V);
  if (!Borrowed.empty()) {
    if (!Rules.CanAppend) return TRecorded::Nothing;
    if (Rules.BeforeBorrowing) Rules.BeforeBorrowing(Borrowed);
    List.Add(Key + Borrowed.substr(Borrowed.find(D)));
    return TRecorded::Borrowed;
  }
  if ((FAutoSkipEmpties && V.empty()) || !Rules.CanAppend) return TRecorded::Nothing;
  List.Add(FreshLine(Key, V));
  return TRecorded::Fresh;
}

bool TlcCustomLang::IsCollected(const TComponent& C) const {
  if (dynamic_cast<const TlcCustomLang*>(&C) || dynamic_cast<const TlcLangDispatcher*>(&C))
    return false;
  return !IsNotTranslated(C.Name()) && !IsClassNotTranslated(C);
}

void TlcCustomLang::AdoptOwnerLine(TStrings& List, const String& V, bool NeedText) {
  if (List.Count() == 0) return;
  const String Owner = OwnerClassName();
  const String& OwnerName = this->Owner()->Name();
  const String Line0 = List.Get(0);
  const size_t FirstD = Line0.find(static_cast<char16_t>(FLangDelim));
  const String N0 = Line0.substr(0, FirstD);
  const String T1 = GetField(Line0, FLangDelim, 1);
  const String Rest = FirstD == String::npos ? String() : Line0.substr(FirstD);
  // A form without a name has no line named by it.
  const bool ByName = !OwnerName.empty() && N0 == OwnerName;
  const bool Neither = N0 != Owner && !ByName;
  if (Neither && (!NeedText || !T1.empty()) && T1 == V) List.Put(0, Owner + Rest);
  if (ByName || (Neither && !OwnerName.empty() && T1 == OwnerName)) List.Put(0, Owner + Rest);
}

bool TlcCustomLang::OwnerLineMissing(const TStrings& List) const {
  if (List.Count() == 0) return false;
  const String Line0 = List.Get(0);
  const String& OwnerName = Owner()->Name();
  return Line0.find(OwnerClassName()) == String::npos &&
         (OwnerName.empty() || Line0.find(OwnerName) == String::npos);
}

void TlcCustomLang::CollectOwnerText(TStrings& List, const String& PropName,
                                     TStringsType Category) {
  TComponent* Form = Owner();
  const String Owner = OwnerClassName();
  const TPropInfo* P = FindPublishedProp(Form, PropName, AllButEventKinds);
  if (!P || !StringKinds.Contains(P->PropType->Kind)) return;
  if (FSmartProps->IndexOf(Owner + u"." + PropName) >= 0) {
    RemoveEntries(&List, Owner, Category, PropName);
    return;
  }
  if (FExProps->IndexOf(PropName) >= 0 || !IsOwnerTranslatable()) return;
  const String V = ReadText(*Form, *P);
  if ((FAutoSkipEmpties && V.empty()) || IsValueFromAction(Form, Category == stCaptions ? 0 : 1))
    return;
  AdoptOwnerLine(List, V, true);
  if (List.Count() == 0)
    List.Add(FreshLine(Owner, V));
  else if (OwnerLineMissing(List))
    List.Insert(0, FreshLine(Owner, V));
  const String Now = ReadText(*Form, *P);
  if (Now != GetField(List.Get(0), FLangDelim, FActLang)) {
    ReplaceStringValue(List, Now, Owner, FActLang);
    OnDFMDataChangedEvent(this);
  }
}

void TlcCustomLang::CollectOwnerFont() {
  TComponent* Form = Owner();
  const String Owner = OwnerClassName();
  if (!HasProperty(Form, u"Font", ClassKinds, u"TFont")) return;
  if (FSmartProps->IndexOf(Owner + u".Font") >= 0) {
    RemoveEntries(FFonts.get(), Owner, stFonts, u"Font");
    RemoveEntries(FCharSets.get(), Owner, stCharSets, u"Charset");
    return;
  }
  const TFont* Font = FontOf(*Form);
  if (!Font || FExProps->IndexOf(u"Font") >= 0 || !IsOwnerTranslatable()) return;
  const String Charset = CharsetIdentifier(Font->Charset());
  AdoptOwnerLine(*FFonts, Font->Name(), false);
  AdoptOwnerLine(*FCharSets, Charset, false);
  const bool WithCharset = FExProps->IndexOf(u"Charset") < 0;
  const String CharsetLine = FreshLine(Owner, Charset);
  const String FontLine = FreshLine(Owner, Font->Name());
  if (OwnerLineMissing(*FFonts)) {
    FFonts->Insert(0, FontLine);
    if (WithCharset) FCharSets->Insert(0, CharsetLine);
  }
  if (FFonts->Count() == 0) {
    FFonts->Add(FontLine);
    if (WithCharset) FCharSets->Add(CharsetLine);
  } else if (FCharSets->Count() == 0 && WithCharset) {
    FCharSets->Add(CharsetLine);
  }
  if (Font->Name() != GetField(FFonts->Get(0), FLangDelim, FActLang)) {
    ReplaceStringValue(*FFonts, Font->Name(), Owner, FActLang);
    OnDFMDataChangedEvent(this);
  }
}

void TlcCustomLang::CollectFont(TComponent& C) {
  const char16_t D = FLangDelim;
  const TFont* Font = FontOf(C);
  // A font property of another type has no name to record.
  if (!Font) return;
  const String& Name = C.Name();
  const String Identifier = CharsetIdentifier(Font->Charset());
  // A charset the table does not name has no identifier to record.
  const String CS = Identifier.empty() ? String() : Identifier + String(FNumLang, D);
  const bool KeepCharset = !IsExcludedProperty(Name, u"Charset");
  TRecordRules Rules;
  Rules.Designing = Owner()->HasState(csDesigning);
  Rules.BeforeBorrowing = [&](const String& Borrowed) {
    if (!KeepCharset) return;
    const String From = Borrowed.substr(0, Borrowed.find(D));
    String Line = Name + D;
    for (int K = 1; K <= FNumLang; ++K) Line += GetStringValue(*FCharSets, From, K) + D;
    FCharSets->Add(Line);
  };
  const TRecorded Done = RecordValue(*FFonts, Name, Font->Name(), Rules);
  if (!KeepCharset || CS.empty()) return;
  auto HasCharsetLine = [&] {
    for (int I = 0; I < FCharSets->Count(); ++I)
      if (lcCompareText(GetField(FCharSets->Get(I), FLangDelim, 0), Name) == 0) return true;
    return false;
  };
  if (Done == TRecorded::Fresh || (Done == TRecorded::Existing && !HasCharsetLine()))
    FCharSets->Add(Name + D + CS);
}

void TlcCustomLang::CollectComponentProps(TComponent& C, TStrings& List, TStringsType Category) {
  const String Target = CategoryPropertyNames[Category];
  const TlcPropInfoList Props(&C, AllButEventKinds);
  for (int I = 0; I < Props.Count(); ++I) {
    const TPropInfo& P = *Props[I];
    TObject* Value = nullptr;
    bool Qualifies = P.Name == Target;
    if (Category == stMultiLines && !Qualifies) {
      Value = P.PropType->Kind == tkClass ? ObjectValue(C, P) : nullptr;
      Qualifies =
          (P.PropType->Kind == tkClass && lcCompareText(P.PropType->Name, u"TStrings") == 0) ||
          IsStringsType(P.PropType->Name) || dynamic_cast<TStrings*>(Value);
    }
    if (!Qualifies || C.Name().empty()) continue;
    const auto* Control = dynamic_cast<const TControl*>(&C);
    if (IsExcludedProperty(C.Name(), P.Name) ||
        (Category == stFonts && Control && Control->ParentFont() &&
         HasProperty(&C, u"ParentFont", AllButEventKinds, {}))) {
      RemoveEntries(&List, C.Name(), Category, P.Name);
      if (Category == stFonts) RemoveEntries(FCharSets.get(), C.Name(), stCharSets, P.Name);
      continue;
    }
    if (!ReadsAndWrites(P)) continue;
    if (Category == stFonts) {
      CollectFont(C);
      continue;
    }
    TRecordRules Rules;
    Rules.Designing = Owner()->HasState(csDesigning);
    if (Category == stMultiLines) {
      const auto* Lines = dynamic_cast<TStrings*>(Value ? Value : ObjectValue(C, P));
      if (!Lines || C.ClassName() == u"TFormStorage") continue;
      RecordValue(List, C.Name() + u"." + P.Name, Lines->GetCommaText(), Rules);
      continue;
    }
    const String V = ReadText(C, P);
    if (Category == stCaptions && V == u"-" && C.ClassName() == u"TMenuItem") continue;
    if (Category == stCaptions || Category == stHints)
      Rules.CanAppend = !IsValueFromAction(&C, Category == stCaptions ? 0 : 1);
    RecordValue(List, C.Name(), V, Rules);
  }
}

void TlcCustomLang::CollectOtherStrings(TObject& E, const String& EName) {
  TRecordRules Rules;
  Rules.Designing = Owner()->HasState(csDesigning);
  const TlcPropInfoList Props(&E, AllButEventKinds);
  for (int I = 0; I < Props.Count(); ++I) {
    const TPropInfo& P = *Props[I];
    if (StringKinds.Contains(P.PropType->Kind)) {
      if (P.Name == u"Name" || lcCompareText(P.Name, u"Caption") == 0 ||
          lcCompareText(P.Name, u"Hint") == 0 || lcCompareText(P.Name, u"DisplayLabel") == 0)
        continue;
      if (IsExcludedProperty(EName, P.Name)) {
        RemoveEntries(FOthers.get(), EName, stOtherStrings, P.Name);
        continue;
      }
      if (!ReadsAndWrites(P) || EName.empty()) continue;
      RecordValue(*FOthers, EName + u"." + P.Name, ReadText(E, P), Rules);
    } else if (P.PropType->Kind == tkClass && P.Name == u"Properties") {
      const TObject* O = ObjectValue(E, P);
      if (!O) continue;
      const TlcPropInfoList Subs(O, StringKinds);
      for (int J = 0; J < Subs.Count(); ++J) {
        const TPropInfo& S = *Subs[J];
        if (!ReadsAndWrites(S)) continue;
        const String Path = u"Properties." + S.Name;
        if (IsExcludedProperty(EName, Path)) {
          RemoveEntries(FOthers.get(), EName, stOtherStrings, Path);
          continue;
        }
        RecordValue(*FOthers, EName + u"." + Path, ReadText(*O, S), Rules);
      }
    }
  }
}

void TlcCustomLang::CollectItemProps(TComponent& C, TObject& Item, const String& ItemKey) {
  TRecordRules Rules;
  Rules.Designing = Owner()->HasState(csDesigning);
  const String& Name = C.Name();
  const TlcPropInfoList Props(&Item, AllButEventKinds);
  for (int I = 0; I < Props.Count(); ++I) {
    const TPropInfo& P = *Props[I];
    const String Key = ItemKey + u"." + P.Name;
    if (StringKinds.Contains(P.PropType->Kind)) {
      if (ReadsAndWrites(P) && !IsExcludedProperty(Name, P.Name))
        RecordValue(*FCollections, Key, ReadText(Item, P), Rules);
      continue;
    }
    if (P.PropType->Kind != tkClass) continue;
    TObject* O = ObjectValue(Item, P);
    if (!O) continue;
    // A reference to another component of the form is that component's business.
    const auto* Ref = dynamic_cast<const TComponent*>(O);
    if ((Ref && Ref->Owner() == Owner()) || IsExcludedProperty(Name, P.Name)) continue;
    if (const auto* Lines = dynamic_cast<const TStrings*>(O)) {
      TRecordRules ListRules = Rules;
      ListRules.TextOfList = true;
      RecordValue(*FCollections, Key, Lines->GetText(), ListRules);
      continue;
    }
    const TlcPropInfoList Subs(O, StringKinds);
    for (int J = 0; J < Subs.Count(); ++J) {
      const TPropInfo& S = *Subs[J];
      if (ReadsAndWrites(S) && !IsExcludedProperty(Name, S.Name))
        RecordValue(*FCollections, Key + u"." + S.Name, ReadText(*O, S), Rules);
    }
  }
}

void TlcCustomLang::CollectCollections(TComponent& C) {
  const String& Name = C.Name();
  const TlcPropInfoList Props(&C, AllButEventKinds);
  for (int I = 0; I < Props.Count(); ++I) {
    const TPropInfo& P = *Props[I];
    auto* Coll =
        P.PropType->Kind == tkClass ? dynamic_cast<TCollection*>(ObjectValue(C, P)) : nullptr;
    if (!Coll) continue;
    if (IsExcludedProperty(Name, P.Name)) {
      RemoveEntries(FCollections.get(), Name, stCollections, P.Name + u"[");
      continue;
    }
    for (int K = 0; K < Coll->Count(); ++K)
      CollectItemProps(C, *Coll->Items(K), Name + u"." + P.Name + u"[" + IntToStr(K) + u"]");
  }
  const TPropInfo* PropsProp = Props.Find(u"Properties");
  const TObject* O = PropsProp ? ObjectValue(C, *PropsProp) : nullptr;
  if (!O) return;
  TRecordRules Rules;
  Rules.Designing = Owner()->HasState(csDesigning);
  const TlcPropInfoList Subs(O, ClassKinds);
  for (int I = 0; I < Subs.Count(); ++I) {
    const auto* Coll = dynamic_cast<const TCollection*>(ObjectValue(*O, *Subs[I]));
    if (!Coll) continue;
    const String Path = u"Properties." + Subs[I]->Name;
    for (int K = 0; K < Coll->Count(); ++K) {
      TObject& Item = *Coll->Items(K);
      const TlcPropInfoList Strs(&Item, StringKinds);
      for (int J = 0; J < Strs.Count(); ++J) {
        const TPropInfo& S = *Strs[J];
        if (!ReadsAndWrites(S) || IsExcludedProperty(Name, Path + u"." + S.Name)) continue;
        const String Key = Name + u"." + Path + u"[" + IntToStr(K) + u"]." + S.Name;
        RecordValue(*FCollections, Key, ReadText(Item, S), Rules);
      }
    }
  }
}

void TlcCustomLang::CollectCategory(TStrings& List, TStringsType Category) {
  try {
    TComponent& Form = *Owner();
    if (Category == stOtherStrings && IsOwnerTranslatable())
      CollectOtherStrings(Form, OwnerClassName());
    for (int I = 0; I < Form.ComponentCount(); ++I) {
      TComponent& C = *Form.Components(I);
      if (!IsCollected(C)) continue;
      if (Category == stOtherStrings)
        CollectOtherStrings(C, C.Name());
      else if (Category == stCollections)
        CollectCollections(C);
      else
        CollectComponentProps(C, List, Category);
    }
  } catch (const std::exception&) {
    // A component that fails to answer ends this category; what is collected so far stays.
  }
}

void TlcCustomLang::CollectPropertiesStrings() {
  if (FExProps->IndexOf(u"Properties") >= 0) return;
  TRecordRules Rules;
  Rules.Designing = IsDesigning();
  TComponent& Form = *Owner();
  for (int I = 0; I < Form.ComponentCount(); ++I) {
    TComponent& C = *Form.Components(I);
    if (!IsCollected(C)) continue;
    const TPropInfo* P = TlcPropInfoList(&C, ClassKinds).Find(u"Properties");
    const TObject* O = P ? ObjectValue(C, *P) : nullptr;
    if (!O) continue;
    const TlcPropInfoList Subs(O, ClassKinds);
    for (int J = 0; J < Subs.Count(); ++J) {
      const auto* Lines = dynamic_cast<const TStrings*>(ObjectValue(*O, *Subs[J]));
      if (!Lines) continue;
      const String Path = u"Properties." + Subs[J]->Name;
      if (FExProps->IndexOf(Path) >= 0) {
        RemoveEntries(FMultiLines.get(), C.Name(), stMultiLines, Path);
        continue;
      }
      if (FSmartProps->IndexOf(C.Name() + u"." + Path) >= 0) continue;
      RecordValue(*FMultiLines, C.Name() + u"." + Path, Lines->GetCommaText(), Rules);
    }
  }
}

void TlcCustomLang::BuildList() {
  if (FLCBLoading || !Owner()) return;
  const TRestore<bool> Quiet(FRaiseExc, false);
  const TScopeExit FreeTmp([this] { FTmpStrings.reset(); });
  try {
    CollectOwnerText(*FCaptions, u"Caption", stCaptions);
    CollectOwnerText(*FHints, u"Hint", stHints);
    CollectOwnerFont();
    FTmpStrings = std::make_unique<TStringList>();
    auto Collect = [this](TStrings& List, TStringsType Category) {
      DelOldNames(List, Category);
      CollectCategory(List, Category);
    };
    if (FExProps->IndexOf(u"Caption") < 0) Collect(*FCaptions, stCaptions);
    FTmpStrings->Clear();
    if (FExProps->IndexOf(u"Hint") < 0) Collect(*FHints, stHints);
    FTmpStrings->Clear();
    if (FExProps->IndexOf(u"DisplayLabel") < 0) Collect(*FDisplayLabels, stDisplayLabels);
    FTmpStrings->Clear();
    if (FExProps->IndexOf(u"Font") < 0 && !FDontHandleFonts) {
      // The charset lines of vanished components are still there while the fonts borrow.
      Collect(*FFonts, stFonts);
      DelOldNames(*FCharSets, stCharSets);
    }
    FTmpStrings->Clear();
    Collect(*FMultiLines, stMultiLines);
    CollectPropertiesStrings();
    FTmpStrings->Clear();
    Collect(*FOthers, stOtherStrings);
    FTmpStrings->Clear();
    Collect(*FCollections, stCollections);
    FTmpStrings->Clear();
    ValidateLists();
    SyncExtendedFromProperties();
  } catch (const std::exception&) {
    // Collecting serves the designer: a failure leaves the lists as far as they got.
  }
}
