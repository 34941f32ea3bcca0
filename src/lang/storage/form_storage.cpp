#include "lang/storage/form_storage.h"

#include <cstdio>

#include "component/class_registry.h"
#include "core/rtti.h"
#include "ui/form.h"

namespace {

const String StateNames[] = {u"Normal", u"Minimized", u"Maximized"};

constexpr HKEY RootKeys[] = {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT,   HKEY_LOCAL_MACHINE,
                             HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};

}  // namespace

const TTypeInfo& TypeInfoTMyHKeyType() {
  static const TTypeInfo T = EnumTypeInfo(
      u"TMyHKeyType", {u"lcHKEY_CURRENT_USER", u"lcHKEY_CLASSES_ROOT", u"lcHKEY_LOCAL_MACHINE",
                       u"lcHKEY_USERS", u"lcHKEY_CURRENT_CONFIG", u"lcHKEY_DYN_DATA"});
  return T;
}

const TClassType& TlcFormStorage::StaticClassType() {
  static const TClassType T(u"TlcFormStorage", &TComponent::StaticClassType(), [](TClassType& C) {
    using S = TlcFormStorage;
    TPropsOf<S>(C)
        .Ord(u"Active", TypeInfoBoolean(), &S::Active, &S::SetActive, 1)
        .Ord(u"RegRootKey", TypeInfoTMyHKeyType(), &S::RegRootKey, &S::SetRegRootKey,
             lcHKEY_CURRENT_USER)
        .Str(u"SubKey", &S::SubKey, &S::SetSubKey);
    C.Create = [](TObject* Owner) -> TObject* {
      return new TlcFormStorage(dynamic_cast<TComponent*>(Owner));
    };
  });
  return T;
}

TComponent* TlcFormStorage::CheckForm(TComponent* AOwner) {
  if (AOwner && !AOwner->Is<TForm>()) throw EInvalidCast(u"Invalid class typecast");
  return AOwner;
}

TlcFormStorage::TlcFormStorage(TComponent* AOwner)
    : TComponent(CheckForm(AOwner)), FForm(static_cast<TForm*>(AOwner)) {}

TlcFormStorage::~TlcFormStorage() {
  SaveSettings();
}

void TlcFormStorage::FinishLoading() {
  TComponent::FinishLoading();
  ReadSettings();
}

void TlcFormStorage::SetSubKey(const String& Value) {
  if (Value != FSubKey) FSubKey = Value;
}

void TlcFormStorage::SetRegRootKey(TMyHKeyType Value) {
  if (Value == FRegRootKey || Value > lcHKEY_DYN_DATA) return;
  FRegRootKey = Value;
  FRootKey = RootKeys[Value];
}

bool TlcFormStorage::Skipped() const {
  return !FActive || HasState(csDesigning) || !FForm;
}

void TlcFormStorage::Report(const String& Message) {
  FLastError = Message;
  if (!Message.empty())
    std::fprintf(stderr, "%s: %s\n", ToUtf8(ClassName()).c_str(), ToUtf8(Message).c_str());
}

void TlcFormStorage::SaveSettings() {
  if (Skipped()) return;
  // This runs while the form is destroyed: a registry that cannot be written is reported, and
  // the destruction goes on.
  try {
    TRegistry Reg(KEY_ALL_ACCESS);
    Reg.SetRootKey(FRootKey);
    if (!Reg.OpenKey(FSubKey, true)) {
      Report(Reg.LastError());
      return;
    }
    const TWindowState State = FForm->WindowState();
    Reg.WriteString(u"State", StateNames[State]);
    if (State == wsNormal) {
      Reg.WriteInteger(u"Top", FForm->Top());
      Reg.WriteInteger(u"Left", FForm->Left());
      Reg.WriteInteger(u"Height", FForm->Height());
      Reg.WriteInteger(u"Width", FForm->Width());
    }
    FLastError.clear();
  } catch (const Exception& E) {
    Report(E.Message());
  }
}

void TlcFormStorage::ReadSettings() {
  if (Skipped()) return;
  const int Left = FForm->Left(), Top = FForm->Top(), Height = FForm->Height(),
            Width = FForm->Width();
  const TWindowState WindowState = FForm->WindowState();
  TRegistry Reg(KEY_ALL_ACCESS);
  Reg.SetRootKey(FRootKey);
  const bool Opened = Reg.OpenKey(FSubKey, false);
  // A registry file that cannot be read leaves the form as it is, and says why.
  Report(Reg.LastError());
  if (!Opened) {
    // Nothing stored yet (a first run, or a file that was missing): say so, it is no error.
    if (Reg.LastError().empty())
      std::fprintf(stderr, "%s: no stored position under \"%s\\%s\"; the form keeps its own.\n",
                   ToUtf8(ClassName()).c_str(), ToUtf8(RootKeyName(FRootKey)).c_str(),
                   ToUtf8(FSubKey).c_str());
    return;
  }
  try {
    if (Reg.ReadString(u"State").empty()) return;
    FForm->SetTop(Reg.ReadInteger(u"Top"));
    FForm->SetLeft(Reg.ReadInteger(u"Left"));
    FForm->SetHeight(Reg.ReadInteger(u"Height"));
    FForm->SetWidth(Reg.ReadInteger(u"Width"));
    // The third character tells the states apart; a shorter text leaves the state alone.
    const String State = Reg.ReadString(u"State");
    const char16_t Third = State.size() >= 3 ? State[2] : u'\0';
    if (Third == u'n')
      FForm->SetWindowState(wsMinimized);
    else if (Third == u'r')
      FForm->SetWindowState(wsNormal);
    else if (Third == u'x')
      FForm->SetWindowState(wsMaximized);
  } catch (const Exception&) {
    // Missing or mistyped bounds (a first run that ended maximized) put the form back.
    FForm->SetBounds(Left, Top, Width, Height);
    FForm->SetWindowState(WindowState);
  }
}

void RegisterFormStorageClass() {
  if (!GetClass(u"TlcFormStorage")) RegisterClass(TlcFormStorage::StaticClassType());
}

namespace {
// Unit start-up: a form stream can hold a form position store.
const bool FormStorageRegistered = (RegisterFormStorageClass(), true);
}  // namespace
