#pragma once
// Published properties: the run-time type information the library walks. One TClassType per
// class, declared next to the class with a short table (see TPropsOf), holding the published
// properties in declaration order, the published methods (event handlers a stream can bind)
// and the published fields (component references a form receives when it is read).
#include <any>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/event.h"
#include "core/object.h"
#include "core/ustring.h"

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray,
  tkUString,
  tkClassRef,
  tkPointer,
  tkProcedure
};

// A set of type kinds as a 32-bit mask, bit n standing for kind n.
struct TTypeKinds {
  uint32_t Mask = 0;
  constexpr bool Contains(TTypeKind K) const { return (Mask >> K) & 1u; }
};

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  String Name;
  std::vector<String> EnumNames;          // tkEnumeration: names by ordinal
  const TTypeInfo* CompType = nullptr;    // tkSet: the element enumeration
  const TClassType* ClassType = nullptr;  // tkClass
  int64_t MinValue = 0, MaxValue = 0;     // ordinal range
};

// Standard types.
const TTypeInfo& TypeInfoInteger();    // tkInteger, 32-bit signed
const TTypeInfo& TypeInfoByte();       // tkInteger 0..255
const TTypeInfo& TypeInfoWord();       // tkInteger 0..65535
const TTypeInfo& TypeInfoCardinal();   // tkInteger 0..4294967295
const TTypeInfo& TypeInfoInt64();      // tkInt64
const TTypeInfo& TypeInfoBoolean();    // tkEnumeration False, True
const TTypeInfo& TypeInfoWideChar();   // tkWChar
const TTypeInfo& TypeInfoDouble();     // tkFloat
const TTypeInfo& TypeInfoString();     // tkUString "string"
const TTypeInfo& TypeInfoTTypeKind();  // tkEnumeration of TTypeKind's names

// Type information of a program's own types.
TTypeInfo OrdinalTypeInfo(TTypeKind Kind, String Name, int64_t Min, int64_t Max);
TTypeInfo EnumTypeInfo(String Name, std::vector<String> Names);
TTypeInfo SetTypeInfo(String Name, const TTypeInfo& Element);
TTypeInfo MethodTypeInfo(String Name);

String GetEnumName(const TTypeInfo& Type, int64_t Value);     // "" outside the range
int GetEnumValue(const TTypeInfo& Type, const String& Name);  // -1 when absent (ASCII case fold)
// A set (bit n = element n) as its element names joined by ",", without brackets, and back:
// brackets and blanks around the names are allowed, an unknown name raises EPropertyError
// "Invalid property element: %s".
String SetToString(const TTypeInfo& SetType, int64_t Value);
int64_t StringToSet(const TTypeInfo& SetType, const String& Text);

// The handler a published method makes for one instance: a std::function of the method's own
// signature inside std::any; an event property takes it when the signatures agree.
struct TMethodBinding {
  String Name;
  std::any Handler;
};

struct TPropInfo {
  String Name;
  const TTypeInfo* PropType = nullptr;
  int Index = 0;                                  // declaration order within its class
  std::function<int64_t(const TObject&)> GetOrd;  // integers, chars, enumerations, sets (mask)
  std::function<void(TObject&, int64_t)> SetOrd;
  std::function<double(const TObject&)> GetFloat;
  std::function<void(TObject&, double)> SetFloat;
  std::function<String(const TObject&)> GetStr;
  std::function<void(TObject&, const String&)> SetStr;
  std::function<TObject*(const TObject&)> GetObj;
  std::function<void(TObject&, TObject*)> SetObj;
  std::function<String(const TObject&)> GetMethodName;             // "" when unassigned
  std::function<bool(TObject&, const TMethodBinding&)> SetMethod;  // false: signature mismatch
  std::function<bool(const TObject&)> IsStored;                    // empty: always stored
  std::optional<int64_t> Default;  // ordinal default; none: no default

  bool HasReader() const;
  bool HasWriter() const;
  bool Stored(const TObject& Instance) const { return !IsStored || IsStored(Instance); }
};

struct TMethodInfo {
  String Name;
  std::function<std::any(TObject&)> Bind;
};

