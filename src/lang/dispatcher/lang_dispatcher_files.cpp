// Translation files for every linked component at once.
#include <algorithm>

#include "core/restore.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/dispatcher/lang_dispatcher.h"
#include "lang/files/binary_translation_file.h"
#include "lang/files/mem_ini_file.h"
#include "lang/files/text_translation_file.h"

void TlcLangDispatcher::LoadAllFromFile(const String& AFileName) {
  RequireTranslationFile(AFileName);
  if (IsLCBFileName(AFileName)) {
    for (size_t I = 0; I < FLCComponents.size(); ++I)
      FLCComponents[I]->LoadAllFromBinaryFile(AFileName);
  } else {
    // Parsed once: every component reads its sections from the shared copy.
    const std::unique_ptr<TlcMemIniFile> Ini = ReadTranslationFile(AFileName);
    {
      const TRestore<TlcMemIniFile*> Shared(SharedTranslationIni, Ini.get());
      TMemoryStream Unused;
      for (size_t I = 0; I < FLCComponents.size(); ++I)
        FLCComponents[I]->LoadAllFromStream(Unused, true, true);
    }
    // Lines of excluded properties the file brought back go before the switch can apply them.
    for (size_t I = 0; I < FLCComponents.size(); ++I) {
      FLCComponents[I]->ExcludeProperties();
      FLCComponents[I]->ChangeLanguage();
    }
  }
  if (!FLCComponents.empty()) {
    TlcCustomLang* First = FLCComponents.front();
    SetLangNames(First->LangNames());
    SetNumOfLanguages(First->NumOfLanguages());
  }
  for (size_t I = 0; I < FLCComponents.size(); ++I) FLCComponents[I]->FinishLoading();
}

void TlcLangDispatcher::LoadAllFromStream(TStream& AStream) {
  for (size_t I = 0; I < FLCComponents.size(); ++I) {
    AStream.SetPosition(0);
    FLCComponents[I]->LoadAllFromBinaryStream(AStream);
  }
  if (!FLCComponents.empty()) TakeLanguagesOf(*FLCComponents.front());
}

void TlcLangDispatcher::SaveAllToFile(const String& FileName, const String& Delimiter) {
  for (size_t I = 0; I < FLCComponents.size(); ++I)
    FLCComponents[I]->SaveAllToFile(FileName, Delimiter);
}

void TlcLangDispatcher::SaveAllToBinaryFile(const String& FileName) {
  for (size_t I = 0; I < FLCComponents.size(); ++I) FLCComponents[I]->SaveAllToBinaryFile(FileName);
}

void TlcLangDispatcher::LoadFileOnLink(TlcCustomLang& ALcLang) {
  // The loader applies the dispatcher's language as it finishes.
  ALcLang.FActLang = FActiveLanguage;
  if (IsLCBFileName(FFileName)) {
    if (!FLCBManager) FLCBManager = std::make_unique<TLCBFileManager>();
    ALcLang.LoadAllFromBinaryFile(FFileName);
  } else {
    ALcLang.LoadAllFromFile(FFileName, true);
  }
  TakeLanguagesOf(ALcLang);
}

void TlcLangDispatcher::TakeLanguagesOf(const TlcCustomLang& ALcLang) {
  // Taken as they are, not passed on: the components linked before keep their own.
  FLangNames->Assign(*ALcLang.LangNames());
  FNumOfLanguages = ALcLang.NumOfLanguages();
  FActiveLanguage = std::clamp(FActiveLanguage, 1, FNumOfLanguages);
  if (FLangNames->Count() >= FActiveLanguage) FLanguage = FLangNames->Get(FActiveLanguage - 1);
}
