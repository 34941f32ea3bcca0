#include "core/rtti.h"

#include <algorithm>

#include "core/exceptions.h"

TTypeInfo OrdinalTypeInfo(TTypeKind Kind, String Name, int64_t Min, int64_t Max) {
  TTypeInfo T;
  T.Kind = Kind;
  T.Name = std::move(Name);
  T.MinValue = Min;
  T.MaxValue = Max;
  return T;
}

TTypeInfo EnumTypeInfo(String Name, std::vector<String> Names) {
  TTypeInfo T =
      OrdinalTypeInfo(tkEnumeration, std::move(Name), 0, static_cast<int64_t>(Names.size()) - 1);
  T.EnumNames = std::move(Names);
  return T;
}

TTypeInfo SetTypeInfo(String Name, const TTypeInfo& Element) {
  TTypeInfo T = OrdinalTypeInfo(tkSet, std::move(Name), 0, 0);
  T.CompType = &Element;
  return T;
}

TTypeInfo MethodTypeInfo(String Name) {
  return OrdinalTypeInfo(tkMethod, std::move(Name), 0, 0);
}

const TTypeInfo& TypeInfoInteger() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"Integer", INT32_MIN, INT32_MAX);
  return T;
}
const TTypeInfo& TypeInfoByte() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"Byte", 0, 255);
  return T;
}
const TTypeInfo& TypeInfoWord() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"Word", 0, 65535);
  return T;
}
const TTypeInfo& TypeInfoCardinal() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInteger, u"Cardinal", 0, UINT32_MAX);
  return T;
}
const TTypeInfo& TypeInfoInt64() {
  static const TTypeInfo T = OrdinalTypeInfo(tkInt64, u"Int64", INT64_MIN, INT64_MAX);
  return T;
}
const TTypeInfo& TypeInfoBoolean() {
  static const TTypeInfo T = EnumTypeInfo(u"Boolean", {u"False", u"True"});
  return T;
}
const TTypeInfo& TypeInfoWideChar() {
  static const TTypeInfo T = OrdinalTypeInfo(tkWChar, u"WideChar", 0, 65535);
  return T;
}
const TTypeInfo& TypeInfoDouble() {
  static const TTypeInfo T = OrdinalTypeInfo(tkFloat, u"Double", 0, 0);
  return T;
}
const TTypeInfo& TypeInfoString() {
  static const TTypeInfo T = OrdinalTypeInfo(tkUString, u"string", 0, 0);
  return T;
}
const TTypeInfo& TypeInfoTTypeKind() {
  static const TTypeInfo T = [] {
    TTypeInfo I = OrdinalTypeInfo(tkEnumeration, u"TTypeKind", 0, tkProcedure);
    I.EnumNames = {u"tkUnknown",   u"tkInteger",  u"tkChar",     u"tkEnumeration", u"tkFloat",
                   u"tkString",    u"tkSet",      u"tkClass",    u"tkMethod",      u"tkWChar",
                   u"tkLString",   u"tkWString",  u"tkVariant",  u"tkArray",       u"tkRecord",
                   u"tkInterface", u"tkInt64",    u"tkDynArray", u"tkUString",     u"tkClassRef",
                   u"tkPointer",   u"tkProcedure"};
    return I;
  }();
  return T;
}

String GetEnumName(const TTypeInfo& Type, int64_t Value) {
  if (Value < 0 || Value >= static_cast<int64_t>(Type.EnumNames.size())) return {};
  return Type.EnumNames[static_cast<size_t>(Value)];
}

int GetEnumValue(const TTypeInfo& Type, const String& Name) {
  for (size_t I = 0; I < Type.EnumNames.size(); ++I)
    if (CompareAsciiText(Type.EnumNames[I], Name) == 0) return static_cast<int>(I);
  return -1;
}

String SetToString(const TTypeInfo& SetType, int64_t Value) {
  String R;
  if (!SetType.CompType) return R;
  const auto& Names = SetType.CompType->EnumNames;
  for (size_t I = 0; I < Names.size() && I < 64; ++I) {
    if (!((static_cast<uint64_t>(Value) >> I) & 1u)) continue;
    if (!R.empty()) R += u',';
    R += Names[I];
  }
  return R;
}

