#pragma once
// The translation component: keeps every text of its owner form in any number of languages, in
// eleven translation lists of translation lines, and reads and writes them as the form's
// "TranslationData".
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "component/component.h"
#include "core/strings.h"
#include "lang/lang_types.h"
#include "ui/dialogs.h"
#include "ui/font.h"
#include "ui/form.h"

class TlcLangDispatcher;
class TlcStringsCollection;
class TlcExtendedItems;
class TlcMemIniFile;
class TLCBFileManager;
class TSwitchLookups;
class TMessageForm;
struct TPropInfo;

// Called, when set, just before a text is written into a string property (or into a line of a
// string list), with the object, the property and the text, which it may rewrite.
using TSetTextPropHook = std::function<void(TObject* Obj, const TPropInfo& Prop, String& Text)>;
extern TSetTextPropHook SetTextPropHook;
// Writes the items over the lines of Target, each through SetTextPropHook (with Obj and Prop),
// appending what Target lacks and deleting its lines beyond the items; a sorted list stays
// unsorted meanwhile, so line k takes item k.
void CopyLinesInto(TStrings& Target, const TStrings& Items, TObject* Obj, const TPropInfo& Prop);

class TlcCustomLang : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // Raises Exception "Only one TlcCustomLang component per Form/DataModule allowed!" before
  // anything is set up when AOwner already owns one.
  explicit TlcCustomLang(TComponent* AOwner);
  ~TlcCustomLang() override;

  // Translation lines.
  String GetStringValue(const TStrings& AStrings, const String& AName, int ALang) const;
  String GetStringValue(pStrings AStrings, const String& AName, int ALang) const;
  virtual void ReplaceStringValue(TStrings& AStrings, const String& Value, const String& AName,
                                  int ALang);
  virtual void ReplaceStringValue(pStrings AStrings, const String& Value, const String& AName,
                                  int ALang);
  String TrimDelimiters(const String& S) const;
  void NormalizeList(TStrings& AList) const;
  void NormalizeLists();

  // Look-up of texts by key or line index, in the active language with the fallbacks. The key
  // is taken as it stands (a literal costs nothing to pass).
  String GetTextFrom(const TStrings& AStrings, std::u16string_view TextID, bool GetDefault,
                     bool NeedDecode) const;
  String GetTextFromW(const TStrings& AStrings, std::u16string_view TextID, bool GetDefault) const;
  String GetTextFromByIndex(const TStrings& AStrings, int ID, bool GetDefault) const;
  String GetTextFromByIndex(pStrings AStrings, int ID, bool GetDefault) const;
  String GetText(std::u16string_view TextID) const;
  String GetTextbyInt(int ID) const;
  String GetTextW(std::u16string_view TextID) const;
  String GetTextOrDefault(std::u16string_view TextID);
  String GetTextOrDefaultW(std::u16string_view TextID);
  String GetTextOrDefined(std::u16string_view TextID, int ADefined);
  String GetTextOrDefinedW(std::u16string_view TextID, int ADefined);
  // The text in a buffer shared by both calls, valid until the next one; nullptr when empty.
  const char16_t* GetTextC(std::u16string_view TextID) const;
  const char16_t* GetTextOrDefaultC(std::u16string_view TextID);
  String GetColumnOrDefault(std::u16string_view Line, uint8_t Delim, int Column) const;

  // Category lists by published name and by category; nullptr when the class publishes none.
  TStrings* GetPropListByName(const String& AName) const;
  virtual TStrings* GetPropListByType(TStringsType PropType) const;

  // Translation data of the form.
  void DeclareStoredData(TFiler& Filer) override;
  bool TranslationDataHasData(const TFiler& Filer) const;
  void WriteTranslationData(TStream& Stream) const;
  void ReadTranslationData(TStream& Stream);
  String DecodeAnsiColumns(const String& Line, bool NoNameColumn);
  String EncodeAnsiColumns(const String& Line);
  void DecodeAnsiList(TStrings& List);

  // Text translation files (one category, all of them, the extended translations) and merging.
  // A category load that fails gives -1 and raises nothing; a file that cannot be read raises
  // the stream's error; loading every category of a file that names more languages than a
  // component takes raises ELanguageError naming the file; saves replace the file only when the
  // whole new text was written.
  virtual int LoadFromStream(TStringsType PropType, TStream& AStream, bool CanRewrite);
  virtual int SaveToStream(TStringsType PropType, TStream& AStream, const String& Delimiter);
  virtual void LoadAllFromStream(TStream& AStream, bool CanRewrite, bool DontChangeLang);
  virtual void SaveAllToStream(TStream& AStream, const String& Delimiter);
  virtual bool MergeFromStream(TStringsType PropType, TStream& AStream);
  virtual bool MergeAllFromStream(TStream& AStream);
  virtual bool MergeAllFromStreamDNC(TStream& AStream);
  virtual int LoadFromFile(TStringsType PropType, const String& AFileName, bool CanRewrite);
  virtual int SaveToFile(TStringsType PropType, const String& AFileName, const String& Delimiter);
  virtual void LoadAllFromFile(const String& AFileName, bool CanRewrite);
  virtual void SaveAllToFile(const String& AFileName, const String& Delimiter);
  virtual int LoadStringsFromFile(const String& AFileName, bool CanRewrite);
  virtual int SaveStringsToFile(const String& AFileName, const String& Delimiter);
  virtual bool MergeFromFile(TStringsType PropType, const String& AFileName);
  virtual bool MergeAllFromFile(const String& AFileName);
  virtual void LoadAllFromFileDNC(const String& AFileName, bool CanRewrite);
  virtual bool MergeAllFromFileDNC(const String& AFileName);
  virtual void LoadLanguageByProp(TStringsType PropType, const String& AFileName,
                                  const String& LangName);
  virtual void LoadLanguageByExt(const String& AFileName, const String& LangName);
  virtual void LoadLanguage(const String& AFileName, const String& LangName);
  void LoadExtendedFromStream(TStream& AStream, bool CanRewrite);
  void SaveExtendedToStream(TStream& AStream, const String& Delimiter);
  // The extended section of a file: a missing file loads nothing; a save keeps the file's other
  // sections and forms and replaces the file only when the whole new text was written.
  void LoadExtendedFromFile(const String& FileName, bool CanRewrite);
  void SaveExtendedToFile(const String& FileName, const String& Delimiter);
  void GetLanguageNamesFromFile(const String& FileName, TStrings& LanguageList);

  // Binary translation files: this component's record of its form class.
  void SaveAllToBinaryFile(const String& FileName);
  void LoadAllFromBinaryFile(const String& FileName);
  void LoadAllFromBinaryStream(TStream& AStream);
  void LoadPropFromBinaryFile(TStringsType PropType, const String& FileName);
  // Property access by name, as the language switch writes texts; "" and nothing for no
  // component or no such property.
  String GetStrPropByName(const TComponent* Component, const String& AName) const;
  void SetStrPropByName(TComponent* Component, const String& AName, const String& Text);
  // The name and charset of the component's published Font; "" and 0 without one.
  String GetComponentFont(const TComponent* Component) const;
  TFontCharset GetComponentCharset(const TComponent* Component) const;
  void SetTextProp(TObject* Obj, const TPropInfo& Prop, const String& Text);
  String GetStringPropText(const TObject* Obj, const TPropInfo& Prop) const;
  // Whether the component's Caption (Kind 0) or Hint (Kind 1) is the one its action supplies.
  bool IsValueFromAction(const TComponent* Component, int Kind) const;
  // The owner's class name is not listed in DoNotTranslate.
  bool IsOwnerTranslatable() const;

  // Test mode: a linked dispatcher's test mode is active and a language above 1 is active.
  bool TestModeOn() const;
  // The language-1 text of a translation line through the test-mode transform; "" for none.
  String GetTestModeText(std::u16string_view Line, char16_t Delim) const;

  // Collects the current texts of the owner form and its components into the lists: a new
  // text gets a line (its text in language 1), a changed one replaces the active language's
  // text while the form is designed, and a new line showing the text of a vanished
  // component's line takes over all of that line's translations.
  virtual void BuildList();
  // Whether StringsTypes lists the class name: its published properties are multi-line texts.
  virtual bool IsStringsType(const String& AClassName) const;
  // Drops the lines of the excluded properties (and whole categories for "Caption", "Hint",
  // "DisplayLabel", "Font" and "Charset").
  void ExcludeProperties();

  // Drops the lines of one category that no longer fit the form: surplus delimiters, lines of
  // vanished components and collection items (kept in TmpStrings), captions and hints an
  // action supplies, and, with AutoSkipEmpties, lines without any text.
  void DelOldNames(TStrings& AStrings, TStringsType Propty);
  TStrings* TmpStrings() const { return FTmpStrings.get(); }
  // Removes the lines of what DoNotTranslate names (a component, the owner's class, "!TClass"
  // for every component of that class); lines are removed only while the form is designed.
  void ReBuildDoNotList();
  // Renames a component's lines, DoNotTranslate and SmartExcludeProps entries and extended
  // items; the owner's own lines carry its class name, "T" + its name.
  virtual void ComponentRenamed(const String& OldName, const String& NewName);

  // Charsets of the languages.
  TFontCharset GetCharsetForLanguage(int ALanguage);
  void RefreshCharsetArray();
  void RefreshCurrentCharset();

  void FinishLoading() override;
  // Applies the active language to the owner and its components: captions, hints, display
  // labels, fonts and their charsets, multi-line texts, other strings, collection items and,
  // with ChangeLocales, the format settings; then fires OnChangeLanguage.
  virtual void ChangeLanguage();
  void UpdateDlgsCaptions();
  bool HasTabDelimitedData() const;
  void ChangeLangDelim(uint8_t OldDelim, uint8_t NewDelim);
  void UTF8EncodeDecode(bool Encode);

  // The sorted copies of the Strings list that look-ups by key and by text search.
  void RebuildStringsCollection(TlcStringsCollection& Collection, int SortID);
  void UpdateStrCollections();
  String MakeValuesForColumn(const String& Text, int Column) const;

  // Editing the Strings entries and the language columns. AddString refuses (false) an
  // identifier or text that holds the delimiter; the language operations raise ELanguageError
  // for a language number outside the languages before anything changes, keep at least one
  // language, and keep the active, default and resource languages on the texts they had.
  bool AddString(const String& ID, std::span<const String> Texts);
  bool AddString(const String& ID, std::initializer_list<String> Texts);
  bool DeleteString(const String& TextID);  // by its exact identifier
  String GetStringID(int Index) const;      // EListError outside the Strings lines
  int GetIDIndex(const String& ID) const;   // ignoring ASCII case; -1 when absent
  void MoveLanguage(int FromIndex, int ToIndex);
  void DeleteLanguage(int Index);
  void InsertLanguage(int Index, const String& ALanguage);  // Index up to NumOfLanguages + 1
  void ClearTranslations();

  // Extended translations: any published property of the form or its components, named by a
  // property path (see lang/property_path.h); the path operations raise what resolving raises.
  TObject* GetObjByPath(const String& Path) const;
  TTypeKind GetPropTypeByPath(const String& Path) const;  // tkClass only for a string list
  String GetPropValueByPath(const String& Path) const;    // "" for a missing object or property
  // Converting or setting errors are swallowed: the property keeps its value.
  void SetPropValueByPath(const String& Path, const String& Value);
  // Applies the active language to every extended item; an item whose path raises is skipped.
  void ChangeLangForExtended();

  // Message and input dialogs whose titles and button captions come from DlgsCaptions in the
  // active language, in the charset of the form that owns the component. DefaultBtn mbOK and
  // CancelBtn mbCancel leave the choice to the rule of DefaultButtonOf and CancelButtonOf. A
  // message dialog is the platform's task dialog where UseTaskMsgDlg asks for it and the
  // platform offers one.
  TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                          int HelpCtx, TMsgDlgBtn DefaultBtn = mbOK,
                          TMsgDlgBtn CancelBtn = mbCancel);
  TModalResult MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                             int HelpCtx, int X, int Y, TMsgDlgBtn DefaultBtn = mbOK,
                             TMsgDlgBtn CancelBtn = mbCancel);
  TModalResult MessageDlgPosHelp(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                 int HelpCtx, int X, int Y, const String& HelpFileName,
                                 TMsgDlgBtn DefaultBtn = mbOK, TMsgDlgBtn CancelBtn = mbCancel);
  // The message form, not shown; owned by the application until the caller frees it.
  TComponentPtr<TForm> CreateMessageDialog(const String& Msg, TMsgDlgType DlgType,
                                           TMsgDlgButtons Buttons, TMsgDlgBtn DefaultBtn = mbOK,
                                           TMsgDlgBtn CancelBtn = mbCancel);
  // A task dialog with Title as its main instruction where the platform offers one, whatever
  // UseTaskMsgDlg says; else the message dialog, without the title.
  TModalResult TaskMessageDlg(const String& Title, const String& Msg, TMsgDlgType DlgType,
                              TMsgDlgButtons Buttons, int HelpCtx);
  TModalResult TaskMessageDlg(const String& Title, const String& Msg, TMsgDlgType DlgType,
                              TMsgDlgButtons Buttons, int HelpCtx, TMsgDlgBtn DefaultBtn);
  void ShowMessage(const String& Msg);
  void ShowMessageFmt(const String& Msg, std::initializer_list<TVarRec> Args);
  void ShowMessagePos(const String& Msg, int X, int Y);
  // True, with Value replaced by what was entered, when the user confirms with OK.
  bool InputQuery(const String& ACaption, const String& APrompt, String& Value,
                  char16_t APasswordChar = 0);
  // The entered text after OK, ADefault otherwise.
  String InputBox(const String& ACaption, const String& APrompt, const String& ADefault,
                  char16_t APasswordChar = 0);
  String GetDlgButtonCaption(TMsgDlgBtn Button) const;
  String GetDlgButtonCaptionW(TMsgDlgBtn Button) const;

  // Published by TlcCustomLang.
  String Version() const { return u"7.1"; }
  void SetVersion(const String&) {}
  bool IsInheritedOwner() const { return FOnInher; }
  void SetIsInheritedOwner(bool V) { FOnInher = V; }
  TStrings* StringsTypes() const { return FStringsTypes.get(); }
  void SetStringsTypes(TStrings* Value);
  TStrings* SmartExcludeProps() const { return FSmartProps.get(); }
  void SetSmartExcludeProps(TStrings* Value);
  bool HandleResourceStrings() const { return FHandleResourceStrings; }
  void SetHandleResourceStrings(bool V) { FHandleResourceStrings = V; }
  uint16_t ResourceLanguageIndex() const { return FResourceLanguageIndex; }
  void SetResourceLanguageIndex(uint16_t Value);
  bool TranslateExtendedFirst() const { return FTranslateExtendedFirst; }
  void SetTranslateExtendedFirst(bool V) { FTranslateExtendedFirst = V; }
  bool UseDefaultLanguage() const { return FUseDefaultLanguage; }
  void SetUseDefaultLanguage(bool V) { FUseDefaultLanguage = V; }
  int DefaultLanguage() const { return FDefaultLanguage; }
  void SetDefaultLanguage(int Value);
  bool AutoSkipEmpties() const { return FAutoSkipEmpties; }
  void SetAutoSkipEmpties(bool Value);
  bool StoreAsUTF8() const { return FStoreAsUTF8; }
  void SetStoreAsUTF8(bool Value);
  bool UseTaskMsgDlg() const { return FUseTaskMsgDlg; }
  void SetUseTaskMsgDlg(bool V) { FUseTaskMsgDlg = V; }
  TLanguageChangingEvent OnLanguageChanging;

  // Public here, published by TlcLang.
  TStrings* Captions() const { return FCaptions.get(); }
  TStrings* Hints() const { return FHints.get(); }
  TStrings* DisplayLabels() const { return FDisplayLabels.get(); }
  TStrings* Strings() const { return FStrings.get(); }
  TStrings* Fonts() const { return FFonts.get(); }
  TStrings* MultiLines() const { return FMultiLines.get(); }
  TStrings* DlgsCaptions() const { return FDlgsCaptions.get(); }
  TStrings* OtherStrings() const { return FOthers.get(); }
  TStrings* Locales() const { return FSystem.get(); }
  TStrings* CharSets() const { return FCharSets.get(); }
  TStrings* Collections() const { return FCollections.get(); }
  void SetCaptions(TStrings* V) { SetCategoryList(*FCaptions, V, stCaptions); }
  void SetHints(TStrings* V) { SetCategoryList(*FHints, V, stHints); }
  void SetDisplayLabels(TStrings* V) { SetCategoryList(*FDisplayLabels, V, stDisplayLabels); }
  void SetStrings(TStrings* V) { SetCategoryList(*FStrings, V, stStrings); }
  void SetFonts(TStrings* V) { SetCategoryList(*FFonts, V, stFonts); }
  void SetMultiLines(TStrings* V) { SetCategoryList(*FMultiLines, V, stMultiLines); }
  void SetDlgsCaptions(TStrings* V);
  void SetOtherStrings(TStrings* V) { SetCategoryList(*FOthers, V, stOtherStrings); }
  void SetLocales(TStrings* V) { SetCategoryList(*FSystem, V, stLocales); }
  void SetCharSets(TStrings* V) { SetCategoryList(*FCharSets, V, stCharSets); }
  void SetCollections(TStrings* V) { SetCategoryList(*FCollections, V, stCollections); }

  int NumOfLanguages() const { return FNumLang; }
  void SetNumOfLanguages(int Value);
  // Every language is a column of every line and a name: a count from damaged data must not
  // make a component build millions of them.
  static constexpr int MaxLanguages = 1024;
  // Raises ELanguageError when a component cannot take Count languages.
  static void CheckLanguageCount(int Count);
  int ActiveLanguage() const { return FActLang; }
  void SetActiveLanguage(int Value);
  bool ChangeLocales() const { return FSysChange; }
  void SetChangeLocales(bool Value);
  TlcLangDispatcher* LangDispatcher() const { return FLangDispatcher; }
  void SetLangDispatcher(TlcLangDispatcher* Value);
  TNotifyEvent OnChangeLanguage;
  uint8_t LangDelim() const { return FLangDelim; }
  void SetLangDelim(uint8_t Value);
  TStrings* DoNotTranslate() const { return FDoNotList.get(); }
  void SetDoNotTranslate(TStrings* Value);
  TStrings* LangNames() const { return FLangNames.get(); }
  void SetLangNames(TStrings* Value);
  const String& Language() const { return FLanguage; }
  void SetLanguage(const String& Value);
  TTranslateType TranslateType() const { return FTranslateType; }
  void SetTranslateType(TTranslateType V) { FTranslateType = V; }
  TlcLangOptions Options() const { return FOptions; }
  void SetOptions(TlcLangOptions Value);
  bool NeedAllDlgs() const { return FNeedAllDlgs; }
  void SetNeedAllDlgs(bool Value);
  TCursor ChangingCursor() const { return FChangingCursor; }
  void SetChangingCursor(TCursor V) { FChangingCursor = V; }
  TStrings* ExcludedProperties() const { return FExProps.get(); }
  void SetExcludedProperties(TStrings* Value);
  bool DoRaiseExceptions() const { return FRaiseExc; }
  void SetDoRaiseExceptions(bool V) { FRaiseExc = V; }
  TlcExtendedItems* ExtendedTranslations() const { return FExtendedTranslations.get(); }
  void SetExtendedTranslations(TlcExtendedItems* Value);

  // Public only.
  bool OverrideActionsValues() const { return FOverrideActionsValues; }
  void SetOverrideActionsValues(bool V) { FOverrideActionsValues = V; }
  TlcCustomLang* FontsInfoHolder() const { return FFontsInfoHolder; }
  void SetFontsInfoHolder(TlcCustomLang* V) { FFontsInfoHolder = V; }
  bool UseInheritedData() const { return FUseInheritedData; }
  void SetUseInheritedData(bool V) { FUseInheritedData = V; }
  TStrings* FixedLanguages() const { return FFixedLanguages.get(); }
  void SetFixedLanguages(TStrings* Value);
  TDFMDataChangedEvent OnDFMDataChangedEvent;

  bool IgnoreRemoval = false;
  bool DoNotEmptyStream = false;
  TFontCharset CurrentCharset = DEFAULT_CHARSET;
  bool UsedInCPP = false;
  bool BlockLanguageChanging = false;

  // Stored-tests of the settings that are written only when they hold something.
  bool DoNotTranslateStored() const { return FDoNotList->Count() > 0; }
  bool ExcludedPropertiesStored() const { return FExProps->Count() > 0; }
  bool SmartExcludePropsStored() const { return FSmartProps->Count() > 0; }
  bool ExtendedTranslationsStored() const;
  bool NeverStored() const { return false; }  // lists travel in "TranslationData"

  const std::vector<TFontCharset>& CharsetArray() const { return CS_Array; }
  TlcStringsCollection* StringsColl() const { return FStringsColl.get(); }
  TlcStringsCollection* LangStringsColl() const { return FLangStringsColl.get(); }
  const std::array<String, 15>& CreationLocales() const { return MyLocales; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void RemoveComponentEntries(TStrings& AList, TComponent* AComponent,
                                      TStringsType Category, TOperation Operation);

  bool FLCBLoading = false;
  std::unique_ptr<TlcStringsCollection> FLangStringsColl;
  std::unique_ptr<TlcStringsCollection> FStringsColl;
  std::vector<TFontCharset> CS_Array;
  bool FDontFireChanging = false;

 private:
  friend class TlcLangDispatcher;
  friend class TLCBFileManager;
  static TComponent* CheckOnlyOne(TComponent* AOwner);
  void InitDlgsCaptions();
  void SetCategoryList(TStrings& List, TStrings* Value, TStringsType Category);
  bool IsDesigning() const { return HasState(csDesigning); }
  bool IsLoading() const { return HasState(csLoading); }
  bool HoldsChar(char16_t C) const;
  void ReplaceDelimChar(uint8_t OldDelim, uint8_t NewDelim, TStrings& List);
  void ReplaceExtendedDelimiter(char16_t OldDelim, char16_t NewDelim);
  // Brings the extended items up to the live property values in the active language's column,
  // deleting the items whose path resolves to no object.
  void SyncExtendedFromProperties();
  String OwnerClassName() const;
  String OwnerName() const;
  static std::unique_ptr<TlcMemIniFile> ParseStream(TStream& AStream);
  // The steps of a category load from a text file: the file's options, the lines of the
  // category's section (returns the number of distinct keys), then taking the options over.
  struct TTextFileOptions;
  void ReadTextFileOptions(const TlcMemIniFile& Ini, TTextFileOptions& Options) const;
  int ReadCategoryLines(const TlcMemIniFile& Ini, TStringsType PropType,
                        const TTextFileOptions& Options, TStrings& Lines);
  void TakeTextFileOptions(TTextFileOptions& Options);
  void WriteLanguageNames(TlcMemIniFile& Ini) const;
  // Rebuilds the lines of Lines from index From on, whose columns follow the languages Names,
  // in the component's language order; a language that Names lack gets an empty column.
  // Nothing changes when Names are the component's names.
  void RealignColumns(TStrings& Lines, int From, const TStrings& Names) const;
  // Appends the lines of Old whose names List lacks, each name once, their columns moved from
  // the languages OldNames to the component's.
  void KeepUnknownLines(TStrings& List, const TStrings& Old, const TStrings& OldNames) const;
  // The language names a file carries; false for a text file without them.
  bool FileLanguageNames(const String& FileName, TStrings& Names);
  TComponentPtr<TlcCustomLang> NewScratch() const;
  // One language's column of a translation file being imported, and where it goes.
  struct TImportColumn {
    std::unique_ptr<TlcMemIniFile> Ini;  // null: the file does not list the language
    String Separator;
    int Column = 0;  // in the file, from 1
    int Target = 0;  // in the component, from 1
  };
  TImportColumn OpenImportColumn(const String& AFileName, const String& LangName);
  String ImportedText(const TImportColumn& From, const String& Section, const String& Key);
  int ImportTarget(const String& LangName);
  // The language switch, step by step.
  void ApplyOwnerText(TStrings& List, const String& PropName);
  void ApplyOwnerFont();
  void ApplyCategory(TStrings& AStrings, TStringsType Propty, TSwitchLookups& Lookups);
  void ApplyText(TComponent& Target, const TPropInfo& P, TStringsType Propty, const String& S);
  void ApplySubText(TComponent& Target, const TPropInfo& P, const String& Sub, const String& S);
  void ApplyFont(TComponent& Target, const TPropInfo& P, std::u16string_view Comp, const String& S,
                 TSwitchLookups& Lookups);
  void ApplyMultiLine(TComponent& Target, const TPropInfo& P, const String& Sub, const String& S);
  void ApplyCollections(TStrings& AStrings, TSwitchLookups& Lookups);
  // False when the line is unusable and goes.
  bool ApplyItemLine(TStrings& AStrings, int Index, TSwitchLookups& Lookups);
  void WriteItemText(TObject& Obj, const TPropInfo& Prop, const String& S);
  // The text line Index of List gives for the active language, with the fallbacks of the switch
  // (test mode only where TestMode allows it).
  String SwitchText(const TStrings& List, int Index, std::u16string_view Line, bool TestMode) const;
  // DoNotTranslate lists the component's name, or "!" and its class name.
  bool IsNotTranslated(std::u16string_view CompName) const;
  bool IsClassNotTranslated(const TComponent& Component) const;
  void DelOldNames(TStrings& AStrings, TStringsType Propty, TSwitchLookups& Lookups);
  // What DelOldNames does with a line: it stays, goes aside to FTmpStrings, or goes.
  enum class TLineFate { Stays, KeptAside, Dropped };
  // Whether line 0 stays the owner's own, not judged; it goes first when the owner's action
  // supplies its text.
  bool OwnLineStays(TStrings& AStrings, TStringsType Propty);
  TLineFate ItemLineFate(std::u16string_view Name, TSwitchLookups& Lookups);
  TLineFate ComponentLineFate(std::u16string_view Name, TStringsType Propty,
                              const String& OwnerClass, TSwitchLookups& Lookups);
  // Exclusion rules: PropName may be a path; any of its segments in ExcludedProperties, the
  // component's property (or its class's, "!TClass.Prop") in SmartExcludeProps, or "Name".
  bool IsExcludedProperty(const String& CompName, const String& PropName) const;
  // Deletes the last line of the component's property; for a collection every line whose
  // name begins with CompName.PropName.
  void RemoveEntries(TStrings* AStrings, const String& CompName, TStringsType Category,
                     const String& PropName);
  // Drops the lines whose component or property the form no longer publishes.
  void ValidateLists();
  bool IsValidLine(const String& Line, TStringsType Category) const;
  // Collecting, step by step.
  enum class TRecorded { Nothing, Existing, Borrowed, Fresh };
  struct TRecordRules {
    bool Designing = false;   // an existing line takes a changed text
    bool CanAppend = true;    // a new line may be added
    bool TextOfList = false;  // the value is a list's text: one final line break is no change
    // Called with the vanished line just before the line borrowing from it is added.
    std::function<void(const String&)> BeforeBorrowing;
  };
  TRecorded RecordValue(TStrings& List, const String& Key, const String& V,
                        const TRecordRules& Rules);
  String FindTmpLineByText(const String& Text) const;
  String FreshLine(const String& Key, const String& V) const;
  String ReadText(const TObject& Obj, const TPropInfo& P) const;  // "" when reading fails
  bool IsCollected(const TComponent& C) const;
  void AdoptOwnerLine(TStrings& List, const String& V, bool NeedText);
  bool OwnerLineMissing(const TStrings& List) const;
  void CollectOwnerText(TStrings& List, const String& PropName, TStringsType Category);
  void CollectOwnerFont();
  void CollectCategory(TStrings& List, TStringsType Category);
  void CollectComponentProps(TComponent& C, TStrings& List, TStringsType Category);
  void CollectFont(TComponent& C);
  void CollectOtherStrings(TObject& E, const String& EName);
  void CollectCollections(TComponent& C);
  void CollectItemProps(TComponent& C, TObject& Item, const String& ItemKey);
  void CollectPropertiesStrings();
  // The list of another linked component that a borrowing look-up reads, or nullptr; Borrow
  // tells whether borrowing applies at all.
  const TStrings* BorrowedList(const TStrings& AStrings, bool CommonOnly, bool& Borrow) const;
  String SearchList(const TStrings& AStrings, std::u16string_view TextID, bool GetDefault) const;
  // GetTextOrDefault with UseDefaultLanguage set.
  String GetTextOrDefaultLanguage(std::u16string_view TextID);
  String RangeMessage(int Value) const;
  int FindStringLine(const String& ID) const;  // the first Strings line of ID, exactly
  void CheckLanguageNumber(int Value, int Last) const;
  // After the columns were renumbered: the language settings follow their texts.
  void LanguagesRenumbered(const std::function<int(int)>& NewNumber);
  // A message dialog's window title: its type's DlgsCaptions text, the application's title for
  // mtCustom.
  String GetDlgTitle(TMsgDlgType DlgType) const;
  TFontCharset DialogCharset() const;
  // The measures a message form is laid out by.
  struct TMessageLayout;
  TMessageLayout MeasureMessageDialog(const TFont& Font, const String& Msg, TMsgDlgType DlgType,
                                      TMsgDlgButtons Buttons) const;
  void AddIconAndMessage(TForm& Form, const String& Msg, const TMessageLayout& L);
  void AddMessageButtons(TForm& Form, TMessageForm& Companion, TMsgDlgButtons Buttons,
                         TMsgDlgBtn DefaultBtn, TMsgDlgBtn CancelBtn, const TMessageLayout& L);
  // Writes a published string property of a dialog's control as the language switch writes
  // texts; a control without that property is left alone.
  void SetControlStrProp(TObject& Control, const String& PropName, const String& Text);
  TModalResult DoTaskMessageDlg(const String& Title, const String& Msg, TMsgDlgType DlgType,
                                TMsgDlgButtons Buttons, int HelpCtx, int X, int Y,
                                const String& HelpFileName, TMsgDlgBtn DefaultBtn);

  int FPropForChange = -1;
  std::unique_ptr<TSwitchLookups> FLookups;
  TSwitchLookups& Lookups();
  std::unique_ptr<TStringList> FCaptions, FHints, FDisplayLabels, FStrings, FFonts, FMultiLines,
      FDlgsCaptions, FOthers, FSystem, FCharSets, FCollections;
  int FActLang = 1;
  int FNumLang = 1;
  bool FSysChange = false;
  bool FDontChange = false;
  std::unique_ptr<TStringList> FTmpStrings;
  std::array<String, 15> MyLocales;
  TlcLangDispatcher* FLangDispatcher = nullptr;
  uint8_t FLangDelim = 1;
  std::unique_ptr<TStringList> FDoNotList;
  String FLanguage;
  std::unique_ptr<TStringList> FLangNames;
  TTranslateType FTranslateType = ttNoChange;
  TlcLangOptions FOptions = 0;
  bool FNeedAllDlgs = false;
  TCursor FChangingCursor = -1;
  std::unique_ptr<TStringList> FExProps;
  bool FRaiseExc = false;
  bool FOverrideActionsValues = false;
  std::unique_ptr<TStringList> FStringsTypes;
  std::unique_ptr<TStringList> FSmartProps;
  bool FOnInher = false;
  std::unique_ptr<TStringList> FFixedLanguages;
  bool FHandleResourceStrings = false;
  uint16_t FResourceLanguageIndex = 1;
  std::unique_ptr<TlcExtendedItems> FExtendedTranslations;
  bool FDontHandleFonts = false;
  bool FUseInheritedData = false;
  bool FTranslateExtendedFirst = false;
  bool FUseDefaultLanguage = false;
  int FDefaultLanguage = 1;
  TlcCustomLang* FFontsInfoHolder = nullptr;
  bool FAutoSkipEmpties = true;
  bool FStoreAsUTF8 = false;
  bool FUseTaskMsgDlg = true;
};

// The published translation component: publishes the lists and settings of TlcCustomLang.
class TlcLang : public TlcCustomLang {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TlcLang(TComponent* AOwner) : TlcCustomLang(AOwner) {}
};

// The type kinds a category's target property may have.
TTypeKinds CategoryTypeKinds(TStringsType Category);

// Registers TlcLang with the class registry (once) so the form stream can create it by name.
void RegisterLangClasses();
