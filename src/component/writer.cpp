#include "component/writer.h"

#include <bit>
#include <cstring>
#include <utility>

#include "component/collection.h"
#include "component/component.h"
#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/restore.h"
#include "core/rtti.h"
#include "core/stream.h"
#include "core/strings.h"

namespace {

class TAncestorScope {
 public:
  TAncestorScope(TFiler& F, TPersistent* A) : FFiler(F), FOld(F.Ancestor()) { F.SetAncestor(A); }
  ~TAncestorScope() { FFiler.SetAncestor(FOld); }
  TAncestorScope(const TAncestorScope&) = delete;
  TAncestorScope& operator=(const TAncestorScope&) = delete;

 private:
  TFiler& FFiler;
  TPersistent* FOld;
};

class TWritingScope {
 public:
  explicit TWritingScope(TComponent& C) : FC(C), FWas(C.HasState(csWriting)) {
    C.SetState(csWriting, true);
  }
  ~TWritingScope() { FC.SetState(csWriting, FWas); }
  TWritingScope(const TWritingScope&) = delete;
  TWritingScope& operator=(const TWritingScope&) = delete;

 private:
  TComponent& FC;
  bool FWas;
};

bool IsAscii(const String& S) {
  for (char16_t C : S)
    if (C >= 0x80) return false;
  return true;
}

// The ancestor counts for a property only when it has that very property.
TObject* AncestorFor(TObject* Ancestor, const TPropInfo& P) {
  return Ancestor && Ancestor->ClassType().FindProp(P.Name) == &P ? Ancestor : nullptr;
}

}  // namespace

void TWriter::WriteDescendent(TComponent& Root, TComponent* Ancestor) {
  FRoot = &Root;
  FRootAncestor = Ancestor;
  WriteSignature();
  WriteComponentImage(Root, Ancestor);
}

void TWriter::WriteInteger(int64_t Value) {
  if (Value >= INT8_MIN && Value <= INT8_MAX) {
    WriteValue(vaInt8);
    FStream.WriteU8(static_cast<uint8_t>(Value));
  } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
    WriteValue(vaInt16);
    FStream.WriteU16(static_cast<uint16_t>(Value));
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValue(vaInt32);
    FStream.WriteU32(static_cast<uint32_t>(Value));
  } else {
    WriteValue(vaInt64);
    const auto U = static_cast<uint64_t>(Value);
    FStream.WriteU32(static_cast<uint32_t>(U));
    FStream.WriteU32(static_cast<uint32_t>(U >> 32));
  }
}

void TWriter::WriteFloat(double Value) {
  uint64_t Bits;
  std::memcpy(&Bits, &Value, sizeof Bits);
  WriteValue(vaDouble);
  FStream.WriteU32(static_cast<uint32_t>(Bits));
  FStream.WriteU32(static_cast<uint32_t>(Bits >> 32));
}

void TWriter::WriteString(const String& Value) {
  if (Value.size() <= 255 && IsAscii(Value)) {
    WriteValue(vaString);
    FStream.WriteU8(static_cast<uint8_t>(Value.size()));
    for (char16_t C : Value) FStream.WriteU8(static_cast<uint8_t>(C));
    return;
  }
  if (Value.size() > UINT32_MAX) throw EWriteError(SWriteError);
  WriteValue(vaWString);
  FStream.WriteU32(static_cast<uint32_t>(Value.size()));
  // The code units as they lie, without a copy of a long text.
  if constexpr (std::endian::native == std::endian::little)
    FStream.WriteBuffer(Value.data(), static_cast<int64_t>(Value.size() * 2));
  else
    FStream.WriteBytes(Utf16LEEncode(Value));
}

void TWriter::WriteIdent(const String& Ident) {
  WriteValue(vaIdent);
  WriteStr(Ident);
}

void TWriter::WriteSignature() {
  FStream.WriteBuffer(FilerSignature, sizeof FilerSignature);
}

void TWriter::WriteStr(const String& Name) {
  const std::string Bytes = ToUtf8(Name);
  if (Bytes.size() > 255)
    throw EWriteError(Format(u"Name too long for the component stream: %s", {Name}));
  FStream.WriteU8(static_cast<uint8_t>(Bytes.size()));
  FStream.WriteBytes(Bytes);
}

