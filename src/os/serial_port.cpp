#include "os/serial_port.h"

// termios2 comes from the kernel headers, which clash with <termios.h>: nothing here uses the
// C library's terminal calls.
#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "os/port_list.h"

namespace {

constexpr int64_t NoDeadline = -1;
constexpr size_t ReadChunk = 4096;  // the size of the terminal layer's own input buffer
constexpr int64_t BitsPerByte = 10;
constexpr int64_t WriteSlackMs = 1000;
const String DeviceGone = u"The serial device is no longer available";

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

TSerialPort::~TSerialPort() {
  Close();
}

TSerialPort::TSerialPort(TSerialPort&& Other) noexcept {
  *this = std::move(Other);
}

TSerialPort& TSerialPort::operator=(TSerialPort&& Other) noexcept {
  if (this != &Other) {
    Close();
    FHandle = std::exchange(Other.FHandle, -1);
    FBaudRate = Other.FBaudRate;
    FEvtChar = Other.FEvtChar;
    FMask = Other.FMask;
    FInput = std::move(Other.FInput);
    FLastError = std::move(Other.FLastError);
    FGone = Other.FGone;
  }
  return *this;
}

bool TSerialPort::Fail(const String& Text) {
  FLastError = Text;
  return false;
}

bool TSerialPort::FailGone() {
  FGone = true;
  return Fail(DeviceGone);
}

bool TSerialPort::FailErrno(const String& What, int Error) {
  if (Error == EIO || Error == ENXIO || Error == ENODEV) return FailGone();
  return Fail(What + u": " + FromUtf8(std::strerror(Error)));
}

bool TSerialPort::CheckOpen() {
  if (FHandle < 0) return Fail(u"The port is not open");
  if (FGone) return Fail(DeviceGone);
  return true;
}

bool TSerialPort::Open(const String& Name) {
  Close();
  FLastError.clear();
  FGone = false;
  String PortName = Name;
  if (PortName.rfind(u"\\\\.\\", 0) == 0) PortName.erase(0, 4);
  const String Quoted = u"\"" + PortName + u"\"";
  const std::string Device =
      !PortName.empty() && PortName[0] == u'/' ? ToUtf8(PortName) : FindSerialDevice(PortName);
  if (Device.empty()) return Fail(u"No serial port named " + Quoted);

  const int Handle = open(Device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (Handle < 0) return FailErrno(u"Cannot open " + Quoted, errno);
  auto Reject = [&](const String& Text) {
    close(Handle);
    return Fail(Text);
  };
  if (!isatty(Handle)) return Reject(Quoted + u" is not a serial port");
  // No sharing: the lock keeps out every other opener that asks for it, ourselves included; the
  // exclusive-use flag keeps out programs that do not (it binds only unprivileged openers).
  if (flock(Handle, LOCK_EX | LOCK_NB) != 0) {
    const int Error = errno;
    return Reject(Error == EWOULDBLOCK
                      ? Quoted + u" is in use"
                      : u"Cannot lock " + Quoted + u": " + FromUtf8(std::strerror(Error)));
  }
  ioctl(Handle, TIOCEXCL);

  termios2 T{};
  if (ioctl(Handle, TCGETS2, &T) != 0) return Reject(u"Cannot read the settings of " + Quoted);
  T.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXON | IXANY |
                 IXOFF | IMAXBEL | INPCK);
  T.c_oflag &= ~OPOST;
  T.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
  T.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  T.c_cflag |= CS8 | CLOCAL | CREAD;
  // Reads never block (O_NONBLOCK; waits are kept with poll). With a minimum of one byte an empty
  // queue reads as "try again", so only a hung-up line reads as the end of the file.
  T.c_cc[VMIN] = 1;
  T.c_cc[VTIME] = 0;
  if (ioctl(Handle, TCSETS2, &T) != 0) return Reject(u"Cannot set up " + Quoted);

  // A USB converter otherwise holds short answers back for its latency timer (16 ms).
  serial_struct Serial{};
  if (ioctl(Handle, TIOCGSERIAL, &Serial) == 0) {
    Serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(Handle, TIOCSSERIAL, &Serial);
  }

  FHandle = Handle;
  FBaudRate = T.c_ospeed;
  FEvtChar = 0;
  FMask = 0;
  FInput.clear();
  return true;
}

void TSerialPort::Close() {
  if (FHandle < 0) return;
  // The exclusive-use flag belongs to the device, not to this handle: it would outlive us while
  // anyone else keeps the device open.
  ioctl(FHandle, TIOCNXCL);
  close(FHandle);
  FHandle = -1;
  FInput.clear();
}

bool TSerialPort::SetState(const TDCB& Dcb) {
  if (!CheckOpen()) return false;
  if (Dcb.BaudRate == 0) return Fail(u"Invalid port settings");
  termios2 T{};
  if (ioctl(FHandle, TCGETS2, &T) != 0) return FailErrno(u"Cannot read the port settings", errno);
  T.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  T.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  T.c_ospeed = Dcb.BaudRate;
  T.c_ispeed = Dcb.BaudRate;
  if (ioctl(FHandle, TCSETS2, &T) != 0) return FailErrno(u"Cannot set the port settings", errno);

  // A driver that cannot make the speed quietly picks another; Windows refuses instead.
  termios2 Actual{};
  if (ioctl(FHandle, TCGETS2, &Actual) != 0)
    return FailErrno(u"Cannot read the port settings", errno);
  const uint64_t Diff = Actual.c_ospeed > Dcb.BaudRate ? Actual.c_ospeed - Dcb.BaudRate
                                                       : Dcb.BaudRate - Actual.c_ospeed;
  if (Diff * 100 > uint64_t(Dcb.BaudRate) * 3)
    return Fail(u"The port cannot run at " + IntToStr(Dcb.BaudRate) + u" baud");
  FBaudRate = Actual.c_ospeed;
  FEvtChar = Dcb.EvtChar;
  return true;
}

bool TSerialPort::SetMask(uint32_t Mask) {
  if (!CheckOpen()) return false;
  FMask = Mask;
  return true;
}

int TSerialPort::WaitFor(short Events, int64_t DeadlineMs) {
  for (;;) {
    int Timeout = -1;
    if (DeadlineMs != NoDeadline)
      Timeout = int(std::clamp<int64_t>(DeadlineMs - NowMs(), 0, INT32_MAX));
    pollfd P{FHandle, Events, 0};
    const int Rc = poll(&P, 1, Timeout);
    if (Rc < 0) {
      if (errno == EINTR) continue;
      FailErrno(u"Cannot wait on the port", errno);
      return -1;
    }
    if (P.revents & (POLLHUP | POLLERR | POLLNVAL)) {
      FailGone();
      return -1;
    }
    if (Rc > 0) return 1;
    if (Timeout == 0 || NowMs() >= DeadlineMs) return 0;
  }
}

bool TSerialPort::Take(uint32_t& Seen) {
  Seen = 0;
  for (;;) {
    const size_t Old = FInput.size();
    FInput.resize(Old + ReadChunk);
    const ssize_t Got = read(FHandle, FInput.data() + Old, ReadChunk);
    const int Error = errno;
    FInput.resize(Old + size_t(std::max<ssize_t>(Got, 0)));
    // Nothing at all from a terminal that never blocks: its line was hung up.
    if (Got == 0) return FailGone();
    if (Got < 0) return Error == EAGAIN || Error == EINTR || FailErrno(u"Cannot read", Error);
    Seen |= EV_RXCHAR;
    if (FInput.find(FEvtChar, Old) != RawBytes::npos) Seen |= EV_RXFLAG;
    // A short read emptied the driver.
    if (size_t(Got) < ReadChunk) return true;
  }
}

TWaitResult TSerialPort::WaitEvent(uint32_t& Events, uint32_t TimeoutMs) {
  Events = 0;
  if (!CheckOpen()) return TWaitResult::wrFailed;
  if (FMask == 0) {
    Fail(u"No event to wait for");
    return TWaitResult::wrFailed;
  }
  const int64_t Deadline = TimeoutMs == MAXDWORD ? NoDeadline : NowMs() + TimeoutMs;
  for (;;) {
    const int Ready = WaitFor(POLLIN, Deadline);
    if (Ready < 0) return TWaitResult::wrFailed;
    if (Ready == 0) return TWaitResult::wrTimeout;
    uint32_t Seen = 0;
    if (!Take(Seen)) return TWaitResult::wrFailed;
    Events = Seen & FMask;
    if (Events != 0) return TWaitResult::wrSignaled;
  }
}

bool TSerialPort::QueuedBytes(uint32_t& Count) {
  Count = 0;
  uint32_t Seen = 0;
  if (!CheckOpen() || !Take(Seen)) return false;
  Count = uint32_t(std::min<size_t>(FInput.size(), MAXDWORD));
  return true;
}

bool TSerialPort::Purge(uint32_t Flags) {
  if (!CheckOpen()) return false;
  if (Flags & PURGE_RXCLEAR) {
    FInput.clear();
    if (ioctl(FHandle, TCFLSH, TCIFLUSH) != 0) return FailErrno(u"Cannot purge the port", errno);
  }
  if ((Flags & PURGE_TXCLEAR) && ioctl(FHandle, TCFLSH, TCOFLUSH) != 0)
    return FailErrno(u"Cannot purge the port", errno);
  return true;
}

bool TSerialPort::Read(RawBytes& Data, uint32_t Count) {
  Data.clear();
  uint32_t Seen = 0;
  if (!CheckOpen() || (FInput.size() < Count && !Take(Seen))) return false;
  const size_t Taken = std::min<size_t>(Count, FInput.size());
  Data.assign(FInput, 0, Taken);
  FInput.erase(0, Taken);
  return true;
}

bool TSerialPort::Write(const RawBytes& Data) {
  if (!CheckOpen()) return false;
  const int64_t Deadline =
      NowMs() + WriteSlackMs +
      int64_t(Data.size()) * BitsPerByte * 1000 / std::max<int64_t>(FBaudRate, 1);
  size_t Done = 0;
  while (Done < Data.size()) {
    const ssize_t Put = write(FHandle, Data.data() + Done, Data.size() - Done);
    if (Put > 0) {
      Done += size_t(Put);
      continue;
    }
    if (Put < 0 && errno != EAGAIN && errno != EINTR)
      return FailErrno(u"Cannot write to the port", errno);
    const int Ready = WaitFor(POLLOUT, Deadline);
    if (Ready < 0) return false;
    if (Ready == 0) return Fail(u"The line does not take what is written");
  }
  return true;
}
