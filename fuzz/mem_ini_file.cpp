// Feeds arbitrary bytes to the in-memory INI file's stream reader, then checks that its text
// form parses back to the same text form. Parsing puts the later of two equal keys first, so
// one pass turns equal keys round and a second pass gives the first text again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/exceptions.h"
#include "core/stream.h"
#include "lang/files/mem_ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream In(std::string(reinterpret_cast<const char*>(Data), Size));
  TlcMemIniFile Ini(u"");
  Ini.LoadFromStream(In);
  TStringList Sections;
  Ini.ReadSections(Sections);
  for (int I = 0; I < Sections.Count(); ++I) {
    TStringList Keys;
    Ini.ReadSection(Sections[I], Keys);
    for (int K = 0; K < Keys.Count(); ++K) {
      Ini.ReadInteger(Sections[I], Keys[K], 0);
      Ini.ReadFloat(Sections[I], Keys[K], 0);
      Ini.ReadDateTime(Sections[I], Keys[K], 0);
    }
  }
  TStringList First, Second, Third;
  Ini.GetStrings(First);
  TlcMemIniFile Again(u"");
  Again.SetStrings(First);
  Again.GetStrings(Second);
  Again.SetStrings(Second);
  Again.GetStrings(Third);
  if (!First.Equals(Third) || First.Count() != Second.Count()) __builtin_trap();
  return 0;
}
