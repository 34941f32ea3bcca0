#include "lang/dispatcher/lang_dispatcher.h"

#include <algorithm>
#include <utility>

#include "core/restore.h"
#include "core/rtti.h"
#include "core/scope_exit.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/files/binary_translation_file.h"

const TTypeInfo& TypeInfoTLinkToDispatcherEvent() {
  static const TTypeInfo T = MethodTypeInfo(u"TLinkToDispatcherEvent");
  return T;
}

const TClassType& TlcLangDispatcher::StaticClassType() {
  static const TClassType T(
      u"TlcLangDispatcher", &TComponent::StaticClassType(), [](TClassType& C) {
        using D = TlcLangDispatcher;
        TPropsOf<D>(C)
            .Ord(u"ActiveLanguage", TypeInfoInteger(), &D::ActiveLanguage, &D::SetActiveLanguage)
            .Ord(u"NumOfLanguages", TypeInfoInteger(), &D::NumOfLanguages, &D::SetNumOfLanguages)
            .Obj(u"LangNames", TStrings::StaticClassType(), &D::LangNames, &D::SetLangNames)
            .Str(u"Language", &D::Language, &D::SetLanguage)
            .Str(u"FileName", &D::FileName, &D::SetFileName)
            .Event(u"OnLinkToDispatcher", TypeInfoTLinkToDispatcherEvent(), &D::OnLinkToDispatcher)
            .Obj(u"TestModeInfo", TTestModeInfo::StaticClassType(), &D::TestModeInfo, nullptr)
            .Ord(u"UseDefaultLanguage", TypeInfoBoolean(), &D::UseDefaultLanguage,
                 &D::SetUseDefaultLanguage, 0)
            .Ord(u"DefaultLanguage", TypeInfoInteger(), &D::DefaultLanguage, &D::SetDefaultLanguage,
                 1)
            .Event(u"OnLanguageChanging", TypeInfoTLanguageChangingEvent(), &D::OnLanguageChanging)
            .Event(u"OnLanguageChanged", TypeInfoTNotifyEvent(), &D::OnLanguageChanged);
        C.Create = [](TObject* Owner) -> TObject* {
          return new TlcLangDispatcher(dynamic_cast<TComponent*>(Owner));
        };
      });
  return T;
}

TlcLangDispatcher::TlcLangDispatcher(TComponent* AOwner)
    : TComponent(AOwner),
      FLangNames(std::make_unique<TStringList>()),
      FTestModeInfo(std::make_unique<TTestModeInfo>()) {
  FLangNames->Add(u"Language N1");
}

TlcLangDispatcher::~TlcLangDispatcher() {
  while (!FLCComponents.empty()) {
    TlcCustomLang* C = FLCComponents.back();
    if (C->LangDispatcher() == this)
      C->SetLangDispatcher(nullptr);
    else
      RemoveLcLang(C);
  }
}

TlcCustomLang* TlcLangDispatcher::LcLangs(int Index) const {
  if (Index < 0 || Index >= LcLangsCount())
    throw EListError(Format(SListIndexError, {int64_t{Index}}));
  return FLCComponents[static_cast<size_t>(Index)];
}

void TlcLangDispatcher::AddLcLang(TlcCustomLang* ALcLang) {
  if (!ALcLang ||
      std::find(FLCComponents.begin(), FLCComponents.end(), ALcLang) != FLCComponents.end())
    return;
  FLCComponents.push_back(ALcLang);
  // A component freed while linked leaves the list, however it was linked.
  ALcLang->FreeNotification(this);
  ALcLang->SetNumOfLanguages(FNumOfLanguages);
  ALcLang->FLangNames->SetText(FLangNames->GetText());
  ALcLang->FLanguage = FLanguage;
  if (IsDesigning()) {
    ALcLang->SetActiveLanguage(FActiveLanguage);
  } else {
    OnLinkToDispatcher(this, ALcLang);
    if (!FFileName.empty() && FileExists(FFileName))
      LoadFileOnLink(*ALcLang);
    else
      ALcLang->SetActiveLanguage(FActiveLanguage);
  }
  ALcLang->RefreshCurrentCharset();
}

void TlcLangDispatcher::RemoveLcLang(TlcCustomLang* ALcLang) {
  auto It = std::find(FLCComponents.begin(), FLCComponents.end(), ALcLang);
  if (It != FLCComponents.end()) FLCComponents.erase(It);
}

bool TlcLangDispatcher::AllowChange(int Value) {
  bool Allow = true;
  OnLanguageChanging(this, Value, Allow);
  for (size_t I = 0; Allow && I < FLCComponents.size(); ++I) {
    TlcCustomLang* C = FLCComponents[I];
    C->OnLanguageChanging(C, Value, Allow);
  }
  return Allow;
}

