// Look-up of message texts by key: our translation component against GNU gettext and Qt, doing
// the same work. Every system holds the same table (English and Russian, Russian active, English
// as the fallback: gettext with LANGUAGE=ru:en and both catalogs, Qt with both translators
// installed), answers the same text for the same key (checked before timing), and is asked as a
// call site with a literal asks it: the key is a pointer to a literal, made into the system's own
// key type by the call. What is built once (catalogs, translators, our component and its key
// index) is built before the timed loop. Hits, misses and fallbacks are timed apart, each over its
// keys in shuffled order, at 1,000, 10,000, 100,000 and 1,000,000 keys; the caller takes the length
// of every answer, so each system hands over a text it can read.
//
// A miss answers differently by design: gettext and Qt give the key back, ours the empty text.
//
// Every call of malloc is counted (operator new reaches it too), so the table also shows how many
// blocks each system allocates per look-up: the copy of the text a caller keeps, and any other.
#include <benchmark/benchmark.h>
#include <libintl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#ifdef LC_LRELEASE
#include <QCoreApplication>
#include <QTranslator>
#endif

#include "bench_table.h"
#include "lang/custom_lang.h"

extern "C" {
void* __libc_malloc(size_t Size);
void* __libc_calloc(size_t Count, size_t Size);
void* __libc_realloc(void* Block, size_t Size);
}

namespace {
size_t Allocations = 0;
}  // namespace

extern "C" {
void* malloc(size_t Size) {
  ++Allocations;
  return __libc_malloc(Size);
}
void* calloc(size_t Count, size_t Size) {
  ++Allocations;
  return __libc_calloc(Count, Size);
}
void* realloc(void* Block, size_t Size) {
  ++Allocations;
  return __libc_realloc(Block, Size);
}
}

