#include "core/safe_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/exceptions.h"
#include "core/rtti.h"

const TClassType& TSafeFileStream::StaticClassType() {
  static const TClassType T(u"TSafeFileStream", &TFileStream::StaticClassType());
  return T;
}

namespace {

String ErrorText(int Error) {
  return FromUtf8(std::strerror(Error));
}

// The file a name stands for: a symbolic link is replaced by the file it points to, not by a
// file of its own.
std::string TargetPath(const String& FileName) {
  const std::string Path = ToUtf8(FileName);
  char Real[PATH_MAX];
  struct stat Info;
  if (::lstat(Path.c_str(), &Info) == 0 && S_ISLNK(Info.st_mode) && ::realpath(Path.c_str(), Real))
    return Real;
  return Path;
}

mode_t NewFileMode() {
  const mode_t Mask = ::umask(0);
  ::umask(Mask);
  return 0666 & ~Mask;
}

}  // namespace

TSafeFileTemp::TSafeFileTemp(const String& FileName) : Path(TargetPath(FileName) + ".XXXXXX") {
  Fd = ::mkostemp(Path.data(), O_CLOEXEC);
  if (Fd < 0)
    throw EFCreateError(
        Format(u"Cannot create file \"%s\". %s", {ExpandFileName(FileName), ErrorText(errno)}));
}

TSafeFileStream::TSafeFileStream(const String& FileName)
    : TSafeFileTemp(FileName),
      TFileStream(Fd, FileName),
      FTarget(Path.substr(0, Path.size() - 7)) {}

TSafeFileStream::~TSafeFileStream() {
  if (!FCommitted) ::unlink(Path.c_str());
}

void TSafeFileStream::Fail(int Error) const {
  throw EWriteError(
      Format(u"Cannot write file \"%s\". %s", {ExpandFileName(FileName()), ErrorText(Error)}));
}

int64_t TSafeFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::write(Handle(), static_cast<const char*>(Buffer) + Done,
                              static_cast<size_t>(std::min<int64_t>(Count - Done, 1 << 30)));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) Fail(N < 0 ? errno : ENOSPC);
    Done += N;
  }
  return Done;
}

void TSafeFileStream::Commit() {
  if (FCommitted) return;
  struct stat Old;
  const mode_t Mode = ::stat(FTarget.c_str(), &Old) == 0 ? (Old.st_mode & 07777) : NewFileMode();
  if (::fchmod(Handle(), Mode) != 0 || ::fsync(Handle()) != 0) Fail(errno);
  if (::rename(Path.c_str(), FTarget.c_str()) != 0) Fail(errno);
  FCommitted = true;
  // The rename itself reaches the disk with the folder.
  const size_t Slash = FTarget.rfind('/');
  const std::string Dir = Slash == std::string::npos ? "." : FTarget.substr(0, Slash + 1);
  const int DirFd = ::open(Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (DirFd >= 0) {
    ::fsync(DirFd);
    ::close(DirFd);
  }
}

void SaveBytesSafely(const String& FileName, const std::string& Bytes) {
  TSafeFileStream File(FileName);
  File.WriteBytes(Bytes);
  File.Commit();
}