void TlcLangDispatcher::SetActiveLanguage(int Value) {
  if (Value == FActiveLanguage) return;
  if (IsLoading()) {
    // NumOfLanguages comes after ActiveLanguage in the form data: checked when reading ends.
    FActiveLanguage = Value;
    return;
  }
  // Checked before anyone is asked, so no component is left in a language the others lack.
  if (Value < 1 || Value > FNumOfLanguages)
    throw ELanguageError(Format(SRangeMessage, {int64_t{Value}, int64_t{FNumOfLanguages}}));
  // A component linked before a file brought more languages may lack this one.
  for (const TlcCustomLang* C : FLCComponents)
    if (!C->HasState(csLoading) && Value > C->NumOfLanguages())
      throw ELanguageError(C->RangeMessage(Value));
  if (!AllowChange(Value)) return;
  FActiveLanguage = Value;
  for (size_t I = 0; I < FLCComponents.size(); ++I) {
    TlcCustomLang* C = FLCComponents[I];
    // Each component was asked above; its own switch does not ask again.
    const TRestore<bool> Asked(C->FDontFireChanging, true);
    C->SetActiveLanguage(Value);
  }
  if (FLangNames->Count() >= Value) FLanguage = FLangNames->Get(Value - 1);
  OnLanguageChanged(this);
}

void TlcLangDispatcher::SetNumOfLanguages(int Value) {
  // Read from form data, a count out of range is ignored and the form loads.
  if (IsLoading() && (Value < 1 || Value > TlcCustomLang::MaxLanguages)) return;
  if (Value < 1)
    throw ELanguageError(IntToStr(Value) + u" - is not a valid property value !\r" +
                         u"Value must be more than ZERO !");
  TlcCustomLang::CheckLanguageCount(Value);
  FNumOfLanguages = Value;
  while (FLangNames->Count() < Value)
    FLangNames->Add(u"Language N" + IntToStr(FLangNames->Count() + 1));
  while (FLangNames->Count() > Value) FLangNames->Delete(FLangNames->Count() - 1);
  if (!IsLoading()) {
    // The active and default languages stay within the languages there are.
    if (FActiveLanguage > Value) {
      FActiveLanguage = Value;
      FLanguage = FLangNames->Get(Value - 1);
    }
    if (FDefaultLanguage > Value) FDefaultLanguage = Value;
  }
  for (size_t I = 0; I < FLCComponents.size(); ++I) FLCComponents[I]->SetNumOfLanguages(Value);
}

void TlcLangDispatcher::SetLangNames(TStrings* Value) {
  if (!Value || Value == FLangNames.get()) return;
  // The names set the language count: too many are refused, and nothing changes.
  if (Value->Count() > TlcCustomLang::MaxLanguages) {
    if (IsLoading()) return;
    TlcCustomLang::CheckLanguageCount(Value->Count());
  }
  FLangNames->Assign(*Value);
  // There is always one language, and the active one is among them.
  if (FLangNames->Count() == 0) FLangNames->Add(u"Language N1");
  FActiveLanguage = std::clamp(FActiveLanguage, 1, FLangNames->Count());
  FLanguage = FLangNames->Get(FActiveLanguage - 1);
  for (size_t I = 0; I < FLCComponents.size(); ++I) {
    TlcCustomLang* C = FLCComponents[I];
    C->FLangNames->Assign(*FLangNames);
    C->SetLanguage(FLanguage);
  }
  SetNumOfLanguages(FLangNames->Count());
}

void TlcLangDispatcher::SetLanguage(const String& Value) {
  if (Value == FLanguage) return;
  const int Index = FLangNames->IndexOf(Value);
  if (Index < 0 && FLangNames->Count() > 0)
    throw ELanguageError(u"Language name shall be included in LangNames property!");
  const String Old = std::exchange(FLanguage, Value);
  if (IsLoading() || Index < 0) return;
  // A refused or failed switch keeps the name of the language that stays active.
  TScopeExit KeepOld([this, &Old] { FLanguage = Old; });
  SetActiveLanguage(Index + 1);
  if (FActiveLanguage == Index + 1) KeepOld.Dismiss();
}

void TlcLangDispatcher::SetUseDefaultLanguage(bool Value) {
  if (Value == FUseDefaultLanguage) return;
  FUseDefaultLanguage = Value;
  for (size_t I = 0; I < FLCComponents.size(); ++I) FLCComponents[I]->SetUseDefaultLanguage(Value);
}

void TlcLangDispatcher::SetDefaultLanguage(int Value) {
  if (Value < 1 || Value > FNumOfLanguages || Value == FDefaultLanguage) return;
  FDefaultLanguage = Value;
  for (size_t I = 0; I < FLCComponents.size(); ++I) FLCComponents[I]->SetDefaultLanguage(Value);
}

void TlcLangDispatcher::FinishLoading() {
  TComponent::FinishLoading();
  FActiveLanguage = std::clamp(FActiveLanguage, 1, FNumOfLanguages);
}

void TlcLangDispatcher::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent && AComponent->Is<TlcCustomLang>())
    RemoveLcLang(static_cast<TlcCustomLang*>(AComponent));
}
