#include "component/reader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "component/class_registry.h"
#include "component/collection.h"
#include "component/names.h"
#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/restore.h"
#include "core/rtti.h"
#include "core/scope_exit.h"
#include "core/stream.h"
#include "core/strings.h"

namespace {

const String SInvalidPropertyValue = u"Invalid property value";

[[noreturn]] void InvalidValue() {
  throw EReadError(SInvalidPropertyValue);
}

bool IsIntegerTag(TValueType Va) {
  return Va == vaInt8 || Va == vaInt16 || Va == vaInt32 || Va == vaInt64;
}

bool IsStringTag(TValueType Va) {
  return Va == vaString || Va == vaLString || Va == vaWString || Va == vaUTF8String;
}

uint64_t ReadU64(TStream& S) {
  const uint64_t Lo = S.ReadU32();
  return Lo | static_cast<uint64_t>(S.ReadU32()) << 32;
}

double BitsToDouble(uint64_t Bits) {
  double D;
  std::memcpy(&D, &Bits, sizeof D);
  return D;
}

// The 80-bit x87 format: 64-bit mantissa with an explicit integer bit, 15-bit biased exponent.
double ExtendedToDouble(const uint8_t (&B)[10]) {
  uint64_t Mantissa = 0;
  for (int I = 7; I >= 0; --I) Mantissa = Mantissa << 8 | B[I];
  const unsigned SignExp = B[8] | static_cast<unsigned>(B[9]) << 8;
  const int Exp = static_cast<int>(SignExp & 0x7FFF);
  double R;
  if (Exp == 0x7FFF)
    R = (Mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                             : std::numeric_limits<double>::quiet_NaN();
  else
    R = std::ldexp(static_cast<double>(Mantissa), (Exp == 0 ? 1 : Exp) - 16383 - 63);
  return (SignExp & 0x8000) ? -R : R;
}

// The range a value of Type may take; a type that states none gets its kind's full range.
void OrdinalRange(const TTypeInfo& Type, int64_t& Min, int64_t& Max) {
  Min = Type.MinValue;
  Max = Type.MaxValue;
  if (Type.Kind == tkEnumeration) {
    Min = 0;
    Max = static_cast<int64_t>(Type.EnumNames.size()) - 1;
  } else if (Min == 0 && Max == 0) {
    if (Type.Kind == tkInt64) {
      Min = INT64_MIN;
      Max = INT64_MAX;
    } else if (Type.Kind == tkChar || Type.Kind == tkWChar) {
      Max = 0xFFFF;
    } else {
      Min = INT32_MIN;
      Max = INT32_MAX;
    }
  }
}

// A name the stream gives that is invalid or taken is bad data like any other.
void SetComponentName(TComponent& C, const String& Name) {
  try {
    C.SetName(Name);
  } catch (const EComponentError& E) {
    throw EReadError(E.Message());
  }
}

bool IsComponentClass(const TTypeInfo& Type) {
  return Type.ClassType && Type.ClassType->InheritsFrom(TComponent::StaticClassType());
}

}  // namespace

TComponent* TReader::ReadRootComponent(TComponent* Instance) {
  TScopeExit Failed([this, Instance] { Abandon(!Instance); });
  ReadSignature();
  uint8_t Flags;
  int32_t ChildPos;
  ReadPrefix(Flags, ChildPos);
  const String ClassName = ReadStr();
  const String Name = ReadStr();
  FRoot = Instance ? Instance : CreateComponent(ClassName, nullptr);
  BeginLoading(*FRoot);
  if (!Instance || FRoot->Name().empty()) SetComponentName(*FRoot, Name);
  ReadProperties(*FRoot);
  ReadChildren(*FRoot);
  ResolveFixups();
  for (TComponent* C : FLoaded) C->FinishLoading();
  FRoot->AfterLoading();
  Failed.Dismiss();
  FCreated.clear();
  return FRoot;
}

TComponent* TReader::CreateComponent(const String& ClassName, TComponent* Owner) {
  const TClassType& Class = FindClass(ClassName);
  if (!Class.Create) throw EReadError(Format(u"Class %s cannot be created", {ClassName}));
  std::unique_ptr<TObject> Made(Class.Create(Owner));
  auto* C = dynamic_cast<TComponent*>(Made.get());
  if (!C) throw EReadError(Format(u"Class %s is not a component", {ClassName}));
  Made.release();
  FCreated.push_back(C);
  if (Owner && C->Owner() != Owner) Owner->InsertComponent(C);
  return C;
}

void TReader::BeginLoading(TComponent& C) {
  C.SetState(csLoading, true);
  C.SetState(csReading, true);
  if (FLoadedSet.insert(&C).second) FLoaded.push_back(&C);
}

void TReader::Abandon(bool RootCreated) {
  FFixups.clear();
  if (!RootCreated)
    for (const TFieldInfo* Field : FFields) Field->Set(*FRoot, nullptr);
  // Children first: each leaves the root (which is told) before it is freed.
  for (auto It = FCreated.rbegin(); It != FCreated.rend(); ++It) TComponentDeleter()(*It);
  for (TComponent* C : FCreated) FLoadedSet.erase(C);
  for (TComponent* C : FLoaded)
    if (FLoadedSet.contains(C)) {
      C->SetState(csLoading, false);
      C->SetState(csReading, false);
    }
  FCreated.clear();
  FLoaded.clear();
  FLoadedSet.clear();
  FFields.clear();
}

void TReader::Nest() {
  if (++FDepth > MaxStreamDepth) throw EReadError(u"Component stream nested too deeply");
}

void TReader::ReadChildren(TComponent& Parent) {
  TRestore<int> Depth(FDepth, FDepth);
  Nest();
  while (!EndOfList()) ReadChild(Parent);
  ReadListEnd();
}

void TReader::ReadChild(TComponent& Parent) {
  uint8_t Flags;
  int32_t ChildPos;
  ReadPrefix(Flags, ChildPos);
  const String ClassName = ReadStr();
  const String Name = ReadStr();
  TComponent* C;
  if (Flags & ffInherited) {
    // An inherited form: the component came with the ancestor's image read before.
    C = FRoot->FindComponent(Name);
    if (!C) throw EReadError(Format(u"Ancestor for '%s' not found", {Name}));
    BeginLoading(*C);
  } else {
    C = CreateComponent(ClassName, FRoot);
    BeginLoading(*C);
    SetComponentName(*C, Name);
  }
  C->SetParentComponent(&Parent);
  if (const TFieldInfo* Field = FRoot->ClassType().FindField(Name)) {
    Field->Set(*FRoot, C);
    if (!(Flags & ffInherited)) FFields.push_back(Field);
  }
  ReadProperties(*C);
  ReadChildren(*C);
}

void TReader::ReadProperties(TObject& Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
}

void TReader::ReadProperty(TObject& Instance) {
  const String Path = ReadStr();
  TObject* Obj = &Instance;
  size_t Start = 0;
  for (size_t Dot; (Dot = Path.find(u'.', Start)) != String::npos; Start = Dot + 1) {
    // Walk into a sub-object held in place ("Font.Name"), never into another component.
    const TPropInfo* P = Obj->ClassType().FindProp(Path.substr(Start, Dot - Start));
    TObject* Sub = P && P->PropType->Kind == tkClass && P->GetObj ? P->GetObj(*Obj) : nullptr;
    if (!Sub || dynamic_cast<TComponent*>(Sub))
      throw EReadError(Format(u"Property %s does not exist", {Path}));
    Obj = Sub;
  }
  ReadNamedValue(*Obj, Path.substr(Start), Path);
}

void TReader::ReadNamedValue(TObject& Instance, const String& Name, const String& Path) {
  if (auto* List = dynamic_cast<TStrings*>(&Instance); List && SameName(Name, u"Strings")) {
    ReadStrings(*List);
    return;
  }
  if (const TPropInfo* P = Instance.ClassType().FindProp(Name)) {
    ReadPropValue(Instance, *P);
    return;
  }
  if (auto* Persistent = dynamic_cast<TPersistent*>(&Instance)) {
    TRestore<String> Asked(FPropName, Name);
    TRestore<bool> Done(FPropDone, false);
    Persistent->DeclareStoredData(*this);
    if (FPropDone) return;
  }
  throw EReadError(Format(u"Property %s does not exist", {Path}));
}

void TReader::DefineProperty(const String& Name, const std::function<void(TReader&)>& ReadData,
                             const std::function<void(TWriter&)>&, bool) {
  if (FPropDone || FPropName.empty() || !ReadData || !SameName(Name, FPropName)) return;
  FPropDone = true;
  ReadData(*this);
}

void TReader::DefineBinaryProperty(const String& Name,
                                   const std::function<void(TStream&)>& ReadData,
                                   const std::function<void(TStream&)>&, bool) {
  if (FPropDone || FPropName.empty() || !ReadData || !SameName(Name, FPropName)) return;
  FPropDone = true;
  Expect(vaBinary);
  const uint32_t Size = FStream.ReadU32();
  // A payload of data already in memory (the form's own, as a program reads it) is handed over
  // where it lies; a table of many thousand lines is not copied before it is decoded.
  std::string Owned;
  std::string_view Bytes;
  const int64_t At = FStream.Position();
  if (const auto* Memory = dynamic_cast<const TMemoryStream*>(&FStream);
      Memory && Size <= static_cast<uint64_t>(std::max<int64_t>(0, FStream.Size() - At))) {
    Bytes = std::string_view(Memory->Bytes()).substr(static_cast<size_t>(At), Size);
    FStream.Seek(Size, TSeekOrigin::soCurrent);
  } else {
    Owned = FStream.ReadBytes(Size);
    Bytes = Owned;
  }
  TMemoryViewStream Data(Bytes);
  ReadData(Data);
}

void TReader::ReadPropValue(TObject& Instance, const TPropInfo& P) {
  const TTypeInfo& Type = *P.PropType;
  switch (Type.Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration: {
      if (!P.SetOrd) InvalidValue();
      P.SetOrd(Instance, ReadOrdinal(Type));
      return;
    }
    case tkSet: {
      if (!P.SetOrd || !Type.CompType) InvalidValue();
      Expect(vaSet);
      uint64_t Mask = 0;
      for (String Name; !(Name = ReadStr()).empty();) {
        const int Element = GetEnumValue(*Type.CompType, Name);
        if (Element < 0 || Element >= 64) InvalidValue();
        Mask |= uint64_t{1} << Element;
      }
      P.SetOrd(Instance, static_cast<int64_t>(Mask));
      return;
    }
    case tkFloat:
      if (!P.SetFloat) InvalidValue();
      P.SetFloat(Instance, ReadFloat());
      return;
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
      if (!P.SetStr) InvalidValue();
      P.SetStr(Instance, ReadString());
      return;
    case tkMethod:
      ReadMethod(Instance, P);
      return;
    case tkClass:
      ReadObjectValue(Instance, P);
      return;
    default:
      InvalidValue();
  }
}

int64_t TReader::ReadOrdinal(const TTypeInfo& Type) {
  const TValueType Va = NextValue();
  int64_t V;
  if (Type.Kind == tkEnumeration && (Va == vaFalse || Va == vaTrue)) {
    V = ReadValue() == vaTrue;
  } else if (Type.Kind == tkEnumeration && Va == vaIdent) {
    ReadValue();
    V = GetEnumValue(Type, ReadStr());
    if (V < 0) InvalidValue();
  } else if ((Type.Kind == tkChar || Type.Kind == tkWChar) && IsStringTag(Va)) {
    const String S = ReadString();
    if (S.size() != 1) InvalidValue();
    V = S[0];
  } else {
    V = ReadInt64();
  }
  int64_t Min, Max;
  OrdinalRange(Type, Min, Max);
  if (V < Min || V > Max) InvalidValue();
  return V;
}

void TReader::ReadMethod(TObject& Instance, const TPropInfo& P) {
  if (!P.SetMethod) InvalidValue();
  const TValueType Va = ReadValue();
  if (Va == vaNil) {
    P.SetMethod(Instance, TMethodBinding{});
    return;
  }
  if (Va != vaIdent) InvalidValue();
  const String Name = ReadStr();
  // A handler left unbound would make its control do nothing without a word: the form data
  // and the class that reads it disagree, and loading says so.
  const auto* Component = dynamic_cast<const TComponent*>(&Instance);
  const String Event =
      (Component ? Component->Name() : Instance.ClassType().Name()) + u"." + P.Name;
  const TMethodInfo* M = FRoot->ClassType().FindMethod(Name);
  if (!M)
    throw EReadError(Format(u"%s names the handler %s, which %s does not have",
                            {Event, Name, FRoot->ClassType().Name()}));
  if (!P.SetMethod(Instance, TMethodBinding{M->Name, M->Bind(*FRoot)}))
    throw EReadError(Format(u"%s cannot take the handler %s of %s: their parameters differ",
                            {Event, Name, FRoot->ClassType().Name()}));
}

void TReader::ReadObjectValue(TObject& Instance, const TPropInfo& P) {
  const TValueType Va = ReadValue();
  if (Va == vaNil || Va == vaIdent) {
    if (!P.SetObj || !IsComponentClass(*P.PropType)) InvalidValue();
    if (Va == vaNil)
      P.SetObj(Instance, nullptr);
    else
      FFixups.push_back({&Instance, &P, ReadStr(), FCollections});
    return;
  }
  auto* Coll =
      Va == vaCollection && P.GetObj ? dynamic_cast<TCollection*>(P.GetObj(Instance)) : nullptr;
  if (!Coll) InvalidValue();
  ReadCollection(*Coll);
}

void TReader::ReadCollection(TCollection& C) {
  TRestore<int> Depth(FDepth, FDepth);
  Nest();
  // Pending references into the items about to be freed go with them.
  std::erase_if(FFixups, [&](const TFixup& F) {
    return std::find(F.Within.begin(), F.Within.end(), &C) != F.Within.end();
  });
  C.BeginUpdate();
  const TScopeExit Update([&C] { C.EndUpdate(); });
  C.Clear();
  FCollections.push_back(&C);
  const TScopeExit Listed([this, &C] { std::erase(FCollections, &C); });
  while (!EndOfList()) {
    if (IsIntegerTag(NextValue())) ReadInt64();  // an order index: items come in order
    ReadListBegin();
    ReadProperties(*C.Add());
  }
  ReadListEnd();
}

void TReader::ReadStrings(TStrings& S) {
  ReadListBegin();
  S.BeginUpdate();
  const TScopeExit Update([&S] { S.EndUpdate(); });
  S.Clear();
  while (!EndOfList()) S.Add(ReadString());
  ReadListEnd();
}

TComponent* TReader::FindReference(const String& Name) const {
  if (Name.empty()) return nullptr;
  if (SameName(Name, FRoot->Name())) return FRoot;
  if (TComponent* C = FRoot->FindComponent(Name)) return C;
  const size_t Dot = Name.find(u'.');
  if (Dot == String::npos) return nullptr;
  const String Owner = Name.substr(0, Dot);
  const TComponent* Holder = SameName(Owner, FRoot->Name()) ? FRoot : FRoot->FindComponent(Owner);
  return Holder ? Holder->FindComponent(Name.substr(Dot + 1)) : nullptr;
}

void TReader::ResolveFixups() {
  std::vector<TFixup> Fixups = std::move(FFixups);
  FFixups.clear();
  for (const TFixup& F : Fixups) {
    TComponent* C = FindReference(F.Name);
    if (C && C->InheritsFrom(*F.Prop->PropType->ClassType)) F.Prop->SetObj(*F.Instance, C);
  }
}

TValueType TReader::NextValue() {
  const uint8_t B = FStream.ReadU8();
  FStream.Seek(-1, TSeekOrigin::soCurrent);
  return static_cast<TValueType>(B);
}

TValueType TReader::ReadValue() {
  const uint8_t B = FStream.ReadU8();
  if (B > vaDouble) InvalidValue();
  return static_cast<TValueType>(B);
}

void TReader::Expect(TValueType Va) {
  if (ReadValue() != Va) InvalidValue();
}

int64_t TReader::ReadIntegerBody(TValueType Va) {
  switch (Va) {
    case vaInt8:
      return static_cast<int8_t>(FStream.ReadU8());
    case vaInt16:
      return static_cast<int16_t>(FStream.ReadU16());
    case vaInt32:
      return FStream.ReadI32();
    case vaInt64:
      return static_cast<int64_t>(ReadU64(FStream));
    default:
      InvalidValue();
  }
}

int32_t TReader::ReadInteger() {
  const int64_t V = ReadInt64();
  if (V < INT32_MIN || V > INT32_MAX) InvalidValue();
  return static_cast<int32_t>(V);
}

int64_t TReader::ReadInt64() {
  return ReadIntegerBody(ReadValue());
}

bool TReader::ReadBoolean() {
  const TValueType Va = ReadValue();
  if (Va != vaFalse && Va != vaTrue) InvalidValue();
  return Va == vaTrue;
}

double TReader::ReadFloat() {
  const TValueType Va = ReadValue();
  switch (Va) {
    case vaDouble:
    case vaDate:
      return BitsToDouble(ReadU64(FStream));
    case vaExtended: {
      uint8_t B[10];
      FStream.ReadBuffer(B, sizeof B);
      return ExtendedToDouble(B);
    }
    case vaSingle: {
      const uint32_t Bits = FStream.ReadU32();
      float F;
      std::memcpy(&F, &Bits, sizeof F);
      return F;
    }
    case vaCurrency:
      return static_cast<double>(static_cast<int64_t>(ReadU64(FStream))) / 10000.0;
    default:
      return static_cast<double>(ReadIntegerBody(Va));
  }
}

String TReader::ReadString() {
  const TValueType Va = ReadValue();
  switch (Va) {
    case vaString:
      return AnsiToString(FStream.ReadBytes(FStream.ReadU8()));
    case vaLString:
      return AnsiToString(FStream.ReadBytes(FStream.ReadU32()));
    case vaWString: {
      // Counts are checked against the bytes left before anything is allocated, and the code
      // units are read straight into the text.
      const int64_t Units = FStream.ReadU32();
      if (Units * 2 > std::max<int64_t>(0, FStream.Size() - FStream.Position()))
        throw EReadError(SReadError);
      if constexpr (std::endian::native != std::endian::little)
        return Utf16LEDecode(FStream.ReadBytes(Units * 2));
      String S(static_cast<size_t>(Units), u'\0');
      FStream.ReadBuffer(S.data(), Units * 2);
      return S;
    }
    case vaUTF8String: {
      const std::string Bytes = FStream.ReadBytes(FStream.ReadU32());
      String S = Utf8Decode(Bytes);
      if (S.empty() && !Bytes.empty()) InvalidValue();
      return S;
    }
    default:
      InvalidValue();
  }
}

String TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return u"False";
    case vaTrue:
      return u"True";
    case vaNil:
      return u"nil";
    default:
      InvalidValue();
  }
}

