#include "os/port_list.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "os/serial_port.h"

namespace {

// A pseudo-terminal whose slave stands in for a serial device.
struct TPtyDevice {
  TPtyDevice() {
    Master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(Master);
    unlockpt(Master);
    Path = ptsname(Master);
  }
  ~TPtyDevice() { close(Master); }
  int Master;
  std::string Path;
};

void SetPorts(const std::string& Ports) {
  setenv("V8_SERIAL_ENUM", "0", 1);
  setenv("V8_SERIAL_PORTS", Ports.c_str(), 1);
}

}  // namespace

TEST(PortList, EnvironmentEntriesBecomeRegistryValues) {
  SetPorts(
      "SIM0=/dev/pts/77;\\Device\\Odd|A\\B=/dev/null;no-equals;=/dev/x;SIM0=/dev/pts/78;"
      "EMPTY=;;LAST=/dev/pts/79");
  const std::vector<TSerialCommValue> List = GetSerialCommValues();
  ASSERT_EQ(List.size(), 3u);
  EXPECT_EQ(List[0].Name, u"\\Device\\SIM0");
  EXPECT_EQ(List[0].Data, u"SIM0");
  EXPECT_EQ(List[0].Device, "/dev/pts/77");  // the repeated value name is dropped
  EXPECT_EQ(List[1].Name, u"\\Device\\Odd");
  EXPECT_EQ(List[1].Data, u"A\\B");
  EXPECT_EQ(List[2].Data, u"LAST");
  EXPECT_EQ(FindSerialDevice(u"SIM0"), "/dev/pts/77");
  EXPECT_EQ(FindSerialDevice(u"COM1"), "");
  EXPECT_EQ(FindSerialDevice(u""), "");
}

TEST(PortList, SnapshotHoldsTheListOnlyWhileItLives) {
  SetPorts("SIM0=/dev/pts/77");
  {
    const TPortListSnapshot Outer;
    SetPorts("SIM0=/dev/pts/78");
    EXPECT_EQ(FindSerialDevice(u"SIM0"), "/dev/pts/77");
    {
      const TPortListSnapshot Inner;
      EXPECT_EQ(FindSerialDevice(u"SIM0"), "/dev/pts/77");
    }
    EXPECT_EQ(FindSerialDevice(u"SIM0"), "/dev/pts/77");
  }
  // A port plugged in after the scan is found by the next one.
  EXPECT_EQ(FindSerialDevice(u"SIM0"), "/dev/pts/78");
}

TEST(PortList, EmptyWhenNothingIsNamedAndEnumerationIsOff) {
  SetPorts("");
  EXPECT_TRUE(GetSerialCommValues().empty());
  unsetenv("V8_SERIAL_PORTS");
  EXPECT_TRUE(GetSerialCommValues().empty());
}

TEST(PortList, EnumeratedDevicesUseShortNamesWithoutBackslash) {
  unsetenv("V8_SERIAL_ENUM");
  setenv("V8_SERIAL_PORTS", "", 1);
  for (const TSerialCommValue& Value : GetSerialCommValues()) {
    EXPECT_EQ(Value.Name, u"\\Device\\" + Value.Data);
    EXPECT_EQ(Value.Data.find_first_of(u"\\/"), String::npos);
    EXPECT_EQ(Value.Device, "/dev/" + ToUtf8(Value.Data));
  }
}

TEST(PortList, OpeningMapsShownNamesToDevices) {
  TPtyDevice Device;
  SetPorts("SIM0=" + Device.Path + ";NOTTY=/dev/null;GONE=/nonexistent/tty");
  TSerialPort Port;
  EXPECT_TRUE(Port.Open(u"SIM0")) << ToUtf8(Port.LastError());
  Port.Close();
  EXPECT_TRUE(Port.Open(u"\\\\.\\SIM0")) << ToUtf8(Port.LastError());
  Port.Close();
  EXPECT_TRUE(Port.Open(FromUtf8(Device.Path)));
  Port.Close();

  for (const String& Name : {String(u"COM3"), String(u"\\\\.\\COM1"), String(u"NOTTY"),
                             String(u"GONE"), String(u""), String(u"/nonexistent/tty")}) {
    EXPECT_FALSE(Port.Open(Name)) << ToUtf8(Name);
    EXPECT_FALSE(Port.IsOpen());
    EXPECT_FALSE(Port.LastError().empty());
  }
}
