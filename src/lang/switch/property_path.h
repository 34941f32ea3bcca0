#pragma once
// Property paths from a form: "TfmMain.Caption", "Button1.Font.Name",
// "Grid1.Columns[2].Title.Caption". The first segment is the root: the owner form when the path
// begins with the form's class name and "." (respecting case), else the form's component of
// that name (ignoring case). Each middle segment names a published property whose object
// becomes the current object (with "[i]", item i of the collection it holds); the last segment
// names the property.
#include "core/rtti.h"

class TComponent;

// The object that holds the path's last property; nullptr for a path without ".", an unknown
// root, or a middle property that is missing, holds a plain value or holds no object. A path
// that goes on past such a segment raises the property list's "NIL passed as AObject in
// TlcPropInfoList.Create!"; an index that is not an integer raises EConvertError, one outside
// the collection EListError.
TObject* ObjectByPath(const TComponent* Form, const String& Path);
// The text after the path's last ".".
String PathPropertyName(const String& Path);
// The last property of the path on Object (ignoring case); nullptr for no object or no property.
const TPropInfo* PathProperty(const TObject* Object, const String& Path);
