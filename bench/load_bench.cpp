// Loading a translation table of 1,000, 10,000 and 100,000 keys in two languages until it
// answers: our translation component read from its form data (as a program creates its window:
// the form data copied out of its mapped file, the lines, the sorted collection and its key
// index), GNU gettext (a Russian and an English catalog under LANGUAGE=ru:en, loaded by a first
// hit and a first fallback) and Qt (a Russian and an English translator loaded and installed,
// then the same two look-ups). Also timed: the load followed by one pass of look-ups over every
// key in shuffled order, since both peers map their catalogs and read them only as keys are
// asked for; a pass in table order would walk our lines in memory order while the peers'
// catalogs are ordered by hash.
//
// Every sample is a process of its own, so each system pays the first touch of the memory it
// fills; what every system needs before its table (the Qt application, the locale, the keys) is
// set up before the clock starts. The systems take turns, so a change of the machine's load
// touches each alike. The sum of the answers' lengths is checked against the table, so every
// system did the same work. Prints the wall and the processor time (the latter less disturbed
// by other work on the same core) as medians with their spread, the time per 1,000 keys (flat
// when the load is linear), the pass's time per key and the ratios to the faster peer.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#ifdef LC_LRELEASE
#include <QCoreApplication>
#include <QTranslator>
#endif

#include "bench_table.h"
#include "lang/custom_lang.h"
#include "timed_passes.h"

