#pragma once
// A published property's value as text and back, by its type kind: integers in decimal,
// characters as themselves, enumerations by identifier, sets as "a,b", floats in the general
// form, strings as they are. Object, method and the other kinds have no text.
#include "core/rtti.h"

// "" for a property without reader and for the kinds without text.
String GetPropText(const TObject& Instance, const TPropInfo& Prop);
// Raises EConvertError when Text is no value of the property's type (the property keeps its
// value), EPropertyError "Invalid property element: %s" for an unknown set element, and
// EPropertyError "Property %s is read-only" without a writer; the kinds without text are left.
void SetPropText(TObject& Instance, const TPropInfo& Prop, const String& Text);
