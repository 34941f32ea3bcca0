#pragma once
// Translation lines: a name, then one text per language, each field followed by the delimiter.
// Index helpers count fields from 0 (0 = name); position helpers count from 1 (1 = name).
#include <cstdint>
#include <string_view>

#include "core/ustring.h"

class TStrings;
class TComponent;
class TObject;
struct TPropInfo;

String GetField(std::u16string_view S, uint8_t Delim, int Index);
String GetFieldW(std::u16string_view S, char16_t Delim, int Index);
int PosOf(const String& Sub, const String& S);
int FieldPosition(int N, const String& S, const String& Delims);
// Where field N starts, as FieldPosition finds it; 0 when S has no field N.
int FieldStart(int N, const String& S, const String& Delims);
int CountDelimiters(const String& S, const String& Delims);
String ExtractFieldN(int N, const String& S, const String& Delims);
String ReplaceText(const String& S, const String& OldPattern, const String& NewPattern);
String DeleteLangColumn(const String& S, int Index, uint8_t Delim);
void DeleteLangColumnInList(TStrings& List, int Index, uint8_t Delim);
String MoveLangColumn(const String& S, int FromIndex, int ToIndex, uint8_t Delim);
void MoveLangColumnInList(TStrings& List, int FromIndex, int ToIndex, uint8_t Delim);

// Object-typed published properties; setting checks the object's class against the property's
// (EInvalidCast "Invalid class typecast" otherwise).
void SetObjectPropValue(TComponent& Component, const TPropInfo& Prop, TObject* Value);
TObject* GetObjectPropValue(const TObject& Object, const TPropInfo& Prop);