namespace {

const int Sizes[] = {1000, 10000, 100000, 1000000};
const char* const Cases[] = {"hit", "miss", "fallback"};

struct TSizeData {
  explicit TSizeData(int Size) : Table(Size) {}
  TBenchTable Table;
  std::map<std::string, std::unique_ptr<TKeyLiterals>> Keys;  // by case, shuffled
  std::string Domain;
  TBenchForm Form;
  TlcLang* Lang = nullptr;
  bool Gettext = false;
#ifdef LC_LRELEASE
  std::unique_ptr<QTranslator> QtEn, QtRu;
#endif
};

std::map<int, std::unique_ptr<TSizeData>> Data;

void MakeKeys(TSizeData& D) {
  std::vector<std::string> Hit, Miss, Fallback;
  for (int I = 0; I < D.Table.Size; ++I) {
    (D.Table.FallsBack(I) ? Fallback : Hit).push_back(TBenchTable::Key(I));
    Miss.push_back(TBenchTable::Key(D.Table.Size + I));
  }
  std::mt19937 Random(42);
  for (auto* V : {&Hit, &Miss, &Fallback}) std::shuffle(V->begin(), V->end(), Random);
  D.Keys["hit"] = std::make_unique<TKeyLiterals>(Hit);
  D.Keys["miss"] = std::make_unique<TKeyLiterals>(Miss);
  D.Keys["fallback"] = std::make_unique<TKeyLiterals>(Fallback);
}

std::string OursText(TlcLang& L, const char16_t* Key) {
  return ToUtf8(L.GetTextOrDefault(Key));
}

#ifdef LC_LRELEASE
void InstallQt(TSizeData& D) {
  for (const auto& [Size, Other] : Data) {
    QCoreApplication::removeTranslator(Other->QtRu.get());
    QCoreApplication::removeTranslator(Other->QtEn.get());
  }
  QCoreApplication::installTranslator(D.QtEn.get());
  QCoreApplication::installTranslator(D.QtRu.get());  // the last installed is asked first
}
#endif

// The answer each system should give for key number N (N beyond the table: a miss).
std::string Expected(const TSizeData& D, int N, bool PeerMiss) {
  if (N < D.Table.Size) return D.Table.Answer(N);
  return PeerMiss ? TBenchTable::Key(N) : std::string();
}

// Every key of every case, asked of every system, before any timing.
bool Check(TSizeData& D) {
  const TKeyLiterals All([&] {
    std::vector<std::string> K;
    for (int I = 0; I < 2 * D.Table.Size; ++I) K.push_back(TBenchTable::Key(I));
    return K;
  }());
  for (int N = 0; N < 2 * D.Table.Size; ++N) {
    const size_t I = static_cast<size_t>(N);
    if (OursText(*D.Lang, All.Wide(I)) != Expected(D, N, false)) {
      std::fprintf(stderr, "ours: wrong answer for %s\n", All.Narrow(I));
      return false;
    }
    if (D.Gettext && ::dgettext(D.Domain.c_str(), All.Narrow(I)) != Expected(D, N, true)) {
      std::fprintf(stderr, "gettext: wrong answer for %s\n", All.Narrow(I));
      return false;
    }
#ifdef LC_LRELEASE
    if (D.QtRu &&
        QCoreApplication::translate("main", All.Narrow(I)).toStdString() != Expected(D, N, true)) {
      std::fprintf(stderr, "Qt: wrong answer for %s\n", All.Narrow(I));
      return false;
    }
#endif
  }
  return true;
}

bool Prepare(int Size, const std::filesystem::path& Dir) {
  auto D = std::make_unique<TSizeData>(Size);
  MakeKeys(*D);
  D->Lang = &LoadFormData(D->Form, MakeFormData(D->Table));
  D->Lang->SetActiveLanguage(2);
  D->Domain = "lookup" + std::to_string(Size);
  if (MakeGettextCatalogs(D->Table, Dir, D->Domain)) {
    ::bindtextdomain(D->Domain.c_str(), Dir.c_str());
    ::bind_textdomain_codeset(D->Domain.c_str(), "UTF-8");
    D->Gettext = true;
  }
#ifdef LC_LRELEASE
  const std::string Name = "lookup" + std::to_string(Size);
  if (MakeQtCatalogs(D->Table, Dir, Name)) {
    D->QtEn = std::make_unique<QTranslator>();
    D->QtRu = std::make_unique<QTranslator>();
    if (!D->QtEn->load(QString::fromStdString((Dir / (Name + "_en.qm")).string())) ||
        !D->QtRu->load(QString::fromStdString((Dir / (Name + "_ru.qm")).string()))) {
      D->QtEn.reset();
      D->QtRu.reset();
    }
  }
  Data[Size] = std::move(D);
  if (Data[Size]->QtRu) InstallQt(*Data[Size]);
#else
  Data[Size] = std::move(D);
#endif
  return Check(*Data[Size]);
}

void Ours(benchmark::State& State, int Size, const std::string& Case) {
  TSizeData& D = *Data[Size];
  const TKeyLiterals& K = *D.Keys[Case];
  TlcLang& L = *D.Lang;
  benchmark::DoNotOptimize(L.GetTextOrDefault(K.Wide(0)));
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(L.GetTextOrDefault(K.Wide(I)).size());
    if (++I == K.Count()) I = 0;
  }
}

void Gettext(benchmark::State& State, int Size, const std::string& Case) {
  TSizeData& D = *Data[Size];
  const TKeyLiterals& K = *D.Keys[Case];
  const char* Domain = D.Domain.c_str();
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(std::strlen(::dgettext(Domain, K.Narrow(I))));
    if (++I == K.Count()) I = 0;
  }
}

#ifdef LC_LRELEASE
void QtLookup(benchmark::State& State, int Size, const std::string& Case) {
  TSizeData& D = *Data[Size];
  InstallQt(D);
  const TKeyLiterals& K = *D.Keys[Case];
  size_t I = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(QCoreApplication::translate("main", K.Narrow(I)).size());
    if (++I == K.Count()) I = 0;
  }
}
#endif

// Blocks allocated per look-up over one pass of every key of a case, by system.
template <class Ask>
double AllocationsPerLookUp(const TKeyLiterals& K, const Ask& AskOne) {
  AskOne(K.Wide(0), K.Narrow(0));  // a first call may set up what later calls reuse
  const size_t Before = Allocations;
  for (size_t I = 0; I < K.Count(); ++I) AskOne(K.Wide(I), K.Narrow(I));
  return static_cast<double>(Allocations - Before) / static_cast<double>(K.Count());
}