void TWriter::WritePrefix(uint8_t Flags, int32_t ChildPos) {
  if (Flags == 0) return;
  FStream.WriteU8(FilerPrefixMask | Flags);
  if (Flags & ffChildPos) WriteInteger(ChildPos);
}

void TWriter::WriteBinary(const std::string& Bytes) {
  if (Bytes.size() > UINT32_MAX) throw EWriteError(SWriteError);
  WriteValue(vaBinary);
  FStream.WriteU32(static_cast<uint32_t>(Bytes.size()));
  FStream.WriteBytes(Bytes);
}

void TWriter::DefineProperty(const String& Name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(*this);
}

void TWriter::DefineBinaryProperty(const String& Name, const std::function<void(TStream&)>&,
                                   const std::function<void(TStream&)>& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream Data;
  WriteData(Data);
  WritePropName(Name);
  WriteBinary(Data.Bytes());
}

void TWriter::Nest() {
  if (++FDepth > MaxStreamDepth)
    throw EWriteError(u"Objects nested too deeply for the component stream");
}

void TWriter::WriteComponentImage(TComponent& C, TComponent* Ancestor) {
  TRestore<int> Depth(FDepth, FDepth);
  Nest();
  TWritingScope Writing(C);
  WritePrefix(Ancestor ? ffInherited : 0, 0);
  WriteStr(C.ClassName());
  WriteStr(C.Name());
  WriteProperties(C, Ancestor);
  WriteListEnd();
  C.GetChildren(
      [this](TComponent* Child) {
        TComponent* ChildAncestor =
            FRootAncestor ? FRootAncestor->FindComponent(Child->Name()) : nullptr;
        WriteComponentImage(*Child, ChildAncestor);
      },
      FRoot);
  WriteListEnd();
}

void TWriter::WriteProperties(TObject& Instance, TObject* Ancestor) {
  for (const TPropInfo* P : Instance.ClassType().AllProps())
    if (P->HasReader() && P->Stored(Instance))
      WriteProperty(Instance, *P, AncestorFor(Ancestor, *P));
  if (auto* Persistent = dynamic_cast<TPersistent*>(&Instance)) {
    TAncestorScope Scope(*this, dynamic_cast<TPersistent*>(Ancestor));
    Persistent->DeclareStoredData(*this);
  }
}

