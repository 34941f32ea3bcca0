#pragma once
// The component reader: one binary image (see stream_format.h) back into components.
//
// Reading is bounded and checked: truncated data, an unknown property, a value the property
// cannot take or a count beyond the bytes left raise EReadError; an unknown class raises
// EClassNotFound. Unresolvable component references and event handlers are skipped.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "component/component.h"
#include "component/filer.h"
#include "component/stream_format.h"
#include "core/ustring.h"

class TCollection;
class TObject;
class TStrings;
struct TFieldInfo;
struct TPropInfo;
struct TTypeInfo;

class TReader : public TFiler {
 public:
  explicit TReader(TStream& Stream) : FStream(Stream) {}

  // Reads one image, signature included, into Instance, or into a new instance without owner
  // of the class the image names (the caller owns it). Instance keeps a name it already has.
  // Every component read carries csLoading and csReading while its properties are set, in
  // stream order; children are created with the root as owner, get SetParentComponent with the
  // component they are nested in, and fill the root's published field of their name. After the
  // whole image, references are resolved, FinishLoading runs on each component in the order
  // they were read, and then AfterLoading on the root. On an error the components created by
  // this call are freed and the exception propagates.
  TComponent* ReadRootComponent(TComponent* Instance);

  TComponent* Root() const { return FRoot; }

  // Values, for the readers that DeclareStoredData hands to DefineProperty. A value of another
  // kind raises EReadError "Invalid property value".
  TValueType NextValue();  // without consuming it
  TValueType ReadValue();
  bool EndOfList() { return NextValue() == vaNull; }
  void ReadListBegin() { Expect(vaList); }
  void ReadListEnd() { Expect(vaNull); }
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  double ReadFloat();  // any float tag or an integer
  String ReadString();
  String ReadIdent();  // vaIdent, or False/True/nil for their tags

  // The pieces of the format, shared with the text form converter.
  void ReadSignature();  // EReadError "Invalid stream format"
  String ReadStr();
  void ReadPrefix(uint8_t& Flags, int32_t& ChildPos);
  std::string ReadBinary();  // after vaBinary: the counted payload

  void DefineProperty(const String& Name, const std::function<void(TReader&)>& ReadData,
                      const std::function<void(TWriter&)>& WriteData, bool HasData) override;
  void DefineBinaryProperty(const String& Name, const std::function<void(TStream&)>& ReadData,
                            const std::function<void(TStream&)>& WriteData, bool HasData) override;

 private:
  struct TFixup {
    TObject* Instance;
    const TPropInfo* Prop;
    String Name;
    std::vector<TCollection*> Within;  // collections whose clearing would free Instance
  };

  TComponent* CreateComponent(const String& ClassName, TComponent* Owner);
  void BeginLoading(TComponent& C);
  void ReadChildren(TComponent& Parent);
  void ReadChild(TComponent& Parent);
  void ReadProperties(TObject& Instance);
  void ReadProperty(TObject& Instance);
  void ReadNamedValue(TObject& Instance, const String& Name, const String& Path);
  void ReadPropValue(TObject& Instance, const TPropInfo& P);
  int64_t ReadOrdinal(const TTypeInfo& Type);
  void ReadObjectValue(TObject& Instance, const TPropInfo& P);
  void ReadMethod(TObject& Instance, const TPropInfo& P);
  void ReadCollection(TCollection& C);
  void ReadStrings(TStrings& S);
  int64_t ReadIntegerBody(TValueType Va);
  void Expect(TValueType Va);
  void Nest();
  TComponent* FindReference(const String& Name) const;
  void ResolveFixups();
  void Abandon(bool RootCreated);

  TStream& FStream;
  TComponent* FRoot = nullptr;
  std::vector<TComponent*> FLoaded;  // in reading order
  std::unordered_set<TComponent*> FLoadedSet;
  std::vector<TComponent*> FCreated;       // freed again when the read fails
  std::vector<const TFieldInfo*> FFields;  // root fields that point at created components
  std::vector<TFixup> FFixups;
  std::vector<TCollection*> FCollections;  // collections whose items are being read
  String FPropName;                        // the property DeclareStoredData is asked about
  bool FPropDone = false;
  int FDepth = 0;
};

// Reads an image into Instance, or into a new instance without owner when Instance is null;
// the caller then owns the result (ReadComponentOwned hands it over as a TComponentPtr).
TComponent* ReadComponent(TStream& Stream, TComponent* Instance);
TComponentPtr<TComponent> ReadComponentOwned(TStream& Stream);