namespace {

const int Sizes[] = {1000, 10000, 100000};
const char* const Systems[] = {"ours", "gettext", "qt"};

std::string Name(int Size) {
  return "load" + std::to_string(Size);
}

// What a system frees at the end is not timed.
[[gnu::noinline]] size_t TimedOurs(TBenchForm& Form, const std::filesystem::path& File,
                                   const TKeyLiterals* Pass) {
  return AskOurs(LoadFormData(Form, CopyOfMapped(File)), Pass);
}

// Sets up what the system needs before its table, then prints the wall and processor time in
// ms of the timed part and the length of its answers.
int Child(int argc, char** argv) {
  const std::string System = argv[2];
  const int Size = std::atoi(argv[3]);
  const std::filesystem::path Dir = argv[5];
  const TKeyLiterals Keys = ShuffledKeys(Size);
  const TKeyLiterals* Pass = argv[4][0] == '1' ? &Keys : nullptr;
  if (System == "ours") {
    const auto File = Dir / (Name(Size) + ".form");
    TBenchForm Form;
    const TStopwatch Clock;
    Clock.Print(TimedOurs(Form, File, Pass));
  } else if (System == "gettext") {
    const std::string Domain = Name(Size);
    UseGettextLanguages();
    const TStopwatch Clock;
    Clock.Print(TimedGettext(Dir, Domain.c_str(), Pass));
  } else {
#ifdef LC_LRELEASE
    QCoreApplication App(argc, argv);
    const QString En = QString::fromStdString((Dir / (Name(Size) + "_en.qm")).string());
    const QString Ru = QString::fromStdString((Dir / (Name(Size) + "_ru.qm")).string());
    QTranslator EnTranslator, RuTranslator;
    const TStopwatch Clock;
    Clock.Print(TimedQt(EnTranslator, En, RuTranslator, Ru, Pass));
#else
    (void)argc;
#endif
  }
  return 0;
}

// Samples of one system at one size: [0] the load, [1] the load and one pass.
struct TSamples {
  std::vector<double> Wall[2], Cpu[2];
};
using TResults = std::map<int, std::map<std::string, TSamples>>;

double Median(const std::vector<double>& V) {
  return SpreadOf(V).Median;
}

std::string Cell(const std::vector<double>& V) {
  if (V.empty()) return "-";
  const TSpread S = SpreadOf(V);
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.2f (%.2f-%.2f)", S.Median, S.Min, S.Max);
  return Buf;
}

void PrintTable(const TResults& All, bool Cpu) {
  const auto Times = [Cpu](const TSamples& S) -> const std::vector<double>(&)[2] {
    return Cpu ? S.Cpu : S.Wall;
  };
  std::printf("\n%s, ms: median (min-max)\n%7s %-8s %24s %26s %8s %12s\n",
              Cpu ? "Processor time" : "Wall time", "keys", "system", "load", "load + one pass",
              "ms/1k", "pass ns/key");
  for (const auto& [Size, Row] : All)
    for (const auto& [System, S] : Row) {
      const auto& T = Times(S);
      const double Load = Median(T[0]), Pass = Median(T[1]);
      std::printf("%7d %-8s %24s %26s %8.3f %12.0f\n", Size, System.c_str(), Cell(T[0]).c_str(),
                  Cell(T[1]).c_str(), Load * 1000 / Size, (Pass - Load) * 1e6 / Size);
    }
  std::printf("ours / faster peer (at most 1 is the target)\n%7s %12s %16s\n", "keys", "load",
              "load + one pass");
  for (const auto& [Size, Row] : All) {
    const auto Ours = Row.find("ours");
    if (Ours == Row.end()) continue;
    std::printf("%7d", Size);
    for (int Pass : {0, 1}) {
      double Faster = 0;
      for (const auto& [System, S] : Row)
        if (System != "ours" && !Times(S)[Pass].empty() &&
            (Faster == 0 || Median(Times(S)[Pass]) < Faster))
          Faster = Median(Times(S)[Pass]);
      if (Faster > 0)
        std::printf(" %*.2f", Pass ? 16 : 12, Median(Times(Ours->second)[Pass]) / Faster);
      else
        std::printf(" %*s", Pass ? 16 : 12, "-");
    }
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 5 && std::string(argv[1]) == "--child") return Child(argc, argv);
  // A folder given after the runs keeps the tables, so a child can be run again by hand.
  const int Runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  std::optional<TWorkDir> Temporary;
  const std::filesystem::path Dir =
      argc > 2 ? std::filesystem::path(argv[2]) : Temporary.emplace("load_bench").Path();
  std::filesystem::create_directories(Dir);
  std::map<int, std::map<std::string, bool>> Present;
  std::map<int, TBenchTable> Tables;
  for (int Size : Sizes) {
    const TBenchTable& Table = Tables.try_emplace(Size, Size).first->second;
    std::ofstream(Dir / (Name(Size) + ".form"), std::ios::binary) << MakeFormData(Table);
    Present[Size] = {{"ours", true},
                     {"gettext", MakeGettextCatalogs(Table, Dir, Name(Size))},
                     {"qt", MakeQtCatalogs(Table, Dir, Name(Size))}};
  }

  std::printf("Loading a translation table until it answers, %d runs (%s)\n", Runs,
              MachineLoad().c_str());
  TResults All;
  for (int R = 0; R < Runs; ++R)
    for (int Size : Sizes)
      for (int Pass : {0, 1})
        for (const char* System : Systems) {
          if (!Present[Size][System]) continue;
          const std::string Out =
              RunChild(argv[0], {System, std::to_string(Size), Pass ? "1" : "0", Dir});
          TChildFigures F;
          const size_t Want = AnswersLength(Tables.at(Size), Pass, std::string(System) == "ours");
          if (!ReadFigures(Out, F) || F.Length != Want) {
            std::fprintf(stderr, "%s, %d keys: no figure (answers of length %zu, expected %zu)\n",
                         System, Size, F.Length, Want);
            Present[Size][System] = false;
            All[Size].erase(System);
            continue;
          }
          TSamples& S = All[Size][System];
          S.Wall[Pass].push_back(F.WallMs);
          S.Cpu[Pass].push_back(F.CpuMs);
        }
  PrintTable(All, false);
  PrintTable(All, true);
  std::printf("%s\n", MachineLoad().c_str());
  return 0;
}
