#pragma once
// A registry of our own: keys and named values (strings and 32-bit integers) under the
// predefined root keys, opened, read and written the way the class library's registry class
// does it. Where the trees live is up to a store: files under the user's configuration folder
// (the default), or memory for tests.
#include <cstdint>
#include <functional>
#include <memory>

#include "core/exceptions.h"
#include "os/registry_tree.h"

using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006;
inline constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;

// "HKEY_CURRENT_USER" ..., or "" for a handle that is not a root key.
String RootKeyName(HKEY Root);

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class TRegistryStore {
 public:
  virtual ~TRegistryStore() = default;
  // The root's tree as stored now. A stored tree that cannot be read gives an empty tree and
  // the reason in Error, naming the file and the line where there is one.
  virtual TRegTree Read(HKEY Root, String& Error) = 0;
  // Stores the root's whole tree; ERegistryException with the reason when it cannot.
  virtual void Write(HKEY Root, const TRegTree& Tree) = 0;
  // Reads the root's tree (Error as for Read), lets Change alter it and stores it, with no
  // other write of the root in between; returns the tree as stored.
  virtual TRegTree Update(HKEY Root, String& Error, const std::function<void(TRegTree&)>& Change);
};

class TMemoryRegistryStore : public TRegistryStore {
 public:
  TRegTree Read(HKEY Root, String& Error) override;
  void Write(HKEY Root, const TRegTree& Tree) override;

 private:
  std::map<HKEY, TRegTree> FTrees;
};

// One registry file per root, named after it ("HKEY_CURRENT_USER.reg"), in Folder. A file is
// replaced safely on every write; one that cannot be read is kept beside it as ".bad" when the
// root is written again. An update keeps the folder locked from the read to the write, so that
// programs writing one root at once keep all their values.
class TFileRegistryStore : public TRegistryStore {
 public:
  explicit TFileRegistryStore(String Folder);
  TRegTree Read(HKEY Root, String& Error) override;
  void Write(HKEY Root, const TRegTree& Tree) override;
  TRegTree Update(HKEY Root, String& Error, const std::function<void(TRegTree&)>& Change) override;
  String FileName(HKEY Root) const;

  // $XDG_CONFIG_HOME, else ~/.config, and "lcregistry" in it.
  static String DefaultFolder();

 private:
  String FFolder;
};

// The store that registries use when they are not given one; the file store in the default
// folder until SetRegistryStore names another (nullptr goes back to it).
TRegistryStore& RegistryStore();
void SetRegistryStore(TRegistryStore* Store);

class TRegistry {
 public:
  explicit TRegistry(uint32_t Access = KEY_ALL_ACCESS, TRegistryStore* Store = nullptr);

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);
  // Opens Key below the root (creating it and its parents with CanCreate); false when it does
  // not exist and may not be created, or cannot be stored. LastError tells why a stored tree
  // could not be read or a key not be created.
  bool OpenKey(const String& Key, bool CanCreate);
  void CloseKey();
  const String& CurrentPath() const { return FCurrentPath; }
  const String& LastError() const { return FLastError; }

  bool ValueExists(const String& Name) const;
  // "" for an absent value; ERegistryException "Invalid data type for '%s'" for an integer.
  String ReadString(const String& Name) const;
  // ERegistryException for an absent value or a string ("Invalid data type for '%s'").
  int ReadInteger(const String& Name) const;
  // Written at once; ERegistryException "Failed to set data for '%s'" and why, when it cannot.
  void WriteString(const String& Name, const String& Value);
  void WriteInteger(const String& Name, int Value);

  uint32_t Access() const { return FAccess; }

 private:
  const TRegValue* Find(const String& Name) const;
  void Write(const String& Name, const TRegValue& Value);

  uint32_t FAccess;
  TRegistryStore& FStore;
  HKEY FRootKey = HKEY_CURRENT_USER;
  bool FOpen = false;
  String FCurrentPath;
  TRegTree FTree;  // the root's tree as read when the key was opened
  String FLastError;
};
