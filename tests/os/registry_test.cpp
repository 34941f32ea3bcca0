#include "os/registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/safe_file.h"
#include "core/stream.h"
#include "temp_folder.h"
#include "two_processes.h"

namespace {

std::string ReadAll(const String& Name) {
  TMemoryStream M;
  M.LoadFromFile(Name);
  return M.Bytes();
}

class RegistryFiles : public ::testing::Test {
 protected:
  // The store makes Dir.
  const TTempFolder Base;
  const String Dir = Base / u"registry";
};

}  // namespace

TEST(RegistryTree, TextRoundTripWithEscapesTheRootAndIntegerLimits) {
  TRegTree Tree;
  TRegKeyData& Key = Tree.CreateKey(u"\\Software\\\\Forms\\Main\\");
  EXPECT_EQ(Key.Path, u"Software\\Forms\\Main");
  EXPECT_TRUE(Tree.KeyExists(u"SOFTWARE\\forms"));
  Key.Values[u"a\"=\\b"] = {u"a\"=\\b", TRegValue{false, u"line\r\nnext\ttab \x7F \"q\" Ж", 0}};
  Key.Values[u"Min"] = {u"Min", TRegValue{true, u"", INT32_MIN}};
  Key.Values[u"Max"] = {u"Max", TRegValue{true, u"", INT32_MAX}};
  Tree.CreateKey(u"").Values[u""] = {u"", TRegValue{false, u"", 0}};
  const std::string Text = Tree.Text();
  TRegTree Back;
  String Error;
  ASSERT_TRUE(TRegTree::Parse(Text, Back, Error)) << ToUtf8(Error);
  EXPECT_TRUE(Back == Tree);
  EXPECT_NE(Text.find("\"Min\"=dword:-2147483648\n"), std::string::npos);
  EXPECT_NE(Text.find("\\r\\nnext\\x09tab \\x7F \\\"q\\\""), std::string::npos);

  String Bad;
  EXPECT_FALSE(TRegTree::NormalPath(u"a\nb", Bad));
}

TEST(RegistryTree, MalformedTextNamesTheLine) {
  const std::pair<const char*, const char*> Cases[] = {
      {"\"v\"=\"x\"\n", "line 1: a value outside any key"},
      {"[k]\n\"v\"=dword:99999999999\n", "line 2: not a value"},
      {"[k]\n\"v\"=dword: 1\n", "line 2: not a value"},
      {"[k]\n\"v\"=\"open\n", "line 2: not a value"},
      {"[k]\n; note\n\n\"v\"=\"bad \\q escape\"\n", "line 4: not a value"},
      {"[k]\n[\\\\]\n", "line 2: not a key"},
      {"[k\n", "line 1: not a key"},
      {"[k]\n\"v\"=\"x\" trailing\n", "line 2: not a value"},
  };
  for (const auto& [Text, Why] : Cases) {
    TRegTree Tree;
    String Error;
    EXPECT_FALSE(TRegTree::Parse(Text, Tree, Error)) << Text;
    EXPECT_EQ(Error, FromUtf8(Why)) << Text;
    EXPECT_FALSE(Tree.KeyExists(u"k"));
  }
  TRegTree Tree;
  String Error;
  EXPECT_FALSE(TRegTree::Parse("[k]\n\"v\"=\"\xFF\"\n", Tree, Error));
  EXPECT_EQ(Error, u"the text is not UTF-8");
}

