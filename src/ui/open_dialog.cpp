#include "ui/open_dialog.h"

#include <filesystem>
#include <system_error>

#include "ui/dialogs.h"

const TTypeInfo& TypeInfoTOpenOptions() {
  static const TTypeInfo Element = EnumTypeInfo(u"TOpenOption", {u"ofReadOnly",
                                                                 u"ofOverwritePrompt",
                                                                 u"ofHideReadOnly",
                                                                 u"ofNoChangeDir",
                                                                 u"ofShowHelp",
                                                                 u"ofNoValidate",
                                                                 u"ofAllowMultiSelect",
                                                                 u"ofExtensionDifferent",
                                                                 u"ofPathMustExist",
                                                                 u"ofFileMustExist",
                                                                 u"ofCreatePrompt",
                                                                 u"ofShareAware",
                                                                 u"ofNoReadOnlyReturn",
                                                                 u"ofNoTestFileCreate",
                                                                 u"ofNoNetworkButton",
                                                                 u"ofNoLongNames",
                                                                 u"ofOldStyleDialog",
                                                                 u"ofNoDereferenceLinks",
                                                                 u"ofEnableIncludeNotify",
                                                                 u"ofEnableSizing",
                                                                 u"ofDontAddToRecent",
                                                                 u"ofForceShowHidden"});
  static const TTypeInfo T = SetTypeInfo(u"TOpenOptions", Element);
  return T;
}

const TClassType& TOpenDialog::StaticClassType() {
  static const TClassType T(u"TOpenDialog", &TComponent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TOpenDialog(dynamic_cast<TComponent*>(Owner));
    };
    TPropsOf<TOpenDialog>(C)
        .Str(u"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
        .Str(u"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
        .Str(u"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
        .Ord(u"FilterIndex", TypeInfoInteger(), &TOpenDialog::FilterIndex,
             &TOpenDialog::SetFilterIndex, 1)
        .Str(u"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
        .Ord(u"Options", TypeInfoTOpenOptions(), &TOpenDialog::Options, &TOpenDialog::SetOptions,
             OpenOptions({ofHideReadOnly, ofEnableSizing}))
        .Str(u"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
  });
  return T;
}

String TOpenDialog::StartFolder() const {
  if (!FInitialDir.empty()) return FInitialDir;
  std::error_code Error;
  const std::filesystem::path Current = std::filesystem::current_path(Error);
  return Error ? String() : FromUtf8(Current.string());
}

bool TOpenDialog::Execute() {
  return DialogProvider().ExecuteOpenDialog(*this);
}
