// Memory per key of a translation table of 100,000 keys in two languages: the growth of the
// resident memory of a fresh process from before loading to after loading and one pass of
// look-ups over every key, for our translation component (read from its form data file, as a
// program creates its window), GNU gettext (a Russian and an English catalog, LANGUAGE=ru:en)
// and Qt (a Russian and an English translator installed). Each system runs in a process of its
// own, several times; prints the median, the spread and the ratio to the leanest peer.
#include <libintl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#ifdef LC_LRELEASE
#include <QCoreApplication>
#include <QTranslator>
#endif

#include "bench_table.h"
#include "component/reader.h"
#include "core/stream.h"
#include "lang/custom_lang.h"

namespace {

constexpr int Keys = 100000;

std::vector<std::string> AllKeys() {
  std::vector<std::string> R;
  for (int I = 0; I < Keys; ++I) R.push_back(TBenchTable::Key(I));
  return R;
}

// Each child prints its growth in bytes, or nothing when its system is not there.
int Ours(const std::filesystem::path& Dir, const TKeyLiterals& K) {
  TBenchForm Form;
  const long Before = ResidentBytes();
  {
    TFileStream In(FromUtf8((Dir / "form.bin").string()), fmOpenRead | fmShareDenyWrite);
    RegisterLangClasses();
    ReadComponent(In, &Form);
  }
  TlcLang* Lang = nullptr;
  for (int I = 0; I < Form.ComponentCount(); ++I)
    if (auto* L = dynamic_cast<TlcLang*>(Form.Components(I))) Lang = L;
  if (!Lang) return 1;
  Lang->SetActiveLanguage(2);
  size_t Length = 0;
  for (size_t I = 0; I < K.Count(); ++I) Length += Lang->GetTextOrDefault(K.Wide(I)).size();
  std::printf("%ld %zu\n", ResidentBytes() - Before, Length);
  return 0;
}

int Gettext(const std::filesystem::path& Dir, const TKeyLiterals& K) {
  UseGettextLanguages();
  ::bindtextdomain("memory", Dir.c_str());
  ::bind_textdomain_codeset("memory", "UTF-8");
  const long Before = ResidentBytes();
  size_t Length = 0;
  for (size_t I = 0; I < K.Count(); ++I) Length += std::strlen(::dgettext("memory", K.Narrow(I)));
  std::printf("%ld %zu\n", ResidentBytes() - Before, Length);
  return 0;
}

int QtTranslators(int argc, char** argv, const std::filesystem::path& Dir, const TKeyLiterals& K) {
#ifdef LC_LRELEASE
  QCoreApplication App(argc, argv);
  const long Before = ResidentBytes();
  QTranslator En, Ru;
  if (!En.load(QString::fromStdString((Dir / "memory_en.qm").string())) ||
      !Ru.load(QString::fromStdString((Dir / "memory_ru.qm").string())))
    return 1;
  QCoreApplication::installTranslator(&En);
  QCoreApplication::installTranslator(&Ru);  // asked first
  size_t Length = 0;
  for (size_t I = 0; I < K.Count(); ++I)
    Length += QCoreApplication::translate("main", K.Narrow(I)).toUtf8().size();
  std::printf("%ld %zu\n", ResidentBytes() - Before, Length);
  return 0;
#else
  (void)argc, (void)argv, (void)Dir, (void)K;
  return 1;
#endif
}

int Child(int argc, char** argv) {
  const std::string System = argv[2];
  const std::filesystem::path Dir = argv[3];
  const TKeyLiterals K(AllKeys());
  if (System == "ours") return Ours(Dir, K);
  if (System == "gettext") return Gettext(Dir, K);
  return QtTranslators(argc, argv, Dir, K);
}

// Runs one child; its growth in bytes, or -1.
long Measure(const char* Self, const std::string& System, const std::filesystem::path& Dir,
             size_t& Length) {
  long Growth = -1;
  const std::string Out = RunChild(Self, {System, Dir.string()});
  if (std::sscanf(Out.c_str(), "%ld %zu", &Growth, &Length) != 2) return -1;
  return Growth;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 3 && std::string(argv[1]) == "--child") return Child(argc, argv);
  const int Runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const TWorkDir Dir("lookup_memory_bench");
  const TBenchTable Table(Keys);
  {
    std::ofstream Out(Dir.Path() / "form.bin", std::ios::binary);
    Out << MakeFormData(Table);
  }
  std::map<std::string, bool> Present{{"ours", true},
                                      {"gettext", MakeGettextCatalogs(Table, Dir.Path(), "memory")},
                                      {"qt", MakeQtCatalogs(Table, Dir.Path(), "memory")}};
  // The sum of the answers' lengths: UTF-16 code units for ours, UTF-8 bytes for the peers.
  size_t Expected = 0, ExpectedOurs = 0;
  for (int I = 0; I < Keys; ++I) {
    Expected += Table.Answer(I).size();
    ExpectedOurs += FromUtf8(Table.Answer(I)).size();
  }

  std::printf("Resident memory per key, %d keys, two languages (%s)\n", Keys,
              MachineLoad().c_str());
  std::map<std::string, std::vector<double>> PerKey;
  // The systems take turns, so a change of the machine's load touches each alike.
  for (int R = 0; R < Runs; ++R)
    for (const char* System : {"ours", "gettext", "qt"}) {
      if (!Present[System]) continue;
      size_t Length = 0;
      const long Growth = Measure(argv[0], System, Dir.Path(), Length);
      const size_t Want = std::string(System) == "ours" ? ExpectedOurs : Expected;
      if (Growth < 0 || Length != Want) {
        std::fprintf(stderr, "%s: no figure (answers of length %zu, expected %zu)\n", System,
                     Length, Want);
        Present[System] = false;
        continue;
      }
      PerKey[System].push_back(static_cast<double>(Growth) / Keys);
    }
  std::printf("%-8s %10s %18s\n", "system", "median B", "spread (min-max)");
  for (const auto& [System, Values] : PerKey) {
    const TSpread S = SpreadOf(Values);
    std::printf("%-8s %10.0f %8.0f - %-8.0f\n", System.c_str(), S.Median, S.Min, S.Max);
  }
  double Leanest = 0;
  for (const char* Peer : {"gettext", "qt"})
    if (PerKey.count(Peer)) {
      const double M = SpreadOf(PerKey[Peer]).Median;
      if (Leanest == 0 || M < Leanest) Leanest = M;
    }
  if (Leanest > 0 && PerKey.count("ours"))
    std::printf("ours / leanest peer: %.2f (target at most 1.5)\n",
                SpreadOf(PerKey["ours"]).Median / Leanest);
  std::printf("%s\n", MachineLoad().c_str());
  return 0;
}