void PrintAllocations() {
  std::printf("\nBlocks allocated per look-up (malloc calls; one is the copy a caller keeps)\n");
  std::printf("%-9s %7s %9s %9s %9s\n", "case", "keys", "ours", "gettext", "Qt");
  for (const char* Case : Cases)
    for (int Size : Sizes) {
      TSizeData& D = *Data[Size];
      const TKeyLiterals& K = *D.Keys[Case];
      std::printf("%-9s %7d %9.2f", Case, Size,
                  AllocationsPerLookUp(K, [&](const char16_t* W, const char*) {
                    benchmark::DoNotOptimize(D.Lang->GetTextOrDefault(W).size());
                  }));
      if (D.Gettext)
        std::printf(" %9.2f", AllocationsPerLookUp(K, [&](const char16_t*, const char* N) {
                      benchmark::DoNotOptimize(std::strlen(::dgettext(D.Domain.c_str(), N)));
                    }));
      else
        std::printf(" %9s", "-");
#ifdef LC_LRELEASE
      if (D.QtRu) {
        InstallQt(D);
        std::printf(" %9.2f\n", AllocationsPerLookUp(K, [&](const char16_t*, const char* N) {
                      benchmark::DoNotOptimize(QCoreApplication::translate("main", N).size());
                    }));
        continue;
      }
#endif
      std::printf(" %9s\n", "-");
    }
}

// Keeps the time of every repetition, to print the table at the end.
class TTableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs)
      if (!R.error_occurred && R.run_type == Run::RT_Iteration)
        Times[R.run_name.function_name].push_back(R.GetAdjustedRealTime());
  }
  std::map<std::string, std::vector<double>> Times;
};

std::string Name(const char* System, const char* Case, int Size) {
  return std::string(System) + "/" + Case + "/" + std::to_string(Size);
}

void PrintTable(TTableReporter& R) {
  std::printf(
      "\nMedian ns per look-up (min-max over the repetitions); ratio = fastest peer's "
      "time / ours (target at least 2)\n");
  std::printf("%-9s %7s %22s %22s %22s %7s\n", "case", "keys", "ours", "gettext", "Qt", "ratio");
  for (const char* Case : Cases)
    for (int Size : Sizes) {
      std::printf("%-9s %7d", Case, Size);
      double Ours = 0, Fastest = 0;
      for (const char* System : {"ours", "gettext", "qt"}) {
        const auto It = R.Times.find(Name(System, Case, Size));
        if (It == R.Times.end()) {
          std::printf(" %22s", "-");
          continue;
        }
        const TSpread S = SpreadOf(It->second);
        char Cell[64];
        std::snprintf(Cell, sizeof Cell, "%.1f (%.1f-%.1f)", S.Median, S.Min, S.Max);
        std::printf(" %22s", Cell);
        if (System[0] == 'o')
          Ours = S.Median;
        else if (Fastest == 0 || S.Median < Fastest)
          Fastest = S.Median;
      }
      if (Ours > 0 && Fastest > 0)
        std::printf(" %7.2f\n", Fastest / Ours);
      else
        std::printf(" %7s\n", "-");
    }
}

}  // namespace

int main(int argc, char** argv) {
  // Repetitions in random order, so a change of the machine's load touches every system alike.
  std::vector<char*> Args(argv, argv + argc);
  std::string Interleave = "--benchmark_enable_random_interleaving=true";
  Args.push_back(Interleave.data());
  int Count = static_cast<int>(Args.size());
  benchmark::Initialize(&Count, Args.data());
#ifdef LC_LRELEASE
  QCoreApplication App(argc, argv);
#endif
  UseGettextLanguages();
  const TWorkDir Dir("lookup_bench");
  for (int Size : Sizes)
    if (!Prepare(Size, Dir.Path())) return 1;
  for (const char* Case : Cases)
    for (int Size : Sizes) {
      benchmark::RegisterBenchmark(Name("ours", Case, Size).c_str(), Ours, Size, Case)
          ->Repetitions(5);
      if (Data[Size]->Gettext)
        benchmark::RegisterBenchmark(Name("gettext", Case, Size).c_str(), Gettext, Size, Case)
            ->Repetitions(5);
#ifdef LC_LRELEASE
      if (Data[Size]->QtRu)
        benchmark::RegisterBenchmark(Name("qt", Case, Size).c_str(), QtLookup, Size, Case)
            ->Repetitions(5);
#endif
    }
  std::printf("%s\n", MachineLoad().c_str());
  TTableReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintTable(Reporter);
  PrintAllocations();
  std::printf("%s\n", MachineLoad().c_str());
  benchmark::Shutdown();
  return 0;
}
