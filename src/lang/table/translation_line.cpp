#include "lang/table/translation_line.h"

#include "component/component.h"
#include "core/exceptions.h"
#include "core/rtti.h"
#include "core/strings.h"

String GetFieldW(std::u16string_view S, char16_t Delim, int Index) {
  if (Index < 0) return {};
  size_t Start = 0;
  for (int I = 0;; ++I) {
    const size_t P = S.find(Delim, Start);
    if (P == String::npos) return {};  // a field with no delimiter after it reads as ''
    if (I == Index) return String(S.substr(Start, P - Start));
    Start = P + 1;
  }
}

String GetField(std::u16string_view S, uint8_t Delim, int Index) {
  return GetFieldW(S, static_cast<char16_t>(Delim), Index);
}

int PosOf(const String& Sub, const String& S) {
  return Pos(Sub, S);
}

namespace {

bool IsDelim(char16_t C, const String& Delims) {
  return Delims.find(C) != String::npos;
}

}  // namespace

int FieldStart(int N, const String& S, const String& Delims) {
  const int Len = static_cast<int>(S.size());
  int Count = 0, I = 1;
  while (I <= Len && Count != N) {
    if (IsDelim(S[I - 1], Delims)) ++I;  // one delimiter only: empty fields count
    if (I <= Len) {
      ++Count;
      if (Count == N) return I;
      while (I <= Len && !IsDelim(S[I - 1], Delims)) ++I;
    }
  }
  return 0;
}

int FieldPosition(int N, const String& S, const String& Delims) {
  const int P = FieldStart(N, S, Delims);
  return P ? P : static_cast<int>(S.size());
}

int CountDelimiters(const String& S, const String& Delims) {
  int N = 0;
  for (char16_t C : S)
    if (IsDelim(C, Delims)) ++N;
  return N;
}

String ExtractFieldN(int N, const String& S, const String& Delims) {
  const int P = FieldPosition(N, S, Delims);
  if (P == 0 || P == static_cast<int>(S.size())) return {};
  size_t End = P - 1;
  while (End < S.size() && !IsDelim(S[End], Delims)) ++End;
  return S.substr(P - 1, End - (P - 1));
}

String ReplaceText(const String& S, const String& OldPattern, const String& NewPattern) {
  return StringReplaceAll(S, OldPattern, NewPattern);
}

String DeleteLangColumn(const String& S, int Index, uint8_t Delim) {
  const String D(1, static_cast<char16_t>(Delim));
  String Result = GetField(S, Delim, 0) + D;
  const int N = CountDelimiters(S, D);
  for (int I = 1; I <= N; ++I)
    if (I != Index) Result += GetField(S, Delim, I) + D;
  return Result;
}

void DeleteLangColumnInList(TStrings& List, int Index, uint8_t Delim) {
  for (int I = List.Count() - 1; I >= 0; --I)
    List.Put(I, DeleteLangColumn(List.Get(I), Index, Delim));
}

String MoveLangColumn(const String& S, int FromIndex, int ToIndex, uint8_t Delim) {
  if (FromIndex == ToIndex) return S;
  const String D(1, static_cast<char16_t>(Delim));
  const int Last = CountDelimiters(S, D) - 1;
  const String Moved = GetField(S, Delim, FromIndex);
  String R = GetField(S, Delim, 0) + D;
  auto Append = [&](int From, int To) {
    for (int I = From; I <= To; ++I) R += GetField(S, Delim, I) + D;
  };
  if (FromIndex > ToIndex) {
    Append(1, ToIndex - 1);
    R += Moved + D;
    Append(ToIndex, FromIndex - 1);
    Append(FromIndex + 1, Last);
  } else {
    Append(1, FromIndex - 1);
    Append(FromIndex + 1, ToIndex);
    R += Moved + D;
    Append(ToIndex + 1, Last);
  }
  return R;
}

void MoveLangColumnInList(TStrings& List, int FromIndex, int ToIndex, uint8_t Delim) {
  if (FromIndex == ToIndex) return;
  for (int I = List.Count() - 1; I >= 0; --I)
    List.Put(I, MoveLangColumn(List.Get(I), FromIndex, ToIndex, Delim));
}

void SetObjectPropValue(TComponent& Component, const TPropInfo& Prop, TObject* Value) {
  const TClassType* Expected = Prop.PropType->ClassType;
  if (Prop.PropType->Kind != tkClass || !Prop.SetObj || !Expected ||
      (Value && !Value->InheritsFrom(*Expected)))
    throw EInvalidCast(u"Invalid class typecast");
  Prop.SetObj(Component, Value);
}

TObject* GetObjectPropValue(const TObject& Object, const TPropInfo& Prop) {
  if (Prop.PropType->Kind != tkClass || !Prop.GetObj) return nullptr;
  return Prop.GetObj(Object);
}