int64_t StringToSet(const TTypeInfo& SetType, const String& Text) {
  String T = Trim(Text);
  if (!T.empty() && T.front() == u'[') T.erase(0, 1);
  if (!T.empty() && T.back() == u']') T.pop_back();
  uint64_t Result = 0;
  size_t Start = 0;
  while (Start <= T.size()) {
    size_t End = T.find(u',', Start);
    if (End == String::npos) End = T.size();
    const String Name = Trim(T.substr(Start, End - Start));
    if (!Name.empty() || End < T.size()) {
      const int Element = SetType.CompType ? GetEnumValue(*SetType.CompType, Name) : -1;
      if (Element < 0 || Element >= 64)
        throw EPropertyError(Format(u"Invalid property element: %s", {Name}));
      Result |= uint64_t{1} << Element;
    }
    Start = End + 1;
  }
  return static_cast<int64_t>(Result);
}

bool TPropInfo::HasReader() const {
  return GetOrd || GetFloat || GetStr || GetObj || GetMethodName;
}

bool TPropInfo::HasWriter() const {
  return SetOrd || SetFloat || SetStr || SetObj || SetMethod;
}

TClassType::TClassType(String Name, const TClassType* Parent, const Filler& Fill)
    : FName(std::move(Name)), FParent(Parent) {
  FInfo.Kind = tkClass;
  FInfo.Name = FName;
  FInfo.ClassType = this;
  if (Fill) Fill(*this);
}

bool TClassType::InheritsFrom(const TClassType& Other) const {
  for (const TClassType* C = this; C; C = C->FParent)
    if (C == &Other) return true;
  return false;
}

TPropInfo& TClassType::AddProp(TPropInfo P) {
  P.Index = static_cast<int>(FProps.size());
  FProps.push_back(std::move(P));
  return FProps.back();
}

std::vector<const TPropInfo*> TClassType::AllProps() const {
  std::vector<const TPropInfo*> Result;
  if (FParent) Result = FParent->AllProps();
  for (const TPropInfo& P : FProps) {
    // A class that publishes a property again under the same name replaces the ancestor's.
    auto Same = std::find_if(Result.begin(), Result.end(), [&](const TPropInfo* Q) {
      return CompareAsciiText(Q->Name, P.Name) == 0;
    });
    if (Same != Result.end())
      *Same = &P;
    else
      Result.push_back(&P);
  }
  return Result;
}

std::vector<const TPropInfo*> TClassType::PropList(TTypeKinds Kinds) const {
  // Lists are asked for again and again (a form's translation data asks once per category); a
  // class is complete once constructed, so its properties are sorted once. Picking some out of
  // the stably sorted whole gives the order that sorting those alone would give.
  std::call_once(FSortedOnce, [this] {
    FSorted = AllProps();
    std::stable_sort(FSorted.begin(), FSorted.end(), [](const TPropInfo* A, const TPropInfo* B) {
      return CompareAsciiText(A->Name, B->Name) < 0;
    });
  });
  std::vector<const TPropInfo*> Result;
  for (const TPropInfo* P : FSorted)
    if (Kinds.Contains(P->PropType->Kind)) Result.push_back(P);
  return Result;
}

const TPropInfo* TClassType::FindProp(const String& Name) const {
  // A class is complete once constructed; its properties never change afterwards.
  std::call_once(FIndexed, [this] {
    for (const TPropInfo* P : AllProps()) FIndex.emplace(P->Name, P);
  });
  const auto It = FIndex.find(std::u16string_view(Name));
  return It == FIndex.end() ? nullptr : It->second;
}

const TMethodInfo* TClassType::FindMethod(const String& Name) const {
  for (const TClassType* C = this; C; C = C->FParent)
    for (const TMethodInfo& M : C->FMethods)
      if (CompareAsciiText(M.Name, Name) == 0) return &M;
  return nullptr;
}

const TFieldInfo* TClassType::FindField(const String& Name) const {
  for (const TClassType* C = this; C; C = C->FParent)
    for (const TFieldInfo& F : C->FFields)
      if (CompareAsciiText(F.Name, Name) == 0) return &F;
  return nullptr;
}