struct TFieldInfo {
  String Name;
  std::function<void(TObject&, TObject*)> Set;  // takes nullptr or an object of the right class
  std::function<TObject*(const TObject&)> Get;
};

class TClassType {
 public:
  using Filler = std::function<void(TClassType&)>;
  TClassType(String Name, const TClassType* Parent, const Filler& Fill = {});
  TClassType(const TClassType&) = delete;
  TClassType& operator=(const TClassType&) = delete;

  const String& Name() const { return FName; }
  const TClassType* Parent() const { return FParent; }
  const TTypeInfo& TypeInfo() const { return FInfo; }
  bool InheritsFrom(const TClassType& Other) const;

  // Own published members in declaration order.
  const std::vector<TPropInfo>& OwnProps() const { return FProps; }
  // Ancestors' properties first, then this class's, each in declaration order (stream order).
  std::vector<const TPropInfo*> AllProps() const;
  // Published properties whose kind is in Kinds, ancestors included, sorted by name ignoring
  // ASCII case (a name before any longer name that begins with it).
  std::vector<const TPropInfo*> PropList(TTypeKinds Kinds) const;
  const TPropInfo* FindProp(const String& Name) const;  // ASCII case fold, ancestors included
  const TMethodInfo* FindMethod(const String& Name) const;
  const TFieldInfo* FindField(const String& Name) const;
  // Own published fields in declaration order.
  const std::vector<TFieldInfo>& OwnFields() const { return FFields; }

  // Creation by class name: the owner is a TComponent for components, a TCollection for items.
  std::function<TObject*(TObject* Owner)> Create;

  TPropInfo& AddProp(TPropInfo P);
  void AddMethod(TMethodInfo M) { FMethods.push_back(std::move(M)); }
  void AddField(TFieldInfo F) { FFields.push_back(std::move(F)); }

 private:
  String FName;
  const TClassType* FParent;
  TTypeInfo FInfo;
  std::vector<TPropInfo> FProps;
  // Every published property by name, ancestors included, built on the first search.
  mutable std::once_flag FIndexed;
  mutable std::unordered_map<String, const TPropInfo*, TAsciiFoldHash, TAsciiFoldEqual> FIndex;
  // Every published property sorted by name, built on the first list asked for.
  mutable std::once_flag FSortedOnce;
  mutable std::vector<const TPropInfo*> FSorted;
  std::vector<TMethodInfo> FMethods;
  std::vector<TFieldInfo> FFields;
};

// Short declarative tables of published members for class T:
//   TPropsOf<TFoo>(C).Ord(u"Count", TypeInfoInteger(), &TFoo::GetCount, &TFoo::SetCount, 0)
//                    .Str(u"Caption", &TFoo::GetCaption, &TFoo::SetCaption);
template <class T>
class TPropsOf {
 public:
  explicit TPropsOf(TClassType& C) : FC(C) {}

  template <class G, class S>
  TPropsOf& Ord(String Name, const TTypeInfo& Type, G Get, S Set,
                std::optional<int64_t> Default = std::nullopt,
                bool (T::*Stored)() const = nullptr) {
    TPropInfo P = NewProp(std::move(Name), &Type);
    P.GetOrd = [Get](const TObject& O) {
      return static_cast<int64_t>(std::invoke(Get, static_cast<const T&>(O)));
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      P.SetOrd = [Set](TObject& O, int64_t V) {
        using Arg = typename SetterArg<S>::Type;
        std::invoke(Set, static_cast<T&>(O), static_cast<Arg>(V));
      };
    }
    P.Default = Default;
    SetStored(P, Stored);
    FC.AddProp(std::move(P));
    return *this;
  }

  template <class G, class S>
  TPropsOf& Str(String Name, G Get, S Set, bool (T::*Stored)() const = nullptr,
                const TTypeInfo& Type = TypeInfoString()) {
    TPropInfo P = NewProp(std::move(Name), &Type);
    P.GetStr = [Get](const TObject& O) {
      return String(std::invoke(Get, static_cast<const T&>(O)));
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      P.SetStr = [Set](TObject& O, const String& V) { std::invoke(Set, static_cast<T&>(O), V); };
    }
    SetStored(P, Stored);
    FC.AddProp(std::move(P));
    return *this;
  }

