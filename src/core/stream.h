#pragma once
// Streams of bytes: memory and file streams with the class library's semantics.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/object.h"
#include "core/ustring.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  virtual int64_t Read(void* Buffer, int64_t Count) = 0;  // bytes actually read
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual void SetSize(int64_t NewSize) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t P) { Seek(P, TSeekOrigin::soBeginning); }
  virtual int64_t Size();

  void ReadBuffer(void* Buffer, int64_t Count);  // short read: EReadError "Stream read error"
  void WriteBuffer(const void* Buffer, int64_t Count);  // short write: EWriteError
  int64_t CopyFrom(TStream& Source, int64_t Count);     // Count 0: all of Source from its start

  // Little-endian helpers over ReadBuffer / WriteBuffer.
  uint8_t ReadU8();
  uint16_t ReadU16();
  uint32_t ReadU32();
  int32_t ReadI32();
  void WriteU8(uint8_t V);
  void WriteU16(uint16_t V);
  void WriteU32(uint32_t V);
  void WriteI32(int32_t V);
  std::string ReadBytes(int64_t Count);  // checked against the bytes left before allocating
  void WriteBytes(const std::string& Bytes);
};

class TMemoryStream : public TStream {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  TMemoryStream() = default;
  explicit TMemoryStream(std::string Bytes) : FData(std::move(Bytes)) {}

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }

  void Clear();
  const std::string& Bytes() const { return FData; }
  const char* Memory() const { return FData.data(); }
  void LoadFromStream(TStream& Source);
  void SaveToStream(TStream& Dest) const;
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;

 private:
  std::string FData;
  int64_t FPos = 0;
};

// Bytes held elsewhere, read where they lie: a reader hands a part of its own data over this
// way without a copy. The bytes must outlive the stream; writing to it fails.
class TMemoryViewStream : public TStream {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  explicit TMemoryViewStream(std::string_view Bytes) : FData(Bytes) {}

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }

  std::string_view Bytes() const { return FData; }

 private:
  std::string_view FData;
  int64_t FPos = 0;
};

// The bytes from the stream's position to its end, which is where the stream then stands: those
// of a memory stream viewed where they lie, any other stream's read into Owned.
std::string_view ReadRest(TStream& Stream, std::string& Owned);

// Open modes of the class library; sharing modes are advisory locks on Linux.
enum : uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareDenyWrite = 0x0020,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

class TFileStream : public TStream {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // fmCreate creates or truncates (EFCreateError "Cannot create file \"%s\". %s");
  // the open modes need an existing file (EFOpenError "Cannot open file \"%s\". %s").
  TFileStream(const String& FileName, uint16_t Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  const String& FileName() const { return FFileName; }

 protected:
  // Takes over an open file descriptor.
  TFileStream(int Fd, const String& FileName) : FFileName(FileName), FFd(Fd) {}
  int Handle() const { return FFd; }

 private:
  String FFileName;
  int FFd = -1;
};

bool FileExists(const String& FileName);  // false for folders
String ExpandFileName(const String& FileName);
String ExtractFileExt(const String& FileName);   // from the last "." of the name part, with "."
String ExtractFilePath(const String& FileName);  // up to and including the last separator
String ExtractFileName(const String& FileName);
