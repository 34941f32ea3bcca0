#pragma once
// The open-file dialog component: its settings, and Execute, which shows it through the
// dialog provider.
#include <cstdint>
#include <initializer_list>

#include "component/component.h"
#include "core/rtti.h"
#include "core/ustring.h"

enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = uint32_t;  // bit n = option n
constexpr TOpenOptions OpenOptions(std::initializer_list<TOpenOption> Options) {
  TOpenOptions S = 0;
  for (TOpenOption O : Options) S |= 1u << O;
  return S;
}
const TTypeInfo& TypeInfoTOpenOptions();

class TOpenDialog : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // Pairs of description and patterns, all separated by "|".
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  int FilterIndex() const { return FFilterIndex; }  // from 1
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }

  // The folder every Execute opens in: InitialDir, or the current folder when that is empty.
  // Where an earlier dialog was left counts for nothing.
  String StartFolder() const;

  // True with FileName set to the chosen file; false when cancelled.
  bool Execute();

 private:
  String FDefaultExt;
  String FFileName;
  String FFilter;
  int FFilterIndex = 1;
  String FInitialDir;
  TOpenOptions FOptions = OpenOptions({ofHideReadOnly, ofEnableSizing});
  String FTitle;
};
