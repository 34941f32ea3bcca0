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
// The driver's input queue holds this much on Windows too; what comes on top is an overrun.
constexpr size_t InputQueueSize = 65536;
const String DeviceGone = u"The serial device is no longer available";

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t DeadlineAfter(uint64_t Ms) {
  return Ms >= uint64_t(INT64_MAX / 2) ? NoDeadline : NowMs() + int64_t(Ms);
}

int64_t Earlier(int64_t A, int64_t B) {
  if (A == NoDeadline) return B;
  if (B == NoDeadline) return A;
  return std::min(A, B);
}

uint32_t CSizeToByteSize(tcflag_t CFlag) {
  switch (CFlag & CSIZE) {
    case CS5:
      return 5;
    case CS6:
      return 6;
    case CS7:
      return 7;
    default:
      return 8;
  }
}

tcflag_t ByteSizeToCSize(uint8_t ByteSize) {
  switch (ByteSize) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

void SetModemLine(int Handle, int Line, bool Raised) {
  // Pseudo-terminals have no modem lines; the request is then simply not carried out.
  ioctl(Handle, Raised ? TIOCMBIS : TIOCMBIC, &Line);
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
    FFlags = Other.FFlags;
    FEvtChar = Other.FEvtChar;
    FErrorChar = Other.FErrorChar;
    FTimeouts = Other.FTimeouts;
    FMask = Other.FMask;
    FErrors = Other.FErrors;
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

bool TSerialPort::Open(const String& Name, bool /*Overlapped*/) {
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
  T.c_cflag &= ~CRTSCTS;
  T.c_cflag |= CLOCAL | CREAD;
  T.c_cc[VMIN] = 0;  // reads never block: the time-outs are kept with poll
  T.c_cc[VTIME] = 0;
  if (ioctl(Handle, TCSETS2, &T) != 0) return Reject(u"Cannot set up " + Quoted);

  // A USB converter otherwise holds short answers back for its latency timer (16 ms).
  serial_struct Serial{};
  if (ioctl(Handle, TIOCGSERIAL, &Serial) == 0) {
    Serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(Handle, TIOCSSERIAL, &Serial);
  }

  FHandle = Handle;
  // Opening a terminal raises DTR and RTS.
  FFlags = DCB_BINARY | DCB_DTR_CONTROL_ENABLE | DCB_RTS_CONTROL_ENABLE;
  FEvtChar = 0;
  FErrorChar = 0;
  FTimeouts = TCommTimeouts{};
  FMask = 0;
  FErrors = 0;
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

bool TSerialPort::GetState(TDCB& Dcb) {
  if (!CheckOpen()) return false;
  termios2 T{};
  if (ioctl(FHandle, TCGETS2, &T) != 0) return FailErrno(u"Cannot read the port settings", errno);
  Dcb.BaudRate = T.c_ospeed;
  Dcb.ByteSize = uint8_t(CSizeToByteSize(T.c_cflag));
  if (!(T.c_cflag & PARENB))
    Dcb.Parity = NOPARITY;
  else if (T.c_cflag & CMSPAR)
    Dcb.Parity = (T.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
  else
    Dcb.Parity = (T.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
  if (!(T.c_cflag & CSTOPB))
    Dcb.StopBits = ONESTOPBIT;
  else
    Dcb.StopBits = Dcb.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS;
  Dcb.Flags = FFlags;
  Dcb.EvtChar = FEvtChar;
  Dcb.ErrorChar = FErrorChar;
  return true;
}

bool TSerialPort::SetState(const TDCB& Dcb) {
  if (!CheckOpen()) return false;
  const bool StopBitsValid = Dcb.StopBits == ONESTOPBIT || Dcb.StopBits == TWOSTOPBITS ||
                             (Dcb.StopBits == ONE5STOPBITS && Dcb.ByteSize == 5);
  if (Dcb.BaudRate == 0 || Dcb.ByteSize < 5 || Dcb.ByteSize > 8 || Dcb.Parity > SPACEPARITY ||
      !StopBitsValid)
    return Fail(u"Invalid port settings");

  termios2 T{};
  if (ioctl(FHandle, TCGETS2, &T) != 0) return FailErrno(u"Cannot read the port settings", errno);
  T.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT) | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  T.c_cflag |= BOTHER | (BOTHER << IBSHIFT) | ByteSizeToCSize(Dcb.ByteSize) | CLOCAL | CREAD;
  T.c_ospeed = Dcb.BaudRate;
  T.c_ispeed = Dcb.BaudRate;
  if (Dcb.Parity != NOPARITY) T.c_cflag |= PARENB;
  if (Dcb.Parity == ODDPARITY || Dcb.Parity == MARKPARITY) T.c_cflag |= PARODD;
  if (Dcb.Parity == MARKPARITY || Dcb.Parity == SPACEPARITY) T.c_cflag |= CMSPAR;
  if (Dcb.StopBits != ONESTOPBIT) T.c_cflag |= CSTOPB;
  const uint32_t Rts = Dcb.Flags & DCB_RTS_CONTROL_MASK;
  if ((Dcb.Flags & DCB_OUTX_CTS_FLOW) || Rts == DCB_RTS_CONTROL_HANDSHAKE) T.c_cflag |= CRTSCTS;
  T.c_iflag &= ~(INPCK | IXON | IXOFF);
  if (Dcb.Flags & DCB_PARITY_CHECK) T.c_iflag |= INPCK;
  if (Dcb.Flags & DCB_OUTX) T.c_iflag |= IXON;
  if (Dcb.Flags & DCB_INX) T.c_iflag |= IXOFF;
  if (ioctl(FHandle, TCSETS2, &T) != 0) return FailErrno(u"Cannot set the port settings", errno);

  // A driver that cannot make the speed quietly picks another; Windows refuses instead.
  termios2 Actual{};
  if (ioctl(FHandle, TCGETS2, &Actual) != 0)
    return FailErrno(u"Cannot read the port settings", errno);
  const uint64_t Diff = Actual.c_ospeed > Dcb.BaudRate ? Actual.c_ospeed - Dcb.BaudRate
                                                       : Dcb.BaudRate - Actual.c_ospeed;
  if (Diff * 100 > uint64_t(Dcb.BaudRate) * 3)
    return Fail(u"The port cannot run at " + IntToStr(Dcb.BaudRate) + u" baud");

  SetModemLine(FHandle, TIOCM_DTR, (Dcb.Flags & DCB_DTR_CONTROL_MASK) != 0);
  if (Rts != DCB_RTS_CONTROL_HANDSHAKE)
    SetModemLine(FHandle, TIOCM_RTS, Rts == DCB_RTS_CONTROL_ENABLE);
  FFlags = Dcb.Flags;
  FEvtChar = Dcb.EvtChar;
  FErrorChar = Dcb.ErrorChar;
  return true;
}

bool TSerialPort::GetTimeouts(TCommTimeouts& Timeouts) {
  if (!CheckOpen()) return false;
  Timeouts = FTimeouts;
  return true;
}

bool TSerialPort::SetTimeouts(const TCommTimeouts& Timeouts) {
  uint32_t Ignored = 0;
  if (!Available(Ignored)) return false;
  FTimeouts = Timeouts;
  return true;
}

bool TSerialPort::SetMask(uint32_t Mask) {
  uint32_t Ignored = 0;
  if (!Available(Ignored)) return false;
  FMask = Mask;
  return true;
}

// 1: ready, 0: the deadline passed, -1: failed (LastError set).
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

// Bytes the driver holds; fails when the device has gone.
bool TSerialPort::Available(uint32_t& Count) {
  Count = 0;
  if (!CheckOpen() || WaitFor(POLLIN, 0) < 0) return false;
  int Queued = 0;
  if (ioctl(FHandle, FIONREAD, &Queued) != 0)
    return FailErrno(u"Cannot query the input queue", errno);
  Count = uint32_t(std::max(Queued, 0));
  return true;
}

// Appends what the driver holds, up to Count bytes in all.
bool TSerialPort::ReadNow(RawBytes& Data, uint32_t Count) {
  uint32_t Queued = 0;
  if (!Available(Queued)) return false;
  const size_t Want = std::min<size_t>(Queued, Count - Data.size());
  if (Want == 0) return true;
  const size_t Old = Data.size();
  Data.resize(Old + Want);
  const ssize_t Got = read(FHandle, Data.data() + Old, Want);
  if (Got < 0) {
    const int Error = errno;
    Data.resize(Old);
    return Error == EAGAIN || Error == EINTR || FailErrno(u"Cannot read from the port", Error);
  }
  Data.resize(Old + size_t(Got));
  // The driver said bytes were there: none means the line was hung up under us.
  if (Got == 0) return FailGone();
  return true;
}

// Moves what the driver holds into FInput; Seen gets the events of the bytes that came.
bool TSerialPort::Ingest(uint32_t& Seen) {
  Seen = 0;
  for (;;) {
    RawBytes Chunk;
    if (!ReadNow(Chunk, 4096)) return false;
    if (Chunk.empty()) return true;
    Seen |= EV_RXCHAR;
    if (Chunk.find(FEvtChar) != RawBytes::npos) Seen |= EV_RXFLAG;
    const size_t Room = InputQueueSize - std::min(InputQueueSize, FInput.size());
    if (Chunk.size() > Room) FErrors |= CE_RXOVER;
    FInput.append(Chunk, 0, std::min(Room, Chunk.size()));
  }
}

TWaitResult TSerialPort::WaitEvent(uint32_t& Events, uint32_t TimeoutMs) {
  Events = 0;
  if (!CheckOpen()) return TWaitResult::wrFailed;
  if (FMask == 0) {
    Fail(u"No event to wait for");
    return TWaitResult::wrFailed;
  }
  const int64_t Deadline = TimeoutMs == MAXDWORD ? NoDeadline : DeadlineAfter(TimeoutMs);
  for (;;) {
    uint32_t Seen = 0;
    if (!Ingest(Seen)) return TWaitResult::wrFailed;
    Events = Seen & FMask;
    if (Events != 0) return TWaitResult::wrSignaled;
    const int Ready = WaitFor(POLLIN, Deadline);
    if (Ready < 0) return TWaitResult::wrFailed;
    if (Ready == 0) return TWaitResult::wrTimeout;
  }
}

bool TSerialPort::QueuedBytes(uint32_t& Count) {
  uint32_t Queued = 0;
  Count = 0;
  if (!Available(Queued)) return false;
  Count = Queued + uint32_t(FInput.size());
  return true;
}

bool TSerialPort::ClearErrors(uint32_t* Errors) {
  uint32_t Ignored = 0;
  if (Errors) *Errors = 0;
  if (!Available(Ignored)) return false;
  if (Errors) *Errors = FErrors;
  FErrors = 0;
  return true;
}

bool TSerialPort::Purge(uint32_t Flags) {
  uint32_t Ignored = 0;
  if (!Available(Ignored)) return false;
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
  uint32_t Ignored = 0;
  if (!Available(Ignored)) return false;
  const size_t FromQueue = std::min<size_t>(Count, FInput.size());
  Data.assign(FInput, 0, FromQueue);
  FInput.erase(0, FromQueue);

  const TCommTimeouts& T = FTimeouts;
  if (T.ReadIntervalTimeout == MAXDWORD && T.ReadTotalTimeoutMultiplier == 0 &&
      T.ReadTotalTimeoutConstant == 0)
    return ReadNow(Data, Count);
  if (T.ReadIntervalTimeout == MAXDWORD && T.ReadTotalTimeoutMultiplier == MAXDWORD &&
      T.ReadTotalTimeoutConstant > 0 && T.ReadTotalTimeoutConstant < MAXDWORD) {
    if (!ReadNow(Data, Count)) return false;
    if (!Data.empty()) return true;
    const int Ready = WaitFor(POLLIN, DeadlineAfter(T.ReadTotalTimeoutConstant));
    return Ready > 0 ? ReadNow(Data, Count) : Ready == 0;
  }

  const uint64_t Total =
      uint64_t(T.ReadTotalTimeoutMultiplier) * Count + T.ReadTotalTimeoutConstant;
  const int64_t TotalDeadline = Total == 0 ? NoDeadline : DeadlineAfter(Total);
  const bool UseInterval = T.ReadIntervalTimeout != 0 && T.ReadIntervalTimeout != MAXDWORD;
  int64_t LastByte = NowMs();
  for (;;) {
    const size_t Before = Data.size();
    if (!ReadNow(Data, Count)) return false;
    if (Data.size() >= Count) return true;
    if (Data.size() != Before) LastByte = NowMs();
    int64_t Deadline = TotalDeadline;
    if (UseInterval && !Data.empty())
      Deadline = Earlier(Deadline, LastByte + T.ReadIntervalTimeout);
    const int Ready = WaitFor(POLLIN, Deadline);
    if (Ready <= 0) return Ready == 0;
  }
}

bool TSerialPort::Write(const RawBytes& Data) {
  if (!CheckOpen()) return false;
  const TCommTimeouts& T = FTimeouts;
  const uint64_t Total =
      uint64_t(T.WriteTotalTimeoutMultiplier) * Data.size() + T.WriteTotalTimeoutConstant;
  const int64_t Deadline = Total == 0 ? NoDeadline : DeadlineAfter(Total);
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
    if (Ready == 0) return Fail(u"The write timed out");
  }
  return true;
}