void TWriter::WriteProperty(TObject& Instance, const TPropInfo& P, TObject* Ancestor) {
  switch (P.PropType->Kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64: {
      if (!P.GetOrd || !P.SetOrd) return;
      const int64_t V = P.GetOrd(Instance);
      if (Ancestor ? V == P.GetOrd(*Ancestor) : (P.Default && V == *P.Default)) return;
      WritePropName(P.Name);
      WriteOrdinal(*P.PropType, V);
      return;
    }
    case tkFloat: {
      if (!P.GetFloat || !P.SetFloat) return;
      const double V = P.GetFloat(Instance);
      if (V == (Ancestor ? P.GetFloat(*Ancestor) : 0.0)) return;
      WritePropName(P.Name);
      WriteFloat(V);
      return;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString: {
      if (!P.GetStr || !P.SetStr) return;
      const String V = P.GetStr(Instance);
      if (V == (Ancestor ? P.GetStr(*Ancestor) : String())) return;
      WritePropName(P.Name);
      WriteString(V);
      return;
    }
    case tkMethod: {
      if (!P.GetMethodName || !P.SetMethod) return;
      const String V = P.GetMethodName(Instance);
      if (V == (Ancestor ? P.GetMethodName(*Ancestor) : String())) return;
      WritePropName(P.Name);
      if (V.empty())
        WriteValue(vaNil);
      else
        WriteIdent(V);
      return;
    }
    case tkClass:
      WriteObjectProperty(Instance, P, Ancestor);
      return;
    default:
      return;
  }
}

void TWriter::WriteOrdinal(const TTypeInfo& Type, int64_t Value) {
  switch (Type.Kind) {
    case tkChar:
    case tkWChar:
      WriteString(String(1, static_cast<char16_t>(Value)));
      return;
    case tkEnumeration: {
      if (Type.EnumNames.size() == 2 && Type.EnumNames[0] == u"False" &&
          Type.EnumNames[1] == u"True" && (Value == 0 || Value == 1)) {
        WriteBoolean(Value != 0);
        return;
      }
      const String Name = GetEnumName(Type, Value);
      if (Name.empty())
        WriteInteger(Value);
      else
        WriteIdent(Name);
      return;
    }
    case tkSet: {
      WriteValue(vaSet);
      if (Type.CompType)
        for (size_t I = 0; I < Type.CompType->EnumNames.size() && I < 64; ++I)
          if ((static_cast<uint64_t>(Value) >> I) & 1u) WriteStr(Type.CompType->EnumNames[I]);
      WriteStr(String());
      return;
    }
    default:
      WriteInteger(Value);
      return;
  }
}

void TWriter::WriteObjectProperty(TObject& Instance, const TPropInfo& P, TObject* Ancestor) {
  if (!P.GetObj) return;
  TObject* V = P.GetObj(Instance);
  TObject* AncestorValue = Ancestor ? P.GetObj(*Ancestor) : nullptr;
  const bool IsReference =
      P.PropType->ClassType && P.PropType->ClassType->InheritsFrom(TComponent::StaticClassType());
  if (IsReference || dynamic_cast<TComponent*>(V)) {
    if (!P.SetObj) return;
    const String Ref = ReferenceName(dynamic_cast<TComponent*>(V), FRoot);
    const String AncestorRef =
        ReferenceName(dynamic_cast<TComponent*>(AncestorValue), FRootAncestor);
    if (Ref == AncestorRef || (V && Ref.empty())) return;
    WritePropName(P.Name);
    if (Ref.empty())
      WriteValue(vaNil);
    else
      WriteIdent(Ref);
    return;
  }
  if (auto* List = dynamic_cast<TStrings*>(V)) {
    const auto* AncestorList = dynamic_cast<TStrings*>(AncestorValue);
    if (AncestorList ? List->Equals(*AncestorList) : List->Count() == 0) return;
    WritePropName(P.Name + u".Strings");
    WriteListBegin();
    for (int I = 0; I < List->Count(); ++I) WriteString(List->Get(I));
    WriteListEnd();
    return;
  }
  if (auto* Coll = dynamic_cast<TCollection*>(V)) {
    auto* AncestorColl = dynamic_cast<TCollection*>(AncestorValue);
    if (AncestorColl
            ? CollectionImage(*Coll, FRoot) == CollectionImage(*AncestorColl, FRootAncestor)
            : Coll->Count() == 0)
      return;
    WritePropName(P.Name);
    WriteCollection(*Coll);
    return;
  }
  if (V && dynamic_cast<TPersistent*>(V)) {
    TRestore<int> Depth(FDepth, FDepth);
    Nest();
    TRestore<String> Path(FPropPath, FPropPath + P.Name + u".");
    WriteProperties(*V, AncestorValue);
  }
}

void TWriter::WriteCollection(TCollection& C) {
  TRestore<int> Depth(FDepth, FDepth);
  Nest();
  // Items are written whole: a reader rebuilds the collection from them alone.
  TAncestorScope Scope(*this, nullptr);
  TRestore<String> Path(FPropPath, String());
  WriteValue(vaCollection);
  for (int I = 0; I < C.Count(); ++I) {
    WriteListBegin();
    WriteProperties(*C.Items(I), nullptr);
    WriteListEnd();
  }
  WriteListEnd();
}

std::string TWriter::CollectionImage(TCollection& C, TComponent* Root) {
  TMemoryStream Image;
  TWriter W(Image);
  W.FRoot = Root;
  W.FDepth = FDepth;
  W.WriteCollection(C);
  return Image.Bytes();
}

String TWriter::ReferenceName(const TComponent* C, const TComponent* SideRoot) const {
  if (!C || C->Name().empty()) return {};
  if (C == SideRoot) return FRoot->Name();
  if (C->Owner() == SideRoot || !C->Owner() || C->Owner()->Name().empty()) return C->Name();
  return C->Owner()->Name() + u"." + C->Name();
}

void WriteComponent(TStream& Stream, TComponent& Root, TComponent* Ancestor) {
  TWriter Writer(Stream);
  Writer.WriteDescendent(Root, Ancestor);
}