TEST(Registry, KeysAndValuesThroughTheMemoryStore) {
  TMemoryRegistryStore Store;
  TRegistry Reg(KEY_ALL_ACCESS, &Store);
  EXPECT_EQ(Reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(Reg.OpenKey(u"Software\\Test", false));
  EXPECT_THROW(Reg.WriteString(u"x", u"y"), ERegistryException);
  ASSERT_TRUE(Reg.OpenKey(u"Software\\Test", true));
  EXPECT_EQ(Reg.CurrentPath(), u"Software\\Test");
  EXPECT_EQ(Reg.ReadString(u"absent"), u"");
  EXPECT_THROW(Reg.ReadInteger(u"absent"), ERegistryException);
  Reg.WriteString(u"Name", u"text");
  Reg.WriteInteger(u"Number", -5);
  EXPECT_EQ(Reg.ReadString(u"NAME"), u"text");
  EXPECT_EQ(Reg.ReadInteger(u"number"), -5);
  EXPECT_THROW(Reg.ReadInteger(u"Name"), ERegistryException);
  EXPECT_THROW(Reg.ReadString(u"Number"), ERegistryException);

  // A second registry writing meanwhile: both values stay.
  TRegistry Other(KEY_ALL_ACCESS, &Store);
  ASSERT_TRUE(Other.OpenKey(u"software\\test", false));
  Other.WriteString(u"FromOther", u"1");
  Reg.WriteString(u"Later", u"2");
  ASSERT_TRUE(Other.OpenKey(u"Software\\Test", false));
  EXPECT_EQ(Other.ReadString(u"FromOther"), u"1");
  EXPECT_EQ(Other.ReadString(u"Later"), u"2");

  Reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(Reg.OpenKey(u"Software\\Test", false));
  Reg.SetRootKey(0x12345);
  EXPECT_FALSE(Reg.OpenKey(u"Software", true));
}

TEST_F(RegistryFiles, OneFilePerRootWrittenSafely) {
  TFileRegistryStore Store(Dir);
  EXPECT_EQ(Store.FileName(HKEY_CURRENT_USER), Dir + u"/HKEY_CURRENT_USER.reg");
  TRegistry Reg(KEY_ALL_ACCESS, &Store);
  ASSERT_TRUE(Reg.OpenKey(u"Software\\Form", true));
  EXPECT_EQ(Reg.LastError(), u"");
  Reg.WriteInteger(u"Top", 10);
  Reg.SetRootKey(HKEY_USERS);
  ASSERT_TRUE(Reg.OpenKey(u"Other", true));
  EXPECT_EQ(ReadAll(Store.FileName(HKEY_CURRENT_USER)),
            "[Software]\n[Software\\Form]\n\"Top\"=dword:10\n");
  EXPECT_EQ(ReadAll(Store.FileName(HKEY_USERS)), "[Other]\n");
}

TEST_F(RegistryFiles, ADamagedFileReadsAsEmptyAndIsKeptAside) {
  TFileRegistryStore Store(Dir);
  std::filesystem::create_directories(ToUtf8(Dir));
  const String Name = Store.FileName(HKEY_CURRENT_USER);
  SaveBytesSafely(Name, "[Software]\n\"Top\"=dword:1\ngarbage\n");
  TRegistry Reg(KEY_ALL_ACCESS, &Store);
  EXPECT_FALSE(Reg.OpenKey(u"Software", false));
  EXPECT_EQ(Reg.LastError(), u"The registry file \"" + Name +
                                 u"\" is damaged (line 3: not a value) and is not used.");
  ASSERT_TRUE(Reg.OpenKey(u"Software", true));
  Reg.WriteInteger(u"Top", 2);
  EXPECT_EQ(ReadAll(Name), "[Software]\n\"Top\"=dword:2\n");
  EXPECT_EQ(ReadAll(Name + u".bad"), "[Software]\n\"Top\"=dword:1\ngarbage\n");

  // A folder that cannot be made: the key cannot be created, and the reason is given.
  SaveBytesSafely(Dir + u"/file", "");
  TFileRegistryStore Blocked(Dir + u"/file/sub");
  TRegistry Nowhere(KEY_ALL_ACCESS, &Blocked);
  EXPECT_FALSE(Nowhere.OpenKey(u"Software", true));
  EXPECT_NE(Nowhere.LastError().find(u"Cannot write the registry"), String::npos);
}

TEST_F(RegistryFiles, TwoProcessesWritingAtOnceKeepEveryValue) {
  constexpr int Count = 100;
  ASSERT_TRUE(RunInTwoProcesses([this](int Which) {
    TFileRegistryStore Store(Dir);
    TRegistry Reg(KEY_ALL_ACCESS, &Store);
    if (!Reg.OpenKey(u"Software\\Shared", true)) throw ERegistryException(Reg.LastError());
    for (int I = 0; I < Count; ++I) Reg.WriteInteger(IntToStr(Which) + u"." + IntToStr(I), I);
  }));
  TFileRegistryStore Store(Dir);
  TRegistry Reg(KEY_ALL_ACCESS, &Store);
  ASSERT_TRUE(Reg.OpenKey(u"Software\\Shared", false));
  int Kept = 0;
  for (int Which = 0; Which < 2; ++Which)
    for (int I = 0; I < Count; ++I) Kept += Reg.ValueExists(IntToStr(Which) + u"." + IntToStr(I));
  EXPECT_EQ(Kept, 2 * Count);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ToUtf8(Dir)), {}), 1);
}

TEST(Registry, DefaultFolderFollowsTheConfigurationFolder) {
  const char* Old = std::getenv("XDG_CONFIG_HOME");
  const std::string Saved = Old ? Old : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(TFileRegistryStore::DefaultFolder(), u"/cfg/lcregistry");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // only an absolute path counts
  EXPECT_EQ(TFileRegistryStore::DefaultFolder(),
            FromUtf8(std::getenv("HOME")) + u"/.config/lcregistry");
  if (Old)
    setenv("XDG_CONFIG_HOME", Saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}
