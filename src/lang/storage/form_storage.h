#pragma once
// The form position store: a component a form owns that writes the form's window state and, for
// a normal window, its bounds to the registry when it is destroyed, and reads them back when the
// form has finished loading.
#include <cstdint>

#include "component/component.h"
#include "core/rtti.h"
#include "os/registry.h"

class TForm;

enum TMyHKeyType : uint8_t {
  lcHKEY_CURRENT_USER,
  lcHKEY_CLASSES_ROOT,
  lcHKEY_LOCAL_MACHINE,
  lcHKEY_USERS,
  lcHKEY_CURRENT_CONFIG,
  lcHKEY_DYN_DATA
};
const TTypeInfo& TypeInfoTMyHKeyType();

class TlcFormStorage : public TComponent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // EInvalidCast "Invalid class typecast" when AOwner is given and is not a form. Without an
  // owner there is no form, and nothing is read or written.
  explicit TlcFormStorage(TComponent* AOwner);
  // Writes the settings; a failure is logged, never raised.
  ~TlcFormStorage() override;

  void ReadSettings();
  void FinishLoading() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  const String& SubKey() const { return FSubKey; }
  void SetSubKey(const String& Value);
  TMyHKeyType RegRootKey() const { return FRegRootKey; }
  void SetRegRootKey(TMyHKeyType Value);
  HKEY RootKey() const { return FRootKey; }

  // Why the stored settings could not be read or written the last time, or "". The same text
  // goes to the standard error stream as a log line.
  const String& LastError() const { return FLastError; }

 private:
  static TComponent* CheckForm(TComponent* AOwner);
  void SaveSettings();
  bool Skipped() const;
  void Report(const String& Message);

  bool FActive = true;
  String FSubKey;
  TMyHKeyType FRegRootKey = lcHKEY_CURRENT_USER;
  HKEY FRootKey = HKEY_CURRENT_USER;
  TForm* FForm = nullptr;
  String FLastError;
};

// Registers TlcFormStorage with the class registry (once), so a form stream can create it.
void RegisterFormStorageClass();
