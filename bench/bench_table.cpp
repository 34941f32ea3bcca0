#include "bench_table.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <thread>
#include <utility>

#include "component/reader.h"
#include "component/writer.h"
#include "core/scope_exit.h"
#include "core/stream.h"
#include "lang/custom_lang.h"

TBenchTable::TBenchTable(int ASize) : Size(ASize) {
  for (int I = 0; I < Size; ++I) {
    English.push_back("Message number " + std::to_string(I) + " in English");
    Russian.push_back(I % 10 == 0 ? "" : "Сообщение номер " + std::to_string(I) + " по-русски");
  }
}

size_t AnswersLength(const TBenchTable& Table, bool Pass, bool Utf16) {
  const auto Length = [&](int N) {
    return Utf16 ? FromUtf8(Table.Answer(N)).size() : Table.Answer(N).size();
  };
  size_t Sum = Length(FirstHit) + Length(FirstFallback);
  if (Pass)
    for (int I = 0; I < Table.Size; ++I) Sum += Length(I);
  return Sum;
}

TKeyLiterals::TKeyLiterals(const std::vector<std::string>& Keys) {
  for (const std::string& K : Keys) {
    FNarrowPool += K;
    FNarrowPool += '\0';
    FWidePool += FromUtf8(K);
    FWidePool += u'\0';
  }
  size_t N = 0, W = 0;
  for (const std::string& K : Keys) {
    FNarrow.push_back(FNarrowPool.data() + N);
    FWide.push_back(FWidePool.data() + W);
    N += K.size() + 1;
    W += FromUtf8(K).size() + 1;
  }
}

TKeyLiterals ShuffledKeys(int Size) {
  std::vector<std::string> Keys;
  for (int I = 0; I < Size; ++I) Keys.push_back(TBenchTable::Key(I));
  std::mt19937 Random(42);
  std::shuffle(Keys.begin(), Keys.end(), Random);
  return TKeyLiterals(Keys);
}

TWorkDir::TWorkDir(const std::string& Name)
    : FPath(std::filesystem::temp_directory_path() / (Name + "_" + std::to_string(::getpid()))) {
  std::filesystem::create_directories(FPath);
}

TWorkDir::~TWorkDir() {
  std::error_code Ignored;
  std::filesystem::remove_all(FPath, Ignored);
}

