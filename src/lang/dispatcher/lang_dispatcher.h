#pragma once
// The language dispatcher keeps several translation components, usually one on each form, in
// one language state: the same language names and number of languages, the same active
// language and default-language settings. A switch of its active language first asks every
// party, then switches every linked component. The components link to it through their own
// LangDispatcher property.
#include <memory>
#include <vector>

#include "component/component.h"
#include "core/strings.h"
#include "lang/lang_types.h"
#include "lang/switch/test_mode_info.h"

class TlcCustomLang;
class TLCBFileManager;
class TStream;

using TLinkToDispatcherEvent = TEvent<TObject*, TlcCustomLang*>;
const TTypeInfo& TypeInfoTLinkToDispatcherEvent();

class TlcLangDispatcher : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TlcLangDispatcher(TComponent* AOwner);
  // Every linked component is unlinked first, the last one first.
  ~TlcLangDispatcher() override;

  // Linking gives the component the dispatcher's count, names, language name and active
  // language; a component already linked is left as it is.
  void AddLcLang(TlcCustomLang* ALcLang);
  void RemoveLcLang(TlcCustomLang* ALcLang);
  int LcLangsCount() const { return static_cast<int>(FLCComponents.size()); }
  TlcCustomLang* LcLangs(int Index) const;  // EListError outside 0..LcLangsCount-1

  // Switching: outside 1..NumOfLanguages ELanguageError, before anyone is asked; then the
  // dispatcher's OnLanguageChanging and every linked component's, in link order, may refuse;
  // then every component switches and OnLanguageChanged fires. While the dispatcher is read
  // from its form data the value is only kept, and checked when reading ends.
  int ActiveLanguage() const { return FActiveLanguage; }
  void SetActiveLanguage(int Value);
  // At least 1 (ELanguageError otherwise, nothing changed); names are padded with "Language N"
  // and the number, or cut; every linked component follows.
  int NumOfLanguages() const { return FNumOfLanguages; }
  void SetNumOfLanguages(int Value);
  TStrings* LangNames() const { return FLangNames.get(); }
  void SetLangNames(TStrings* Value);
  // A name that is not in LangNames raises ELanguageError; a name that is switches to its
  // language (a refused switch keeps the old name).
  const String& Language() const { return FLanguage; }
  void SetLanguage(const String& Value);
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // The binary translation file manager that components linking load FileName with; nullptr
  // until a ".LCB" FileName was first loaded that way.
  TLCBFileManager* LCBManager() const { return FLCBManager.get(); }
  // The settings the linked components consult while they look up and apply texts.
  TTestModeInfo* TestModeInfo() const { return FTestModeInfo.get(); }
  bool UseDefaultLanguage() const { return FUseDefaultLanguage; }
  void SetUseDefaultLanguage(bool Value);
  // Ignored outside 1..NumOfLanguages.
  int DefaultLanguage() const { return FDefaultLanguage; }
  void SetDefaultLanguage(int Value);

  // One translation file into every linked component: a binary one (".LCB") read by each, a
  // text one parsed once for all; then the dispatcher and every component take the first
  // component's language names and count. A missing file raises ELanguageError naming it and
  // changes nothing; a file that cannot be read raises its reader's error.
  void LoadAllFromFile(const String& AFileName);
  // A binary translation stream into every linked component; the dispatcher takes the first
  // component's names and count without passing them on.
  void LoadAllFromStream(TStream& AStream);
  // Every linked component's translations into one file, each under its form's class.
  void SaveAllToFile(const String& FileName, const String& Delimiter);
  void SaveAllToBinaryFile(const String& FileName);

  void FinishLoading() override;

  TLinkToDispatcherEvent OnLinkToDispatcher;
  TLanguageChangingEvent OnLanguageChanging;
  TNotifyEvent OnLanguageChanged;
  // Kept for applications; the library does not read them.
  bool TestMode = false;
  int TestPercentage = 0;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool IsLoading() const { return HasState(csLoading); }
  bool IsDesigning() const { return HasState(csDesigning); }
  // True when neither the dispatcher nor any linked component refuses Value.
  bool AllowChange(int Value);
  // Loads FileName into a component that links, in the dispatcher's active language.
  void LoadFileOnLink(TlcCustomLang& ALcLang);
  // The component's names and count, taken without passing them on to the others.
  void TakeLanguagesOf(const TlcCustomLang& ALcLang);

  std::vector<TlcCustomLang*> FLCComponents;
  int FActiveLanguage = 1;
  int FNumOfLanguages = 1;
  String FLanguage;
  std::unique_ptr<TStringList> FLangNames;
  String FFileName;
  std::unique_ptr<TLCBFileManager> FLCBManager;
  std::unique_ptr<TTestModeInfo> FTestModeInfo;
  bool FUseDefaultLanguage = false;
  int FDefaultLanguage = 1;
};
