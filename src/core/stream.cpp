#include "core/stream.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/rtti.h"

const TClassType& TStream::StaticClassType() {
  static const TClassType T(u"TStream", &TObject::StaticClassType());
  return T;
}

int64_t TStream::Size() {
  const int64_t Pos = Seek(0, TSeekOrigin::soCurrent);
  const int64_t Result = Seek(0, TSeekOrigin::soEnd);
  Seek(Pos, TSeekOrigin::soBeginning);
  return Result;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError(SWriteError);
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count <= 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  char Buffer[65536];
  for (int64_t Left = Count; Left > 0;) {
    const int64_t N = std::min<int64_t>(Left, sizeof Buffer);
    Source.ReadBuffer(Buffer, N);
    WriteBuffer(Buffer, N);
    Left -= N;
  }
  return Count;
}

uint8_t TStream::ReadU8() {
  uint8_t B;
  ReadBuffer(&B, 1);
  return B;
}

uint16_t TStream::ReadU16() {
  uint8_t B[2];
  ReadBuffer(B, 2);
  return static_cast<uint16_t>(B[0] | B[1] << 8);
}

uint32_t TStream::ReadU32() {
  uint8_t B[4];
  ReadBuffer(B, 4);
  return B[0] | B[1] << 8 | B[2] << 16 | static_cast<uint32_t>(B[3]) << 24;
}

int32_t TStream::ReadI32() {
  return static_cast<int32_t>(ReadU32());
}

void TStream::WriteU8(uint8_t V) {
  WriteBuffer(&V, 1);
}

void TStream::WriteU16(uint16_t V) {
  const uint8_t B[2] = {static_cast<uint8_t>(V), static_cast<uint8_t>(V >> 8)};
  WriteBuffer(B, 2);
}

void TStream::WriteU32(uint32_t V) {
  const uint8_t B[4] = {static_cast<uint8_t>(V), static_cast<uint8_t>(V >> 8),
                        static_cast<uint8_t>(V >> 16), static_cast<uint8_t>(V >> 24)};
  WriteBuffer(B, 4);
}

void TStream::WriteI32(int32_t V) {
  WriteU32(static_cast<uint32_t>(V));
}

std::string TStream::ReadBytes(int64_t Count) {
  // Checked before allocating: a corrupt length must not become a huge allocation.
  if (Count < 0 || Count > std::max<int64_t>(0, Size() - Position())) throw EReadError(SReadError);
  std::string Bytes(static_cast<size_t>(Count), '\0');
  ReadBuffer(Bytes.data(), Count);
  return Bytes;
}

std::string_view ReadRest(TStream& Stream, std::string& Owned) {
  std::string_view All;
  if (const auto* Memory = dynamic_cast<const TMemoryStream*>(&Stream))
    All = Memory->Bytes();
  else if (const auto* View = dynamic_cast<const TMemoryViewStream*>(&Stream))
    All = View->Bytes();
  else
    return Owned = Stream.ReadBytes(Stream.Size() - Stream.Position());
  const auto From = static_cast<size_t>(
      std::clamp<int64_t>(Stream.Position(), 0, static_cast<int64_t>(All.size())));
  Stream.Seek(0, TSeekOrigin::soEnd);
  return All.substr(From);
}

void TStream::WriteBytes(const std::string& Bytes) {
  WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}
