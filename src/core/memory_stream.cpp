#include <algorithm>
#include <cstring>

#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/stream.h"

namespace {

// Reading and seeking in bytes held in memory, at position Pos.
int64_t ReadAt(std::string_view Data, int64_t& Pos, void* Buffer, int64_t Count) {
  const int64_t Available = static_cast<int64_t>(Data.size()) - Pos;
  if (Count <= 0 || Available <= 0) return 0;
  const int64_t N = Count < Available ? Count : Available;
  std::memcpy(Buffer, Data.data() + Pos, static_cast<size_t>(N));
  Pos += N;
  return N;
}

int64_t SeekIn(int64_t Size, int64_t& Pos, int64_t Offset, TSeekOrigin Origin) {
  const int64_t Base = Origin == TSeekOrigin::soBeginning ? 0
                       : Origin == TSeekOrigin::soCurrent ? Pos
                                                          : Size;
  int64_t Target;
  if (__builtin_add_overflow(Base, Offset, &Target) || Target < 0) return -1;
  Pos = Target;
  return Pos;
}

}  // namespace

const TClassType& TMemoryStream::StaticClassType() {
  static const TClassType T(u"TMemoryStream", &TStream::StaticClassType());
  return T;
}

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  return ReadAt(FData, FPos, Buffer, Count);
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  int64_t End;
  if (Count <= 0 || __builtin_add_overflow(FPos, Count, &End) ||
      static_cast<uint64_t>(End) > FData.max_size())
    return 0;
  const auto NewEnd = static_cast<size_t>(End);
  // Room for half as much again, so that the small writes after a large one do not copy it;
  // room not written yet is not backed by memory.
  if (NewEnd > FData.capacity()) FData.reserve(std::min(FData.max_size(), NewEnd + NewEnd / 2));
  if (FPos == Size()) {
    FData.append(static_cast<const char*>(Buffer), static_cast<size_t>(Count));
  } else {
    if (End > Size()) FData.resize(NewEnd);
    std::memcpy(FData.data() + FPos, Buffer, static_cast<size_t>(Count));
  }
  FPos = End;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  return SeekIn(Size(), FPos, Offset, Origin);
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0 || static_cast<uint64_t>(NewSize) > FData.max_size())
    throw EWriteError(SWriteError);
  FData.resize(static_cast<size_t>(NewSize));
  if (FPos > NewSize) FPos = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPos = 0;
}

void TMemoryStream::LoadFromStream(TStream& Source) {
  Source.SetPosition(0);
  FData = Source.ReadBytes(Source.Size());
  FPos = 0;
}

void TMemoryStream::SaveToStream(TStream& Dest) const {
  Dest.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(File);
}

void TMemoryStream::SaveToFile(const String& FileName) const {
  TFileStream File(FileName, fmCreate);
  SaveToStream(File);
}

const TClassType& TMemoryViewStream::StaticClassType() {
  static const TClassType T(u"TMemoryViewStream", &TStream::StaticClassType());
  return T;
}

int64_t TMemoryViewStream::Read(void* Buffer, int64_t Count) {
  return ReadAt(FData, FPos, Buffer, Count);
}

int64_t TMemoryViewStream::Write(const void*, int64_t) {
  return 0;
}

int64_t TMemoryViewStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  return SeekIn(Size(), FPos, Offset, Origin);
}

void TMemoryViewStream::SetSize(int64_t) {
  throw EWriteError(SWriteError);
}
