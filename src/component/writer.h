#pragma once
// The component writer: a component with its stored properties and its children as one
// self-delimiting binary image (see stream_format.h for the tags).
//
// Published properties go out in declaration order, ancestors' first, then what
// DeclareStoredData declares. A property is left out when it is not stored, when it equals the
// ancestor's value (writing with an ancestor), or else when it holds its default: the declared
// default of an ordinal, an empty string, 0.0, an unassigned event, a nil reference, an empty
// string list or collection.
#include <cstdint>
#include <string>

#include "component/filer.h"
#include "component/stream_format.h"
#include "core/stream.h"
#include "core/ustring.h"

class TCollection;
class TComponent;
class TObject;
struct TPropInfo;
struct TTypeInfo;

class TWriter : public TFiler {
 public:
  explicit TWriter(TStream& Stream) : FStream(Stream) {}

  // The signature, then Root's image with its children. With Ancestor (the form an inherited
  // form derives from), values equal to the ancestor's are left out, and components that the
  // ancestor has too are marked inherited.
  void WriteDescendent(TComponent& Root, TComponent* Ancestor);

  TComponent* Root() const { return FRoot; }

  // Values, for the writers that DeclareStoredData hands to DefineProperty.
  void WriteInteger(int64_t Value);  // the smallest integer tag that holds it
  void WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
  void WriteFloat(double Value);          // vaDouble
  void WriteString(const String& Value);  // vaString for ASCII up to 255 bytes, else vaWString
  void WriteIdent(const String& Ident);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }

  // The pieces of the format, shared with the text form converter.
  void WriteSignature();
  void WriteValue(TValueType Value) { FStream.WriteU8(Value); }
  void WriteStr(const String& Name);  // short string: a length byte, then UTF-8
  void WritePrefix(uint8_t Flags, int32_t ChildPos);
  void WriteBinary(const std::string& Bytes);  // vaBinary, 32-bit count, payload

  void DefineProperty(const String& Name, const std::function<void(TReader&)>& ReadData,
                      const std::function<void(TWriter&)>& WriteData, bool HasData) override;
  void DefineBinaryProperty(const String& Name, const std::function<void(TStream&)>& ReadData,
                            const std::function<void(TStream&)>& WriteData, bool HasData) override;

 private:
  void WriteComponentImage(TComponent& C, TComponent* Ancestor);
  void WriteProperties(TObject& Instance, TObject* Ancestor);
  void WriteProperty(TObject& Instance, const TPropInfo& P, TObject* Ancestor);
  void WriteOrdinal(const TTypeInfo& Type, int64_t Value);
  void WriteObjectProperty(TObject& Instance, const TPropInfo& P, TObject* Ancestor);
  void WriteCollection(TCollection& C);
  std::string CollectionImage(TCollection& C, TComponent* Root);
  String ReferenceName(const TComponent* C, const TComponent* SideRoot) const;
  void WritePropName(const String& Name) { WriteStr(FPropPath + Name); }
  void Nest();

  TStream& FStream;
  TComponent* FRoot = nullptr;
  TComponent* FRootAncestor = nullptr;
  String FPropPath;  // "Font." while a sub-object's properties are written
  int FDepth = 0;
};

// Writes Root (and its children) with the signature at the stream's position.
void WriteComponent(TStream& Stream, TComponent& Root, TComponent* Ancestor = nullptr);
