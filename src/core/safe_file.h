#pragma once
// A file written safely: the bytes go into a temporary file beside it, which takes the file's
// place only when everything was written and flushed. Until Commit the old file stays as it
// was. Where the file system offers unnamed files the temporary file has no name until Commit,
// so that nothing is left behind when the program dies on the way; elsewhere it is named after
// the file, and a stream dropped without Commit (an error on the way) removes it.
#include <sys/types.h>

#include "core/stream.h"

// The file that a save of FileName replaces: a symbolic link is followed to the file it points
// to, so that the link stays. In a folder that everyone may write to and that has the sticky
// bit, a link that belongs neither to us nor to the folder's owner is not followed: EFCreateError
// "Cannot create file \"%s\". %s" then, as when the link leads in a circle.
std::string SaveTargetPath(const String& FileName);
// The folder that holds SaveTargetPath(FileName).
std::string SaveFolderPath(const String& FileName);

// The temporary file, made before the stream that writes it.
struct TSafeFileTemp {
  explicit TSafeFileTemp(const String& FileName);
  std::string Target;  // the file to replace
  std::string Path;    // the temporary file's name; empty while it has none
  int Fd = -1;
  bool Replaces = false;  // Target exists, and OldMode is its permissions
  mode_t OldMode = 0;
};

class TSafeFileStream : private TSafeFileTemp, public TFileStream {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // EFCreateError "Cannot create file \"%s\". %s" when no temporary file can be made beside it.
  explicit TSafeFileStream(const String& FileName);
  ~TSafeFileStream() override;

  // A failed write raises EWriteError "Cannot write file \"%s\". %s" with the reason.
  int64_t Write(const void* Buffer, int64_t Count) override;
  // Flushes the temporary file and puts it in the file's place; an existing file's permissions
  // are kept, a new file gets those that the process's creation mask leaves. Raises EWriteError
  // with the reason when that fails, leaving the old file.
  void Commit();

 private:
  [[noreturn]] void Fail(int Error) const;
  void Publish();

  bool FCommitted = false;
};

// Writes Bytes as the whole new content of FileName through a TSafeFileStream.
void SaveBytesSafely(const String& FileName, const std::string& Bytes);
