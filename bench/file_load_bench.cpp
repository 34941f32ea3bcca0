// Loading translation files of 1,000, 10,000 and 100,000 keys in two languages until they
// answer: our component's text and binary translation files, against the same table as our form
// data (the fastest way we read it, and the yardstick of the files) and as GNU
// gettext catalogs (a Russian and an English .mo made by msgfmt, LANGUAGE=ru:en) and as Qt
// catalogs (a Russian and an English .qm made by lrelease, both translators installed). Every
// system holds the same texts, every tenth Russian one empty so that its key falls back to
// English. Timed: the load with a first hit and a first fallback (both peers map their catalogs
// and read them only as keys are asked for), and the load followed by one pass of look-ups over
// every key in shuffled order.
//
// Every file is made before anything is timed. Every sample is a process of its own, so each
// system pays the first touch of the memory it fills; what every system needs before its files
// (the Qt application, the locale, an empty component, the keys) is set up before the clock
// starts. The child's own wall time is the iteration's time; repetitions run in random order, so
// a change of the machine's load touches every system alike. The sum of the answers' lengths is
// checked against the table, so every system did the same work. Bytes per second are those of
// each system's own files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
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
const char* const Systems[] = {"ours_text", "ours_binary", "ours_form", "gettext", "qt"};
constexpr int Repetitions = 7;

std::string Name(int Size) {
  return "file" + std::to_string(Size);
}

// What a system frees at the end is not timed.
[[gnu::noinline]] size_t TimedOurs(TlcLang& Lang, const String& File, bool Binary,
                                   const TKeyLiterals* Pass) {
  if (Binary)
    Lang.LoadAllFromBinaryFile(File);
  else
    Lang.LoadAllFromFile(File, true);
  return AskOurs(Lang, Pass);
}

[[gnu::noinline]] size_t TimedForm(TBenchForm& Form, const std::filesystem::path& File,
                                   const TKeyLiterals* Pass) {
  return AskOurs(LoadFormData(Form, CopyOfMapped(File)), Pass);
}

// "--child SYSTEM SIZE PASS DIR": sets up what the system needs before its files, then prints
// the wall and processor time of the timed part and the length of its answers.
int Child(int argc, char** argv) {
  const std::string System = argv[2];
  const int Size = std::atoi(argv[3]);
  const std::filesystem::path Dir = argv[5], Base = Dir / Name(Size);
  const TKeyLiterals Keys = ShuffledKeys(Size);
  const TKeyLiterals* Pass = argv[4][0] == '1' ? &Keys : nullptr;
  if (System == "ours_text" || System == "ours_binary") {
    const bool Binary = System == "ours_binary";
    const String File = FromUtf8(Base.string() + (Binary ? ".lcb" : ".lng"));
    TBenchForm Form;
    auto* Lang = new TlcLang(&Form);
    const TStopwatch Clock;
    Clock.Print(TimedOurs(*Lang, File, Binary, Pass));
  } else if (System == "ours_form") {
    TBenchForm Form;
    const TStopwatch Clock;
    Clock.Print(TimedForm(Form, Base.string() + ".form", Pass));
  } else if (System == "gettext") {
    const std::string Domain = Name(Size);
    UseGettextLanguages();
    const TStopwatch Clock;
    Clock.Print(TimedGettext(Dir, Domain.c_str(), Pass));
  } else {
#ifdef LC_LRELEASE
    QCoreApplication App(argc, argv);
    const QString En = QString::fromStdString(Base.string() + "_en.qm");
    const QString Ru = QString::fromStdString(Base.string() + "_ru.qm");
    QTranslator EnTranslator, RuTranslator;
    const TStopwatch Clock;
    Clock.Print(TimedQt(EnTranslator, En, RuTranslator, Ru, Pass));
#else
    (void)argc;
#endif
  }
  return 0;
}

// Our text and binary files and form data of the table, the peers' catalogs; the files of each
// system.
std::map<std::string, std::vector<std::filesystem::path>> MakeFiles(
    const TBenchTable& Table, const std::filesystem::path& Dir) {
  const std::filesystem::path Base = Dir / Name(Table.Size);
  std::map<std::string, std::vector<std::filesystem::path>> Files;
  {
    TBenchForm Form;
    auto* Lang = new TlcLang(&Form);
    Lang->SetNumOfLanguages(2);
    Lang->SetStoreAsUTF8(true);
    for (int I = 0; I < Table.Size; ++I)
      Lang->Strings()->Add(FromUtf8(TBenchTable::Key(I) + "\x01" + Table.English[I] + "\x01" +
                                    Table.Russian[I] + "\x01"));
    Lang->SaveAllToFile(FromUtf8(Base.string() + ".lng"), u"~!@#");
    Lang->SaveAllToBinaryFile(FromUtf8(Base.string() + ".lcb"));
    Files["ours_text"] = {Base.string() + ".lng"};
    Files["ours_binary"] = {Base.string() + ".lcb"};
  }
  std::ofstream(Base.string() + ".form", std::ios::binary) << MakeFormData(Table);
  Files["ours_form"] = {Base.string() + ".form"};
  if (MakeGettextCatalogs(Table, Dir, Name(Table.Size)))
    for (const char* Language : {"ru", "en"})
      Files["gettext"].push_back(Dir / Language / "LC_MESSAGES" / (Name(Table.Size) + ".mo"));
  if (MakeQtCatalogs(Table, Dir, Name(Table.Size)))
    Files["qt"] = {Base.string() + "_ru.qm", Base.string() + "_en.qm"};
  return Files;
}

