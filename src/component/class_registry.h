#pragma once
// Classes the component stream can create by name. Names compare ignoring ASCII case.
#include <initializer_list>

#include "core/rtti.h"
#include "core/ustring.h"

// Registering the same class again changes nothing; another class of the same name raises
// EFilerError "A class named %s already exists".
void RegisterClass(const TClassType& Class);
void RegisterClasses(std::initializer_list<const TClassType*> Classes);
void UnRegisterClass(const TClassType& Class);
const TClassType* GetClass(const String& Name);   // nullptr when not registered
const TClassType& FindClass(const String& Name);  // EClassNotFound "Class %s not found"
