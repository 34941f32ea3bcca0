#include "sim/pty.h"

// termios2 (any speed) comes from the kernel headers, which clash with <termios.h>.
#include <asm/termbits.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <system_error>

namespace {

[[noreturn]] void ThrowErrno(const char* What) {
  throw std::system_error(errno, std::generic_category(), What);
}

}  // namespace

TPty::TPty() {
  FMaster = TUniqueFd(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!FMaster.Valid()) ThrowErrno("posix_openpt");
  char Path[128];
  if (grantpt(Master()) != 0 || unlockpt(Master()) != 0 || ptsname_r(Master(), Path, sizeof Path))
    ThrowErrno("pseudo-terminal set-up");
  FSlavePath = Path;
  FSlave = TUniqueFd(open(Path, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!FSlave.Valid()) ThrowErrno("open pseudo-terminal slave");
  // A serial line has no line discipline of its own: no echo, no translation.
  termios2 T{};
  if (ioctl(FSlave.Get(), TCGETS2, &T) != 0) ThrowErrno("TCGETS2");
  T.c_iflag = 0;
  T.c_oflag = 0;
  T.c_lflag = 0;
  T.c_cflag = (T.c_cflag & ~(CSIZE | PARENB | CSTOPB)) | CS8 | CREAD | CLOCAL;
  if (ioctl(FSlave.Get(), TCSETS2, &T) != 0) ThrowErrno("TCSETS2");
}

uint32_t TPty::LineSpeed() const {
  // On the master this reads the slave's settings.
  termios2 T{};
  if (!FMaster.Valid() || ioctl(FMaster.Get(), TCGETS2, &T) != 0) return 0;
  return T.c_ospeed;
}

size_t TPty::SlaveQueued() const {
  int Count = 0;
  if (!FSlave.Valid() || ioctl(FSlave.Get(), FIONREAD, &Count) != 0) return 0;
  return size_t(Count);
}

void TPty::Close() {
  FMaster.Reset();
  FSlave.Reset();
}