void TReader::ReadSignature() {
  char Signature[sizeof FilerSignature];
  if (FStream.Read(Signature, sizeof Signature) != sizeof Signature ||
      std::memcmp(Signature, FilerSignature, sizeof Signature) != 0)
    throw EReadError(u"Invalid stream format");
}

String TReader::ReadStr() {
  const std::string Bytes = FStream.ReadBytes(FStream.ReadU8());
  String S = FromUtf8(Bytes);
  if (S.empty() && !Bytes.empty()) throw EReadError(u"Invalid stream format");
  return S;
}

void TReader::ReadPrefix(uint8_t& Flags, int32_t& ChildPos) {
  Flags = 0;
  ChildPos = 0;
  if ((static_cast<uint8_t>(NextValue()) & FilerPrefixMask) != FilerPrefixMask) return;
  Flags = FStream.ReadU8() & 0x0F;
  if (Flags & ffChildPos) ChildPos = ReadInteger();
}

std::string TReader::ReadBinary() {
  return FStream.ReadBytes(FStream.ReadU32());
}

TComponent* ReadComponent(TStream& Stream, TComponent* Instance) {
  TReader Reader(Stream);
  return Reader.ReadRootComponent(Instance);
}

TComponentPtr<TComponent> ReadComponentOwned(TStream& Stream) {
  return TComponentPtr<TComponent>(ReadComponent(Stream, nullptr));
}
