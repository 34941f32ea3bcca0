#pragma once
// The translation table every comparison uses, and the same table as each system's users keep
// it: GNU gettext catalogs (a Russian and an English one, for LANGUAGE=ru:en), Qt translators (a
// Russian and an English one, both installed), and our form data with a translation component.
#include <filesystem>
#include <string>
#include <vector>

#include "component/component.h"
#include "core/ustring.h"

class TlcLang;

// Keys "IDS_<n>", English and Russian texts; every tenth Russian text is empty, so its key falls
// back to English. Misses are keys of the same shape beyond the table.
struct TBenchTable {
  explicit TBenchTable(int ASize);

  int Size;
  std::vector<std::string> English, Russian;  // by key number, UTF-8
  static std::string Key(int N) { return "IDS_" + std::to_string(N); }
  bool FallsBack(int N) const { return Russian[static_cast<size_t>(N)].empty(); }
  // What every system answers for key N with Russian active and English as the fallback.
  const std::string& Answer(int N) const {
    return FallsBack(N) ? English[static_cast<size_t>(N)] : Russian[static_cast<size_t>(N)];
  }
};

// Before its pass over the keys, every system is asked one hit and one fallback: a catalog that
// is read only as keys are asked for has loaded then.
constexpr int FirstHit = 1, FirstFallback = 0;
// The sum of the lengths of the answers to the first hit and fallback and, with Pass, to every
// key: UTF-8 bytes, or UTF-16 code units.
size_t AnswersLength(const TBenchTable& Table, bool Pass, bool Utf16);

// Keys kept as a program keeps its literals: one read-only pool of terminated keys, in narrow
// (gettext, Qt) and UTF-16 (ours) form, handed over as pointers.
class TKeyLiterals {
 public:
  explicit TKeyLiterals(const std::vector<std::string>& Keys);
  size_t Count() const { return FNarrow.size(); }
  const char* Narrow(size_t I) const { return FNarrow[I]; }
  const char16_t* Wide(size_t I) const { return FWide[I]; }

 private:
  std::string FNarrowPool;
  String FWidePool;
  std::vector<const char*> FNarrow;
  std::vector<const char16_t*> FWide;
};

// Every key of a table of Size keys once, in an order that is neither the table's nor any
// catalog's.
TKeyLiterals ShuffledKeys(int Size);

// A fresh folder under the temporary folder, removed with the object.
class TWorkDir {
 public:
  explicit TWorkDir(const std::string& Name);
  ~TWorkDir();
  TWorkDir(const TWorkDir&) = delete;
  TWorkDir& operator=(const TWorkDir&) = delete;
  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

// gettext: <Dir>/ru/LC_MESSAGES/<Domain>.mo and <Dir>/en/LC_MESSAGES/<Domain>.mo made by msgfmt
// (which leaves empty translations out, as it does for every user). False when msgfmt is absent
// or fails.
bool MakeGettextCatalogs(const TBenchTable& Table, const std::filesystem::path& Dir,
                         const std::string& Domain);
// Selects LANGUAGE=ru:en in a UTF-8 locale; the catalogs then answer in Russian, else English.
void UseGettextLanguages();

// Qt: <Dir>/<Name>_ru.qm and <Dir>/<Name>_en.qm made by lrelease from .ts files of context
// "main". False when lrelease is absent or fails.
bool MakeQtCatalogs(const TBenchTable& Table, const std::filesystem::path& Dir,
                    const std::string& Name);

// Ours: a form holding a translation component with the table in its Strings category (English
// language 1, Russian language 2), written as the form's binary data, as a program stores it.
std::string MakeFormData(const TBenchTable& Table);

// The form class the form data is read into.
class TBenchForm : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TBenchForm(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
};

// A program's form data lies in its mapped executable and is copied out to be read.
std::string CopyOfMapped(const std::filesystem::path& File);
// Reads form data into Form, as a program creates its window; the form's translation component.
TlcLang& LoadFormData(TBenchForm& Form, std::string Data);

// Runs this program again as "Self --child Args...", in a process of its own, and gives back
// what it printed; empty when it printed nothing. Given Program, runs that one instead.
std::string RunChild(const char* Self, const std::vector<std::string>& Args,
                     const char* Program = "/proc/self/exe");

// Wall and processor time from construction. A child process prints both in ms with the length
// of its answers, and the parent reads them back; false when the child printed nothing.
class TStopwatch {
 public:
  TStopwatch();
  void Print(size_t Length) const;

 private:
  double FWall, FCpu;
};
struct TChildFigures {
  double WallMs = 0, CpuMs = 0;
  size_t Length = 0;
};
bool ReadFigures(const std::string& Printed, TChildFigures& Figures);

// Resident memory of this process, in bytes.
long ResidentBytes();
// The load average over the last minute, and the processors.
std::string MachineLoad();

// Median, smallest and largest of a sample.
struct TSpread {
  double Median = 0, Min = 0, Max = 0;
};
TSpread SpreadOf(std::vector<double> Values);