namespace {

std::string PoQuote(const std::string& S) {
  std::string R = "\"";
  for (char C : S) {
    if (C == '"' || C == '\\') R += '\\';
    R += C;
  }
  return R + "\"";
}

std::string XmlEscape(const std::string& S) {
  std::string R;
  for (char C : S) {
    if (C == '<')
      R += "&lt;";
    else if (C == '&')
      R += "&amp;";
    else
      R += C;
  }
  return R;
}

bool Run(const std::string& Command) {
  return std::system((Command + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

bool MakeGettextCatalogs(const TBenchTable& Table, const std::filesystem::path& Dir,
                         const std::string& Domain) {
#ifdef LC_MSGFMT
  for (const char* Language : {"ru", "en"}) {
    const bool Ru = Language[0] == 'r';
    const auto Messages = Dir / Language / "LC_MESSAGES";
    std::filesystem::create_directories(Messages);
    const auto Po = Dir / (Domain + "_" + Language + ".po");
    {
      std::ofstream Out(Po);
      Out << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
      for (int I = 0; I < Table.Size; ++I)
        Out << "msgid " << PoQuote(TBenchTable::Key(I)) << "\nmsgstr "
            << PoQuote(Ru ? Table.Russian[I] : Table.English[I]) << "\n\n";
    }
    if (!Run(std::string(LC_MSGFMT) + " -o " + (Messages / (Domain + ".mo")).string() + " " +
             Po.string()))
      return false;
  }
  return true;
#else
  (void)Table, (void)Dir, (void)Domain;
  return false;
#endif
}

void UseGettextLanguages() {
  ::setenv("LANGUAGE", "ru:en", 1);
  ::setlocale(LC_ALL, "C.UTF-8");
}

bool MakeQtCatalogs(const TBenchTable& Table, const std::filesystem::path& Dir,
                    const std::string& Name) {
#ifdef LC_LRELEASE
  for (const char* Language : {"ru", "en"}) {
    const bool Ru = Language[0] == 'r';
    const auto Ts = Dir / (Name + "_" + Language + ".ts");
    {
      std::ofstream Out(Ts);
      Out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
             "language=\""
          << (Ru ? "ru_RU" : "en_US") << "\"><context><name>main</name>\n";
      for (int I = 0; I < Table.Size; ++I) {
        const std::string& Text = Ru ? Table.Russian[I] : Table.English[I];
        Out << "<message><source>" << TBenchTable::Key(I) << "</source><translation"
            << (Text.empty() ? " type=\"unfinished\"" : "") << ">" << XmlEscape(Text)
            << "</translation></message>\n";
      }
      Out << "</context></TS>\n";
    }
    if (!Run(std::string(LC_LRELEASE) + " -silent " + Ts.string() + " -qm " +
             (Dir / (Name + "_" + Language + ".qm")).string()))
      return false;
  }
  return true;
#else
  (void)Table, (void)Dir, (void)Name;
  return false;
#endif
}

const TClassType& TBenchForm::StaticClassType() {
  static const TClassType T(u"TBenchForm", &TComponent::StaticClassType(), [](TClassType& C) {
    C.Create = [](TObject* Owner) -> TObject* {
      return new TBenchForm(dynamic_cast<TComponent*>(Owner));
    };
  });
  return T;
}

std::string MakeFormData(const TBenchTable& Table) {
  RegisterLangClasses();
  TBenchForm Form;
  Form.SetName(u"BenchForm");
  auto* Lang = new TlcLang(&Form);
  Lang->SetName(u"slng1");
  Lang->SetNumOfLanguages(2);
  for (int I = 0; I < Table.Size; ++I)
    Lang->Strings()->Add(FromUtf8(TBenchTable::Key(I) + "\x01" + Table.English[I] + "\x01" +
                                  Table.Russian[I] + "\x01"));
  TMemoryStream Out;
  WriteComponent(Out, Form);
  return Out.Bytes();
}

std::string CopyOfMapped(const std::filesystem::path& File) {
  const int Fd = ::open(File.c_str(), O_RDONLY);
  if (Fd < 0) return {};
  const TScopeExit Close([Fd] { ::close(Fd); });
  struct stat Status {};
  if (::fstat(Fd, &Status) != 0 || Status.st_size == 0) return {};
  const auto Size = static_cast<size_t>(Status.st_size);
  void* Map = ::mmap(nullptr, Size, PROT_READ, MAP_PRIVATE, Fd, 0);
  if (Map == MAP_FAILED) return {};
  const TScopeExit Unmap([Map, Size] { ::munmap(Map, Size); });
  return std::string(static_cast<const char*>(Map), Size);
}

TlcLang& LoadFormData(TBenchForm& Form, std::string Data) {
  RegisterLangClasses();
  TMemoryStream In(std::move(Data));
  ReadComponent(In, &Form);
  for (int I = 0; I < Form.ComponentCount(); ++I)
    if (auto* Lang = dynamic_cast<TlcLang*>(Form.Components(I))) return *Lang;
  std::fprintf(stderr, "the form data holds no translation component\n");
  std::exit(1);
}

std::string RunChild(const char* Self, const std::vector<std::string>& Args, const char* Program) {
  int Pipe[2];
  if (pipe(Pipe) != 0) return {};
  std::vector<std::string> Line{Self, "--child"};
  Line.insert(Line.end(), Args.begin(), Args.end());
  std::vector<char*> Argv;
  for (std::string& A : Line) Argv.push_back(A.data());
  Argv.push_back(nullptr);
  const pid_t Pid = fork();
  if (Pid == 0) {
    dup2(Pipe[1], STDOUT_FILENO);
    close(Pipe[0]);
    execv(Program, Argv.data());
    std::_Exit(127);
  }
  close(Pipe[1]);
  std::string Out;
  char Buf[256];
  for (ssize_t N; (N = read(Pipe[0], Buf, sizeof Buf)) > 0;)
    Out.append(Buf, static_cast<size_t>(N));
  close(Pipe[0]);
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return Out;
}

namespace {

double NowMs(clockid_t Clock) {
  timespec T{};
  clock_gettime(Clock, &T);
  return static_cast<double>(T.tv_sec) * 1e3 + static_cast<double>(T.tv_nsec) / 1e6;
}

}  // namespace

TStopwatch::TStopwatch() : FWall(NowMs(CLOCK_MONOTONIC)), FCpu(NowMs(CLOCK_PROCESS_CPUTIME_ID)) {}

void TStopwatch::Print(size_t Length) const {
  const double Cpu = NowMs(CLOCK_PROCESS_CPUTIME_ID) - FCpu, Wall = NowMs(CLOCK_MONOTONIC) - FWall;
  std::printf("%.4f %.4f %zu\n", Wall, Cpu, Length);
}

bool ReadFigures(const std::string& Printed, TChildFigures& Figures) {
  return std::sscanf(Printed.c_str(), "%lf %lf %zu", &Figures.WallMs, &Figures.CpuMs,
                     &Figures.Length) == 3;
}

long ResidentBytes() {
  std::ifstream Statm("/proc/self/statm");
  long Size = 0, Resident = 0;
  Statm >> Size >> Resident;
  return Resident * ::sysconf(_SC_PAGESIZE);
}

std::string MachineLoad() {
  std::ifstream Load("/proc/loadavg");
  double One = 0;
  Load >> One;
  char Buf[96];
  std::snprintf(Buf, sizeof Buf, "load average %.2f on %u processors", One,
                std::thread::hardware_concurrency());
  return Buf;
}

TSpread SpreadOf(std::vector<double> Values) {
  if (Values.empty()) return {};
  std::sort(Values.begin(), Values.end());
  const size_t N = Values.size();
  const double Median = N % 2 ? Values[N / 2] : (Values[N / 2 - 1] + Values[N / 2]) / 2;
  return {Median, Values.front(), Values.back()};
}
