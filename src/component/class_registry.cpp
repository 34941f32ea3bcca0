#include "component/class_registry.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "component/names.h"
#include "core/exceptions.h"

namespace {

struct TRegistry {
  std::mutex Lock;
  std::vector<const TClassType*> Classes;
};

TRegistry& Registry() {
  static TRegistry R;
  return R;
}

const TClassType* Lookup(const std::vector<const TClassType*>& Classes, const String& Name) {
  for (const TClassType* C : Classes)
    if (SameName(C->Name(), Name)) return C;
  return nullptr;
}

}  // namespace

void RegisterClass(const TClassType& Class) {
  TRegistry& R = Registry();
  std::lock_guard Guard(R.Lock);
  if (const TClassType* Known = Lookup(R.Classes, Class.Name())) {
    if (Known == &Class) return;
    throw EFilerError(Format(u"A class named %s already exists", {Class.Name()}));
  }
  R.Classes.push_back(&Class);
}

void RegisterClasses(std::initializer_list<const TClassType*> Classes) {
  for (const TClassType* C : Classes) RegisterClass(*C);
}

void UnRegisterClass(const TClassType& Class) {
  TRegistry& R = Registry();
  std::lock_guard Guard(R.Lock);
  std::erase(R.Classes, &Class);
}

const TClassType* GetClass(const String& Name) {
  TRegistry& R = Registry();
  std::lock_guard Guard(R.Lock);
  return Lookup(R.Classes, Name);
}

const TClassType& FindClass(const String& Name) {
  const TClassType* C = GetClass(Name);
  if (!C) throw EClassNotFound(Format(u"Class %s not found", {Name}));
  return *C;
}
