// Loading a translation table of 1,000, 10,000 and 100,000 keys in two languages until it
// answers: our translation component read from its form data (as a program creates its window:
// the lines, the sorted collection and its key index), GNU gettext (a Russian and an English
// catalog, bound under a fresh domain each time, loaded by a first hit and a first fallback) and
// Qt (a Russian and an English translator loaded and installed, then the same two look-ups).
// Also timed: the load followed by one pass of look-ups over every key, since both peers map
// their catalogs and read them only as keys are asked for. Prints medians with the spread, the
// time per 1,000 lines (flat when the load is linear) and the ratio to the faster peer.
#include <libintl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifdef LC_LRELEASE
#include <QCoreApplication>
#include <QTranslator>
#endif

#include "bench_table.h"
#include "lang/custom_lang.h"

namespace {

const int Sizes[] = {1000, 10000, 100000};
constexpr int Runs = 5;

double Ms(std::chrono::steady_clock::time_point Since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Since)
      .count();
}

struct TTimes {
  std::vector<double> Load, LoadAndPass;
};

void Ours(const TBenchTable& Table, const TKeyLiterals& Keys, TTimes& T) {
  const std::string Data = MakeFormData(Table);
  for (int R = 0; R < Runs; ++R) {
    for (bool Pass : {false, true}) {
      auto Form = std::make_unique<TBenchForm>();
      const auto Start = std::chrono::steady_clock::now();
      TlcLang& Lang = LoadFormData(*Form, Data);
      Lang.SetActiveLanguage(2);
      size_t Length = Lang.GetTextOrDefault(Keys.Wide(0)).size();
      if (Pass)
        for (size_t I = 0; I < Keys.Count(); ++I)
          Length += Lang.GetTextOrDefault(Keys.Wide(I)).size();
      (Pass ? T.LoadAndPass : T.Load).push_back(Ms(Start));
      if (Length == 0) std::fprintf(stderr, "ours: no answers\n");
    }
  }
}

bool Gettext(const TBenchTable& Table, const TKeyLiterals& Keys, const std::filesystem::path& Dir,
             TTimes& T) {
  const std::string Base = "load" + std::to_string(Table.Size);
  if (!MakeGettextCatalogs(Table, Dir, Base)) return false;
  const std::string Fallback = TBenchTable::Key(0);  // every tenth Russian text is empty
  for (int R = 0; R < Runs; ++R) {
    for (bool Pass : {false, true}) {
      // gettext keeps what it loaded for the life of the process: a fresh domain each time.
      const std::string Domain = Base + "_" + std::to_string(R) + (Pass ? "p" : "");
      for (const char* Language : {"ru", "en"}) {
        const auto Messages = Dir / Language / "LC_MESSAGES";
        std::filesystem::copy_file(Messages / (Base + ".mo"), Messages / (Domain + ".mo"));
      }
      const auto Start = std::chrono::steady_clock::now();
      ::bindtextdomain(Domain.c_str(), Dir.c_str());
      ::bind_textdomain_codeset(Domain.c_str(), "UTF-8");
      size_t Length = std::strlen(::dgettext(Domain.c_str(), Keys.Narrow(1)));
      Length += std::strlen(::dgettext(Domain.c_str(), Fallback.c_str()));
      if (Pass)
        for (size_t I = 0; I < Keys.Count(); ++I)
          Length += std::strlen(::dgettext(Domain.c_str(), Keys.Narrow(I)));
      (Pass ? T.LoadAndPass : T.Load).push_back(Ms(Start));
      if (Length == 0) std::fprintf(stderr, "gettext: no answers\n");
    }
  }
  return true;
}

bool QtTranslators(const TBenchTable& Table, const TKeyLiterals& Keys,
                   const std::filesystem::path& Dir, TTimes& T) {
#ifdef LC_LRELEASE
  const std::string Name = "load" + std::to_string(Table.Size);
  if (!MakeQtCatalogs(Table, Dir, Name)) return false;
  const std::string Fallback = TBenchTable::Key(0);
  for (int R = 0; R < Runs; ++R) {
    for (bool Pass : {false, true}) {
      QTranslator En, Ru;
      const auto Start = std::chrono::steady_clock::now();
      if (!En.load(QString::fromStdString((Dir / (Name + "_en.qm")).string())) ||
          !Ru.load(QString::fromStdString((Dir / (Name + "_ru.qm")).string())))
        return false;
      QCoreApplication::installTranslator(&En);
      QCoreApplication::installTranslator(&Ru);
      qsizetype Length = QCoreApplication::translate("main", Keys.Narrow(1)).size();
      Length += QCoreApplication::translate("main", Fallback.c_str()).size();
      if (Pass)
        for (size_t I = 0; I < Keys.Count(); ++I)
          Length += QCoreApplication::translate("main", Keys.Narrow(I)).size();
      (Pass ? T.LoadAndPass : T.Load).push_back(Ms(Start));
      QCoreApplication::removeTranslator(&Ru);
      QCoreApplication::removeTranslator(&En);
      if (Length == 0) std::fprintf(stderr, "Qt: no answers\n");
    }
  }
  return true;
#else
  (void)Table, (void)Keys, (void)Dir, (void)T;
  return false;
#endif
}

std::string Cell(const std::vector<double>& V) {
  if (V.empty()) return "-";
  const TSpread S = SpreadOf(V);
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.2f (%.2f-%.2f)", S.Median, S.Min, S.Max);
  return Buf;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef LC_LRELEASE
  QCoreApplication App(argc, argv);
#else
  (void)argc, (void)argv;
#endif
  UseGettextLanguages();
  const TWorkDir Dir("load_bench");
  std::printf("Loading a translation table until it answers, ms (%s)\n", MachineLoad().c_str());
  std::printf("%7s %-14s %26s %26s %10s\n", "keys", "system", "load", "load + one pass", "ms/1k");
  std::map<int, std::map<std::string, TTimes>> All;
  for (int Size : Sizes) {
    const TBenchTable Table(Size);
    std::vector<std::string> Keys;
    for (int I = 0; I < Size; ++I) Keys.push_back(TBenchTable::Key(I));
    const TKeyLiterals K(Keys);
    auto& Row = All[Size];
    Ours(Table, K, Row["ours"]);
    if (!Gettext(Table, K, Dir.Path(), Row["gettext"])) Row.erase("gettext");
    if (!QtTranslators(Table, K, Dir.Path(), Row["qt"])) Row.erase("qt");
    for (const auto& [System, T] : Row)
      std::printf("%7d %-14s %26s %26s %10.3f\n", Size, System.c_str(), Cell(T.Load).c_str(),
                  Cell(T.LoadAndPass).c_str(), SpreadOf(T.Load).Median * 1000 / Size);
  }
  std::printf("\nours / faster peer (at most 1 is the target)\n%7s %12s %16s\n", "keys", "load",
              "load + one pass");
  for (const auto& [Size, Row] : All) {
    double Load = 0, Pass = 0;
    for (const auto& [System, T] : Row) {
      if (System == "ours") continue;
      const double L = SpreadOf(T.Load).Median, P = SpreadOf(T.LoadAndPass).Median;
      if (Load == 0 || L < Load) Load = L;
      if (Pass == 0 || P < Pass) Pass = P;
    }
    const TTimes& O = Row.at("ours");
    if (Load > 0)
      std::printf("%7d %12.2f %16.2f\n", Size, SpreadOf(O.Load).Median / Load,
                  SpreadOf(O.LoadAndPass).Median / Pass);
  }
  std::printf("%s\n", MachineLoad().c_str());
  return 0;
}
