#include "core/object.h"

#include "core/exceptions.h"
#include "core/rtti.h"

const TClassType& TObject::StaticClassType() {
  static const TClassType T(u"TObject", nullptr);
  return T;
}

String TObject::ClassName() const {
  return ClassType().Name();
}

bool TObject::InheritsFrom(const TClassType& Type) const {
  return ClassType().InheritsFrom(Type);
}

const TClassType& TPersistent::StaticClassType() {
  static const TClassType T(u"TPersistent", &TObject::StaticClassType());
  return T;
}

void TPersistent::Assign(const TPersistent& Source) {
  Source.AssignTo(*this);
}

void TPersistent::DeclareStoredData(TFiler&) {}

void TPersistent::AssignTo(TPersistent& Dest) const {
  throw EConvertError(Format(SAssignError, {ClassName(), Dest.ClassName()}));
}
