// Feeds arbitrary V8_SERIAL_PORTS texts to the port list parser: every entry it keeps has a
// value name, a port name and a device, and no value name twice.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "os/port_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const auto Ports = ParseSerialPorts(std::string_view(reinterpret_cast<const char*>(Data), Size));
  std::set<String> Names;
  for (const TSerialCommValue& Port : Ports)
    if (Port.Name.empty() || Port.Data.empty() || Port.Device.empty() ||
        !Names.insert(Port.Name).second)
      std::abort();
  return 0;
}
