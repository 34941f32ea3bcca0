// The extended translations in a text translation file of their own or shared with the lists.
#include "core/restore.h"
#include "core/safe_file.h"
#include "core/stream.h"
#include "lang/custom_lang.h"
#include "lang/files/text_translation_file.h"

void TlcCustomLang::LoadExtendedFromFile(const String& FileName, bool CanRewrite) {
  if (!FileExists(FileName)) return;
  // The loader takes the parsed file in place of its stream, so the file is read and parsed
  // as the other loaders read it.
  const std::unique_ptr<TlcMemIniFile> Ini = ReadTranslationFile(FileName);
  const TRestore<TlcMemIniFile*> Shared(SharedTranslationIni, Ini.get());
  TMemoryStream Unread;
  LoadExtendedFromStream(Unread, CanRewrite);
}

void TlcCustomLang::SaveExtendedToFile(const String& FileName, const String& Delimiter) {
  // The new text is made in memory from the old one and replaces the file in one step.
  TMemoryStream Stream;
  if (FileExists(FileName)) Stream.LoadFromFile(FileName);
  SaveExtendedToStream(Stream, Delimiter);
  SaveBytesSafely(FileName, Stream.Bytes());
}
