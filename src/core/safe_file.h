#pragma once
// A file written safely: the bytes go into a temporary file beside it, which takes the file's
// place only when everything was written and flushed. Until Commit the old file stays as it
// was; a stream dropped without Commit (an error on the way) removes its temporary file.
#include "core/stream.h"

// The temporary file, made before the stream that writes it.
struct TSafeFileTemp {
  explicit TSafeFileTemp(const String& FileName);
  std::string Path;  // the file to replace (a symbolic link followed) and ".XXXXXX"
  int Fd = -1;
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
  // Flushes the temporary file and renames it over the file; an existing file's permissions are
  // kept. Raises EWriteError with the reason when that fails, leaving the old file.
  void Commit();

 private:
  [[noreturn]] void Fail(int Error) const;

  std::string FTarget;
  bool FCommitted = false;
};

// Writes Bytes as the whole new content of FileName through a TSafeFileStream.
void SaveBytesSafely(const String& FileName, const std::string& Bytes);
