#include "timed_passes.h"

#include <libintl.h>

#include <cstring>

#ifdef LC_LRELEASE
#include <QCoreApplication>
#endif

#include "lang/custom_lang.h"

size_t AskOurs(TlcLang& Lang, const TKeyLiterals* Pass) {
  Lang.SetActiveLanguage(2);
  size_t Length = 0;
  for (const int N : {FirstHit, FirstFallback})
    Length += Lang.GetTextOrDefault(FromUtf8(TBenchTable::Key(N))).size();
  if (Pass)
    for (size_t I = 0; I < Pass->Count(); ++I)
      Length += Lang.GetTextOrDefault(Pass->Wide(I)).size();
  return Length;
}

size_t TimedGettext(const std::filesystem::path& Dir, const char* Domain,
                    const TKeyLiterals* Pass) {
  ::bindtextdomain(Domain, Dir.c_str());
  ::bind_textdomain_codeset(Domain, "UTF-8");
  size_t Length = 0;
  for (const int N : {FirstHit, FirstFallback})
    Length += std::strlen(::dgettext(Domain, TBenchTable::Key(N).c_str()));
  if (Pass)
    for (size_t I = 0; I < Pass->Count(); ++I)
      Length += std::strlen(::dgettext(Domain, Pass->Narrow(I)));
  return Length;
}

#ifdef LC_LRELEASE
size_t TimedQt(QTranslator& EnTranslator, const QString& En, QTranslator& RuTranslator,
               const QString& Ru, const TKeyLiterals* Pass) {
  if (!EnTranslator.load(En) || !RuTranslator.load(Ru)) return 0;
  QCoreApplication::installTranslator(&EnTranslator);
  QCoreApplication::installTranslator(&RuTranslator);  // the last installed is asked first
  size_t Length = 0;
  for (const int N : {FirstHit, FirstFallback})
    Length += QCoreApplication::translate("main", TBenchTable::Key(N).c_str()).toUtf8().size();
  if (Pass)
    for (size_t I = 0; I < Pass->Count(); ++I)
      Length += QCoreApplication::translate("main", Pass->Narrow(I)).toUtf8().size();
  return Length;
}
#endif
