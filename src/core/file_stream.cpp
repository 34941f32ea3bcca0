#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/stream.h"

const TClassType& TFileStream::StaticClassType() {
  static const TClassType T(u"TFileStream", &TStream::StaticClassType());
  return T;
}

namespace {

String ErrorText(int Error) {
  return FromUtf8(std::strerror(Error));
}

}  // namespace

TFileStream::TFileStream(const String& FileName, uint16_t Mode) : FFileName(FileName) {
  const std::string Path = ToUtf8(FileName);
  if ((Mode & fmCreate) == fmCreate) {
    FFd = ::open(Path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FFd < 0)
      throw EFCreateError(Format(SFCreateErrorEx, {ExpandFileName(FileName), ErrorText(errno)}));
  } else {
    const int Access = (Mode & 3) == fmOpenWrite       ? O_WRONLY
                       : (Mode & 3) == fmOpenReadWrite ? O_RDWR
                                                       : O_RDONLY;
    FFd = ::open(Path.c_str(), Access | O_CLOEXEC);
    int Error = errno;
    struct stat Info;
    if (FFd >= 0 && ::fstat(FFd, &Info) == 0 && S_ISDIR(Info.st_mode)) {
      ::close(FFd);
      FFd = -1;
      Error = EISDIR;
    }
    if (FFd < 0)
      throw EFOpenError(Format(SFOpenErrorEx, {ExpandFileName(FileName), ErrorText(Error)}));
  }
  // Sharing is advisory here: others that ask for the lock see it, and nobody is refused.
  if (Mode & fmShareDenyWrite) ::flock(FFd, LOCK_SH | LOCK_NB);
}

TFileStream::~TFileStream() {
  ::close(FFd);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  int64_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::read(FFd, static_cast<char*>(Buffer) + Done,
                             static_cast<size_t>(std::min<int64_t>(Count - Done, 1 << 30)));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;
    Done += N;
  }
  return Done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::write(FFd, static_cast<const char*>(Buffer) + Done,
                              static_cast<size_t>(std::min<int64_t>(Count - Done, 1 << 30)));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;
    Done += N;
  }
  return Done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const int Whence = Origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : Origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  return ::lseek(FFd, Offset, Whence);
}

void TFileStream::SetSize(int64_t NewSize) {
  if (NewSize < 0 || ::ftruncate(FFd, NewSize) != 0) throw EWriteError(SWriteError);
  if (Position() > NewSize) SetPosition(NewSize);
}
