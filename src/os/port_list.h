#pragma once
// The serial ports of this machine in the shape of the registry key HARDWARE\DEVICEMAP\SERIALCOMM:
// one (value name, data) pair per port, where the data is the port name that the program shows
// and opens, and opening that name maps to a device file through this list.
//
// Sources, in this order (a value name already listed is not repeated):
// 1. The environment variable V8_SERIAL_PORTS: entries separated by ';', each
//      DATA=DEVICE              value name "\Device\" + DATA
//      VALUENAME|DATA=DEVICE    the value name given explicitly
//    e.g. "SIM0=/dev/pts/3;\Device\Odd|A\B=/dev/pts/4". DATA ends at the first '=', VALUENAME
//    at the first '|'; entries without '=', with an empty DATA or an empty DEVICE are skipped.
// 2. The serial devices that really exist (libserialport), unless V8_SERIAL_ENUM is "0": value
//    name "\Device\ttyUSB0", data "ttyUSB0", device "/dev/ttyUSB0".
// With V8_SERIAL_ENUM=0 and V8_SERIAL_PORTS unset or empty the list is empty, as when the key is
// missing. Names the list does not hold (COM1 ...) map to nothing.
#include <string>
#include <string_view>
#include <vector>

#include "core/ustring.h"

struct TSerialCommValue {
  String Name;         // the value name, e.g. "\Device\ttyUSB0"
  String Data;         // the port name, e.g. "ttyUSB0"
  std::string Device;  // the device file, e.g. "/dev/ttyUSB0"
};

std::vector<TSerialCommValue> GetSerialCommValues();

// While one lives, this thread reads the port list from the sources above once, when it is made:
// a scan that opens every listed port then finds each device in the list it read instead of
// listing the system's ports again for every name it opens.
class TPortListSnapshot {
 public:
  TPortListSnapshot();
  ~TPortListSnapshot();
  TPortListSnapshot(const TPortListSnapshot&) = delete;
  TPortListSnapshot& operator=(const TPortListSnapshot&) = delete;

 private:
  std::vector<TSerialCommValue> FValues;
  const std::vector<TSerialCommValue>* FOuter;  // the list of the snapshot this one is within
};

// The entries of a V8_SERIAL_PORTS text (source 1 above), in order, each value name once.
std::vector<TSerialCommValue> ParseSerialPorts(std::string_view Text);

// The device file of the listed port whose data is PortName, or "" when there is none.
std::string FindSerialDevice(const String& PortName);