struct TCase {
  std::string System;
  int Size;
  bool Pass;
  std::filesystem::path Dir;
  size_t Expected;
  int64_t Bytes;
};

std::string CaseName(const std::string& System, int Size, bool Pass) {
  return System + "/" + std::to_string(Size) + "/" + (Pass ? "pass" : "load");
}

const char* Self = nullptr;

void RunCase(benchmark::State& State, const TCase& C) {
  for (auto _ : State) {
    TChildFigures F;
    const std::string Printed =
        RunChild(Self, {C.System, std::to_string(C.Size), C.Pass ? "1" : "0", C.Dir.string()});
    if (!ReadFigures(Printed, F) || F.Length != C.Expected) {
      State.SkipWithError(("answers of length " + std::to_string(F.Length) + ", expected " +
                           std::to_string(C.Expected))
                              .c_str());
      return;
    }
    State.SetIterationTime(F.WallMs / 1e3);
    State.counters["cpu_ms"] = F.CpuMs;
  }
  State.SetBytesProcessed(State.iterations() * C.Bytes);
}

// Keeps every repetition's wall and processor time, for the table at the end.
class TTableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs)
      if (!R.error_occurred && R.run_type == Run::RT_Iteration) {
        Wall[R.run_name.function_name].push_back(R.GetAdjustedRealTime());
        const auto Cpu = R.counters.find("cpu_ms");
        if (Cpu != R.counters.end()) this->Cpu[R.run_name.function_name].push_back(Cpu->second);
      }
  }
  std::map<std::string, std::vector<double>> Wall, Cpu;
};

// Medians with their spread, the faster peer's median over ours from this one run (above 1
// ours is faster), and our text file's median over our form data's (at most 1.5 is the aim).
void PrintTable(const std::map<std::string, std::vector<double>>& Times, const char* What) {
  std::printf("\n%s, ms: median (min-max); ratio = faster peer / ours\n%-7s %-5s", What, "keys",
              "timed");
  for (const char* System : Systems) std::printf(" %24s", System);
  std::printf(" %8s %8s %9s\n", "text", "binary", "text/form");
  for (int Size : Sizes)
    for (bool Pass : {false, true}) {
      std::printf("%-7d %-5s", Size, Pass ? "pass" : "load");
      std::map<std::string, double> Median;
      for (const char* System : Systems) {
        const auto It = Times.find(CaseName(System, Size, Pass));
        if (It == Times.end() || It->second.empty()) {
          std::printf(" %24s", "-");
          continue;
        }
        const TSpread S = SpreadOf(It->second);
        Median[System] = S.Median;
        char Cell[64];
        std::snprintf(Cell, sizeof Cell, "%.2f (%.2f-%.2f)", S.Median, S.Min, S.Max);
        std::printf(" %24s", Cell);
      }
      double Peer = 0;
      for (const char* System : {"gettext", "qt"})
        if (Median.count(System) && (Peer == 0 || Median[System] < Peer)) Peer = Median[System];
      for (const char* Ours : {"ours_text", "ours_binary"})
        if (Peer > 0 && Median[Ours] > 0)
          std::printf(" %8.2f", Peer / Median[Ours]);
        else
          std::printf(" %8s", "-");
      if (Median["ours_text"] > 0 && Median["ours_form"] > 0)
        std::printf(" %9.2f", Median["ours_text"] / Median["ours_form"]);
      else
        std::printf(" %9s", "-");
      std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 5 && std::string(argv[1]) == "--child") return Child(argc, argv);
  Self = argv[0];
  // Repetitions in random order, so a change of the machine's load touches every system alike.
  std::vector<char*> Args(argv, argv + argc);
  std::string Interleave = "--benchmark_enable_random_interleaving=true";
  Args.push_back(Interleave.data());
  int Count = static_cast<int>(Args.size());
  benchmark::Initialize(&Count, Args.data());
  // A folder given after the benchmark's flags keeps the files, so a child can be run again by
  // hand.
  std::optional<TWorkDir> Temporary;
  const std::filesystem::path Dir =
      Count > 1 ? std::filesystem::path(Args[1]) : Temporary.emplace("file_load_bench").Path();
  std::filesystem::create_directories(Dir);
  std::vector<TCase> Cases;
  for (int Size : Sizes) {
    const TBenchTable Table(Size);
    for (const auto& [System, Files] : MakeFiles(Table, Dir)) {
      int64_t Bytes = 0;
      for (const auto& File : Files)
        Bytes += static_cast<int64_t>(std::filesystem::file_size(File));
      for (bool Pass : {false, true})
        Cases.push_back({System, Size, Pass, Dir,
                         AnswersLength(Table, Pass, System.rfind("ours", 0) == 0), Bytes});
    }
  }
  for (const TCase& C : Cases)
    benchmark::RegisterBenchmark(CaseName(C.System, C.Size, C.Pass).c_str(), RunCase, C)
        ->Iterations(1)
        ->Repetitions(Repetitions)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  std::printf("%s\n", MachineLoad().c_str());
  TTableReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintTable(Reporter.Wall, "Wall time");
  PrintTable(Reporter.Cpu, "Processor time");
  std::printf("%s\n", MachineLoad().c_str());
  benchmark::Shutdown();
  return 0;
}
