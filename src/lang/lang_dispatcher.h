#pragma once
// The language dispatcher keeps several translation components in step. This holds what the
// components read of it: the linked components in link order and the language settings it
// hands to a component that links to it.
#include <vector>

#include "component/component.h"
#include "core/strings.h"

class TlcCustomLang;

class TlcLangDispatcher : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcLangDispatcher(TComponent* AOwner);
  ~TlcLangDispatcher() override;

  void AddLcLang(TlcCustomLang* ALcLang);
  void RemoveLcLang(TlcCustomLang* ALcLang);
  int LcLangsCount() const { return static_cast<int>(FLCComponents.size()); }
  TlcCustomLang* LcLangs(int Index) const;

  int ActiveLanguage() const { return FActiveLanguage; }
  void SetActiveLanguage(int Value) { FActiveLanguage = Value; }
  int NumOfLanguages() const { return FNumOfLanguages; }
  void SetNumOfLanguages(int Value) { FNumOfLanguages = Value; }
  TStrings* LangNames() const { return FLangNames.get(); }
  const String& Language() const { return FLanguage; }
  void SetLanguage(const String& Value) { FLanguage = Value; }
  bool UseDefaultLanguage() const { return FUseDefaultLanguage; }
  void SetUseDefaultLanguage(bool Value) { FUseDefaultLanguage = Value; }
  int DefaultLanguage() const { return FDefaultLanguage; }
  void SetDefaultLanguage(int Value) { FDefaultLanguage = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::vector<TlcCustomLang*> FLCComponents;
  int FActiveLanguage = 1;
  int FNumOfLanguages = 1;
  std::unique_ptr<TStringList> FLangNames;
  String FLanguage;
  bool FUseDefaultLanguage = false;
  int FDefaultLanguage = 1;
};