  template <class G, class S>
  TPropsOf& Float(String Name, G Get, S Set, bool (T::*Stored)() const = nullptr) {
    TPropInfo P = NewProp(std::move(Name), &TypeInfoDouble());
    P.GetFloat = [Get](const TObject& O) {
      return static_cast<double>(std::invoke(Get, static_cast<const T&>(O)));
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      P.SetFloat = [Set](TObject& O, double V) { std::invoke(Set, static_cast<T&>(O), V); };
    }
    SetStored(P, Stored);
    FC.AddProp(std::move(P));
    return *this;
  }

  // An object property of class Cls. Set may be nullptr (read-only sub-object such as Font,
  // whose own properties the stream reads and writes in place).
  template <class G, class S>
  TPropsOf& Obj(String Name, const TClassType& Cls, G Get, S Set,
                bool (T::*Stored)() const = nullptr) {
    TPropInfo P = NewProp(std::move(Name), &Cls.TypeInfo());
    P.GetObj = [Get](const TObject& O) -> TObject* {
      return std::invoke(Get, static_cast<const T&>(O));
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      P.SetObj = [Set](TObject& O, TObject* V) {
        using Arg = typename SetterArg<S>::Type;
        std::invoke(Set, static_cast<T&>(O), dynamic_cast<Arg>(V));
      };
    }
    SetStored(P, Stored);
    FC.AddProp(std::move(P));
    return *this;
  }

  // An event property held in a TEvent field.
  template <class... A>
  TPropsOf& Event(String Name, const TTypeInfo& Type, TEvent<A...> T::*Field) {
    TPropInfo P = NewProp(std::move(Name), &Type);
    P.GetMethodName = [Field](const TObject& O) {
      const auto& E = static_cast<const T&>(O).*Field;
      return E ? E.MethodName() : String();
    };
    P.SetMethod = [Field](TObject& O, const TMethodBinding& B) {
      using Fn = typename TEvent<A...>::Handler;
      auto& E = static_cast<T&>(O).*Field;
      if (!B.Handler.has_value()) {
        E = {};
        return true;
      }
      const Fn* F = std::any_cast<Fn>(&B.Handler);
      if (!F) return false;
      E = TEvent<A...>(*F, B.Name);
      return true;
    };
    FC.AddProp(std::move(P));
    return *this;
  }

  // A published method that a stream can bind to an event of a compatible signature.
  template <class... A>
  TPropsOf& Method(String Name, void (T::*M)(A...)) {
    FC.AddMethod({std::move(Name), [M](TObject& O) -> std::any {
                    T* Self = &static_cast<T&>(O);
                    return std::function<void(A...)>(
                        [Self, M](A... Args) { (Self->*M)(std::forward<A>(Args)...); });
                  }});
    return *this;
  }

  // A published field that receives the component of the same name when a form is read.
  template <class C>
  TPropsOf& Field(String Name, C* T::*F) {
    FC.AddField({std::move(Name),
                 [F](TObject& O, TObject* V) { static_cast<T&>(O).*F = dynamic_cast<C*>(V); },
                 [F](const TObject& O) -> TObject* { return static_cast<const T&>(O).*F; }});
    return *this;
  }

 private:
  static TPropInfo NewProp(String Name, const TTypeInfo* Type) {
    TPropInfo P;
    P.Name = std::move(Name);
    P.PropType = Type;
    return P;
  }

  template <class S>
  struct SetterArg;
  template <class C, class V>
  struct SetterArg<void (C::*)(V)> {
    using Type = std::remove_cvref_t<V>;
  };
  template <class V>
  struct SetterArg<void (*)(T&, V)> {
    using Type = std::remove_cvref_t<V>;
  };

  static void SetStored(TPropInfo& P, bool (T::*Stored)() const) {
    if (Stored)
      P.IsStored = [Stored](const TObject& O) { return (static_cast<const T&>(O).*Stored)(); };
  }

  TClassType& FC;
};
