#pragma once
// The root of the class hierarchy: every object knows its run-time class type, so published
// properties, class names and is-a tests work the way the class library's do.
#include "core/ustring.h"

class TClassType;
class TFiler;

class TObject {
 public:
  virtual ~TObject() = default;
  static const TClassType& StaticClassType();
  virtual const TClassType& ClassType() const { return StaticClassType(); }
  String ClassName() const;
  bool InheritsFrom(const TClassType& Type) const;
  template <class T>
  bool Is() const {
    return InheritsFrom(T::StaticClassType());
  }
};

class TPersistent : public TObject {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // Copies Source into this object; the fallback asks Source to AssignTo this, and raises
  // EConvertError "Cannot assign a %s to a %s" when neither side knows the other.
  virtual void Assign(const TPersistent& Source);
  // Declares extra stored properties (binary or custom) for the component stream.
  virtual void DeclareStoredData(TFiler& Filer);
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent& Dest) const;
};
