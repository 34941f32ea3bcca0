#include "os/registry.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "core/safe_file.h"
#include "core/save_lock.h"
#include "core/stream.h"

String RootKeyName(HKEY Root) {
  switch (Root) {
    case HKEY_CLASSES_ROOT:
      return u"HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
      return u"HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
      return u"HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
      return u"HKEY_USERS";
    case HKEY_CURRENT_CONFIG:
      return u"HKEY_CURRENT_CONFIG";
    case HKEY_DYN_DATA:
      return u"HKEY_DYN_DATA";
    default:
      return String();
  }
}

// ---- Stores --------------------------------------------------------------------------------

TRegTree TRegistryStore::Update(HKEY Root, String& Error,
                                const std::function<void(TRegTree&)>& Change) {
  TRegTree Tree = Read(Root, Error);
  Change(Tree);
  Write(Root, Tree);
  return Tree;
}

TRegTree TMemoryRegistryStore::Read(HKEY Root, String&) {
  return FTrees[Root];
}

void TMemoryRegistryStore::Write(HKEY Root, const TRegTree& Tree) {
  FTrees[Root] = Tree;
}

TFileRegistryStore::TFileRegistryStore(String Folder) : FFolder(std::move(Folder)) {}

String TFileRegistryStore::DefaultFolder() {
  const char* Config = std::getenv("XDG_CONFIG_HOME");
  if (Config && *Config == '/') return FromUtf8(Config) + u"/lcregistry";
  const char* Home = std::getenv("HOME");
  if (!Home || !*Home) {
    const passwd* User = ::getpwuid(::getuid());
    Home = User ? User->pw_dir : "/tmp";
  }
  return FromUtf8(Home) + u"/.config/lcregistry";
}

String TFileRegistryStore::FileName(HKEY Root) const {
  return FFolder + u"/" + RootKeyName(Root) + u".reg";
}

TRegTree TFileRegistryStore::Read(HKEY Root, String& Error) {
  TRegTree Tree;
  const String Name = FileName(Root);
  if (!std::filesystem::exists(ToUtf8(Name))) return Tree;
  TMemoryStream Bytes;
  try {
    Bytes.LoadFromFile(Name);
  } catch (const Exception& E) {
    Error = u"Cannot read the registry: " + E.Message();
    return Tree;
  }
  String Why;
  if (!TRegTree::Parse(Bytes.Bytes(), Tree, Why))
    Error = u"The registry file \"" + Name + u"\" is damaged (" + Why + u") and is not used.";
  return Tree;
}

namespace {

[[noreturn]] void RaiseWriteError(const String& Why) {
  throw ERegistryException(u"Cannot write the registry: " + Why);
}

}  // namespace

void TFileRegistryStore::Write(HKEY Root, const TRegTree& Tree) {
  const String Name = FileName(Root);
  const std::string Path = ToUtf8(Name);
  try {
    std::error_code Ignored;
    std::filesystem::create_directories(ToUtf8(FFolder), Ignored);
    TMemoryStream Old;
    TRegTree Unused;
    String Why;
    if (std::filesystem::exists(Path)) {
      Old.LoadFromFile(Name);
      // A file that cannot be read is not thrown away: it stays beside the new one.
      if (!TRegTree::Parse(Old.Bytes(), Unused, Why)) std::filesystem::rename(Path, Path + ".bad");
    }
    SaveBytesSafely(Name, Tree.Text());
  } catch (const Exception& E) {
    RaiseWriteError(E.Message());
  } catch (const std::filesystem::filesystem_error& E) {
    RaiseWriteError(FromUtf8(E.what()));
  }
}

TRegTree TFileRegistryStore::Update(HKEY Root, String& Error,
                                    const std::function<void(TRegTree&)>& Change) {
  // The folder has to be there to be locked.
  std::error_code Ignored;
  std::filesystem::create_directories(ToUtf8(FFolder), Ignored);
  std::optional<TSaveLock> Lock;
  try {
    Lock.emplace(FileName(Root));
  } catch (const Exception& E) {
    RaiseWriteError(E.Message());
  }
  return TRegistryStore::Update(Root, Error, Change);
}

namespace {

TRegistryStore* CurrentStore = nullptr;

}  // namespace

TRegistryStore& RegistryStore() {
  static TFileRegistryStore Files(TFileRegistryStore::DefaultFolder());
  return CurrentStore ? *CurrentStore : Files;
}

void SetRegistryStore(TRegistryStore* Store) {
  CurrentStore = Store;
}

// ---- TRegistry -----------------------------------------------------------------------------

TRegistry::TRegistry(uint32_t Access, TRegistryStore* Store)
    : FAccess(Access), FStore(Store ? *Store : RegistryStore()) {}

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey) return;
  CloseKey();
  FRootKey = Value;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  CloseKey();
  FLastError.clear();
  String Path;
  if (RootKeyName(FRootKey).empty() || !TRegTree::NormalPath(Key, Path)) return false;
  FTree = FStore.Read(FRootKey, FLastError);
  if (!FTree.KeyExists(Path)) {
    if (!CanCreate) return false;
    try {
      FTree =
          FStore.Update(FRootKey, FLastError, [&Path](TRegTree& Tree) { Tree.CreateKey(Path); });
    } catch (const ERegistryException& E) {
      FLastError = E.Message();
      return false;
    }
  }
  FCurrentPath = Path;
  FOpen = true;
  return true;
}

void TRegistry::CloseKey() {
  FOpen = false;
  FCurrentPath.clear();
}

const TRegValue* TRegistry::Find(const String& Name) const {
  const TRegKeyData* Key = FOpen ? FTree.FindKey(FCurrentPath) : nullptr;
  if (!Key) return nullptr;
  const auto It = Key->Values.find(Name);
  return It == Key->Values.end() ? nullptr : &It->second.second;
}

bool TRegistry::ValueExists(const String& Name) const {
  return Find(Name) != nullptr;
}

String TRegistry::ReadString(const String& Name) const {
  const TRegValue* V = Find(Name);
  if (!V) return String();
  if (V->IsInteger) throw ERegistryException(Format(u"Invalid data type for '%s'", {Name}));
  return V->Text;
}

int TRegistry::ReadInteger(const String& Name) const {
  const TRegValue* V = Find(Name);
  if (!V || !V->IsInteger) throw ERegistryException(Format(u"Invalid data type for '%s'", {Name}));
  return V->Number;
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  Write(Name, TRegValue{false, Value, 0});
}

void TRegistry::WriteInteger(const String& Name, int Value) {
  Write(Name, TRegValue{true, String(), Value});
}

void TRegistry::Write(const String& Name, const TRegValue& Value) {
  if (!FOpen) throw ERegistryException(Format(u"Failed to set data for '%s'", {Name}));
  // Written into the tree as stored now, so what others wrote meanwhile stays.
  String Ignored;
  try {
    FTree = FStore.Update(FRootKey, Ignored, [this, &Name, &Value](TRegTree& Tree) {
      Tree.CreateKey(FCurrentPath).Values[Name] = {Name, Value};
    });
  } catch (const ERegistryException& E) {
    throw ERegistryException(Format(u"Failed to set data for '%s'", {Name}) + u". " + E.Message());
  }
}
