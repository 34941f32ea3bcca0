#include "os/port_list.h"

#include <libserialport.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

const String ValueNamePrefix = u"\\Device\\";

// The innermost snapshot of this thread, if any.
thread_local const std::vector<TSerialCommValue>* Snapshot = nullptr;

void AddUnique(std::vector<TSerialCommValue>& List, TSerialCommValue Value) {
  for (const TSerialCommValue& Listed : List)
    if (Listed.Name == Value.Name) return;
  List.push_back(std::move(Value));
}

struct TPortListFree {
  void operator()(sp_port** Ports) const { sp_free_port_list(Ports); }
};

void AddSystemPorts(std::vector<TSerialCommValue>& List) {
  const char* Enumerate = std::getenv("V8_SERIAL_ENUM");
  if (Enumerate && std::string_view(Enumerate) == "0") return;
  sp_port** Raw = nullptr;
  if (sp_list_ports(&Raw) != SP_OK) return;
  const std::unique_ptr<sp_port*, TPortListFree> Ports(Raw);
  std::vector<std::string> Devices;
  for (sp_port** Port = Ports.get(); *Port; ++Port) Devices.emplace_back(sp_get_port_name(*Port));
  std::sort(Devices.begin(), Devices.end());
  for (const std::string& Device : Devices) {
    TSerialCommValue Value;
    Value.Data = FromUtf8(Device.substr(Device.rfind('/') + 1));
    Value.Name = ValueNamePrefix + Value.Data;
    Value.Device = Device;
    AddUnique(List, std::move(Value));
  }
}

}  // namespace

std::vector<TSerialCommValue> ParseSerialPorts(std::string_view Text) {
  std::vector<TSerialCommValue> List;
  while (!Text.empty()) {
    const size_t End = std::min(Text.find(';'), Text.size());
    const std::string_view Entry = Text.substr(0, End);
    Text.remove_prefix(std::min(End + 1, Text.size()));

    const size_t Equals = Entry.find('=');
    if (Equals == std::string_view::npos) continue;
    const std::string_view Head = Entry.substr(0, Equals);
    const std::string_view Device = Entry.substr(Equals + 1);
    const size_t Bar = Head.find('|');
    TSerialCommValue Value;
    Value.Data = FromUtf8(Bar == std::string_view::npos ? Head : Head.substr(Bar + 1));
    Value.Name = Bar == std::string_view::npos ? ValueNamePrefix + Value.Data
                                               : FromUtf8(Head.substr(0, Bar));
    Value.Device = std::string(Device);
    if (Value.Data.empty() || Value.Name.empty() || Value.Device.empty()) continue;
    AddUnique(List, std::move(Value));
  }
  return List;
}

std::vector<TSerialCommValue> GetSerialCommValues() {
  if (Snapshot) return *Snapshot;
  const char* Text = std::getenv("V8_SERIAL_PORTS");
  std::vector<TSerialCommValue> List = ParseSerialPorts(Text ? Text : "");
  AddSystemPorts(List);
  return List;
}

TPortListSnapshot::TPortListSnapshot() : FValues(GetSerialCommValues()), FOuter(Snapshot) {
  Snapshot = &FValues;
}

TPortListSnapshot::~TPortListSnapshot() {
  Snapshot = FOuter;
}

std::string FindSerialDevice(const String& PortName) {
  if (PortName.empty()) return {};
  for (const TSerialCommValue& Value : GetSerialCommValues())
    if (Value.Data == PortName) return Value.Device;
  return {};
}
