#include "lang/lang_dispatcher.h"

#include <algorithm>

#include "core/rtti.h"
#include "lang/custom_lang.h"

const TClassType& TlcLangDispatcher::StaticClassType() {
  static const TClassType T(
      u"TlcLangDispatcher", &TComponent::StaticClassType(), [](TClassType& C) {
        TPropsOf<TlcLangDispatcher>(C)
            .Ord(u"ActiveLanguage", TypeInfoInteger(), &TlcLangDispatcher::ActiveLanguage,
                 &TlcLangDispatcher::SetActiveLanguage)
            .Ord(u"NumOfLanguages", TypeInfoInteger(), &TlcLangDispatcher::NumOfLanguages,
                 &TlcLangDispatcher::SetNumOfLanguages)
            .Str(u"Language", &TlcLangDispatcher::Language, &TlcLangDispatcher::SetLanguage)
            .Ord(u"UseDefaultLanguage", TypeInfoBoolean(), &TlcLangDispatcher::UseDefaultLanguage,
                 &TlcLangDispatcher::SetUseDefaultLanguage, 0)
            .Ord(u"DefaultLanguage", TypeInfoInteger(), &TlcLangDispatcher::DefaultLanguage,
                 &TlcLangDispatcher::SetDefaultLanguage, 1);
        C.Create = [](TObject* Owner) -> TObject* {
          return new TlcLangDispatcher(dynamic_cast<TComponent*>(Owner));
        };
      });
  return T;
}

TlcLangDispatcher::TlcLangDispatcher(TComponent* AOwner)
    : TComponent(AOwner), FLangNames(std::make_unique<TStringList>()) {
  FLangNames->Add(u"Language N1");
}

TlcLangDispatcher::~TlcLangDispatcher() = default;

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
  ALcLang->SetNumOfLanguages(FNumOfLanguages);
  ALcLang->FLangNames->SetText(FLangNames->GetText());
  ALcLang->FLanguage = FLanguage;
  ALcLang->SetActiveLanguage(FActiveLanguage);
  ALcLang->RefreshCurrentCharset();
}

void TlcLangDispatcher::RemoveLcLang(TlcCustomLang* ALcLang) {
  auto It = std::find(FLCComponents.begin(), FLCComponents.end(), ALcLang);
  if (It != FLCComponents.end()) FLCComponents.erase(It);
}

void TlcLangDispatcher::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent && AComponent->Is<TlcCustomLang>())
    RemoveLcLang(static_cast<TlcCustomLang*>(AComponent));
}
