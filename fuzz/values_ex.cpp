// Feeds arbitrary bytes to an extended item's "ValuesEx" reader, under a single-byte and a
// multi-byte ANSI code page, and checks that whatever it read survives being written and read
// again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/stream.h"
#include "lang/switch/extended_items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1) return 0;
  SetACP(Data[0] & 1 ? 932 : 1251);
  TlcExtendedItems Items(nullptr);
  TlcExtendedItem* Item = Items.Add();
  try {
    TMemoryStream In(std::string(reinterpret_cast<const char*>(Data) + 1, Size - 1));
    Item->ReadValuesEx(In);
  } catch (const Exception&) {
    return 0;
  }
  const String Values = Item->Values();
  TMemoryStream Out;
  Item->WriteValuesEx(Out);
  Out.SetPosition(0);
  TlcExtendedItem* Again = Items.Add();
  Again->ReadValuesEx(Out);
  if (Again->Values() != Values) std::abort();
  return 0;
}
