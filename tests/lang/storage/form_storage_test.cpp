#include "lang/storage/form_storage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "component/class_registry.h"
#include "component/reader.h"
#include "component/writer.h"
#include "core/safe_file.h"
#include "lang/lang_test_support.h"
#include "temp_folder.h"
#include "ui/form.h"

namespace {

// Each test keeps its registry files in a folder of its own, as the file store the program uses.
class FormStorageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Store = std::make_unique<TFileRegistryStore>(Dir);
    SetRegistryStore(Store.get());
  }
  void TearDown() override { SetRegistryStore(nullptr); }

  // A form with a store, destroyed (and so saved) by the caller.
  static TComponentPtr<TForm> NewForm(const String& SubKey = u"Software\\Test\\Main") {
    TComponentPtr<TForm> Form(new TForm(nullptr));
    Form->SetBounds(10, 20, 300, 200);
    auto* Storage = new TlcFormStorage(Form.get());
    Storage->SetSubKey(SubKey);
    return Form;
  }
  static TlcFormStorage* StorageOf(TForm& Form) {
    return static_cast<TlcFormStorage*>(Form.Components(0));
  }
  String Read(const String& Name) {
    TRegistry Reg;
    return Reg.OpenKey(u"Software\\Test\\Main", false) ? Reg.ReadString(Name) : u"<no key>";
  }
  void Put(const char* Text) {
    std::filesystem::create_directories(ToUtf8(Dir));
    SaveBytesSafely(Store->FileName(HKEY_CURRENT_USER), Text);
  }

  const TTempFolder Base;
  const String Dir = Base / u"registry";
  std::unique_ptr<TFileRegistryStore> Store;
};

struct TBounds {
  int Left, Top, Width, Height;
  TWindowState State;
  bool operator==(const TBounds&) const = default;
};

TBounds BoundsOf(const TForm& F) {
  return {F.Left(), F.Top(), F.Width(), F.Height(), F.WindowState()};
}

}  // namespace

TEST_F(FormStorageTest, RoundTripThroughTheFileRegistry) {
  {
    auto Form = NewForm();
    Form->SetBounds(-5000, 4000, 9000, 7000);  // off screen and larger than it: kept as it is
  }
  EXPECT_EQ(Read(u"State"), u"Normal");
  auto Form = NewForm();
  StorageOf(*Form)->ReadSettings();
  EXPECT_EQ(BoundsOf(*Form), (TBounds{-5000, 4000, 9000, 7000, wsNormal}));
  EXPECT_EQ(StorageOf(*Form)->LastError(), u"");

  // Maximized after a normal run: the normal bounds stay stored and come back, maximized.
  Form->SetBounds(1, 2, 3, 4);
  Form->SetWindowState(wsMaximized);
  Form.reset();
  EXPECT_EQ(Read(u"State"), u"Maximized");
  Form = NewForm();
  StorageOf(*Form)->ReadSettings();
  EXPECT_EQ(BoundsOf(*Form), (TBounds{-5000, 4000, 9000, 7000, wsMaximized}));
}

TEST_F(FormStorageTest, AFirstRunEndingMaximizedRestoresNothing) {
  {
    auto Form = NewForm();
    Form->SetWindowState(wsMaximized);
  }
  auto Form = NewForm();
  StorageOf(*Form)->ReadSettings();
  EXPECT_EQ(BoundsOf(*Form), (TBounds{10, 20, 300, 200, wsNormal}));
}

TEST_F(FormStorageTest, OnlyTheThirdCharacterOfTheStateCounts) {
  const std::pair<const char*, TWindowState> Cases[] = {
      {"normal", wsNormal},   {"NORMAL", wsMinimized}, {"Mi", wsMinimized},
      {"xxnxx", wsMinimized}, {"..x", wsMaximized},    {"", wsMinimized},
  };
  for (const auto& [State, Expected] : Cases) {
    Put(("[Software\\Test\\Main]\n\"State\"=\"" + std::string(State) +
         "\"\n\"Top\"=dword:1\n\"Left\"=dword:2\n\"Height\"=dword:3\n\"Width\"=dword:4\n")
            .c_str());
    auto Form = NewForm();
    Form->SetWindowState(wsMinimized);
    StorageOf(*Form)->SetActive(false);  // nothing written back either
    StorageOf(*Form)->SetActive(true);
    StorageOf(*Form)->ReadSettings();
    EXPECT_EQ(Form->WindowState(), Expected) << State;
    EXPECT_EQ(Form->Left(), *State ? 2 : 10) << State;
    StorageOf(*Form)->SetActive(false);
  }
}

TEST_F(FormStorageTest, MistypedBoundsPutTheFormBack) {
  Put("[Software\\Test\\Main]\n\"State\"=\"Maximized\"\n\"Top\"=dword:1\n\"Left\"=\"2\"\n");
  auto Form = NewForm();
  StorageOf(*Form)->ReadSettings();
  EXPECT_EQ(BoundsOf(*Form), (TBounds{10, 20, 300, 200, wsNormal}));
}

TEST_F(FormStorageTest, DamagedOrMissingRegistryGivesDefaultsAndSaysWhy) {
  auto Form = NewForm();
  ::testing::internal::CaptureStderr();
  StorageOf(*Form)->ReadSettings();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "TlcFormStorage: no stored position under "
            "\"HKEY_CURRENT_USER\\Software\\Test\\Main\"; the form keeps its own.\n");
  EXPECT_EQ(BoundsOf(*Form), (TBounds{10, 20, 300, 200, wsNormal}));
  EXPECT_EQ(StorageOf(*Form)->LastError(), u"");

  Put("[Software\\Test\\Main]\n\"State\"=\"Normal\"\n\"Top\"=dword:x\n");
  ::testing::internal::CaptureStderr();
  StorageOf(*Form)->ReadSettings();
  const std::string Log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(BoundsOf(*Form), (TBounds{10, 20, 300, 200, wsNormal}));
  EXPECT_NE(StorageOf(*Form)->LastError().find(u"HKEY_CURRENT_USER.reg\" is damaged (line 3"),
            String::npos);
  EXPECT_NE(Log.find("TlcFormStorage: The registry file"), std::string::npos);
  Form.reset();  // the next save replaces the damaged file and keeps it aside
  EXPECT_EQ(Read(u"State"), u"Normal");
  EXPECT_TRUE(std::filesystem::exists(ToUtf8(Store->FileName(HKEY_CURRENT_USER)) + ".bad"));
}

TEST_F(FormStorageTest, ASaveThatFailsIsLoggedNotRaised) {
  std::filesystem::create_directories(ToUtf8(Dir));
  SaveBytesSafely(Dir + u"/file", "");
  TFileRegistryStore Blocked(Dir + u"/file/sub");
  SetRegistryStore(&Blocked);
  ::testing::internal::CaptureStderr();
  EXPECT_NO_THROW(NewForm().reset());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("Cannot write the registry"),
            std::string::npos);
}

TEST_F(FormStorageTest, InactiveRootKeysOwnersAndStreaming) {
  {
    auto Form = NewForm();
    StorageOf(*Form)->SetActive(false);
  }
  EXPECT_EQ(Read(u"State"), u"<no key>");

  {
    auto Form = NewForm();
    StorageOf(*Form)->SetRegRootKey(lcHKEY_DYN_DATA);
    EXPECT_EQ(StorageOf(*Form)->RootKey(), HKEY_DYN_DATA);
    StorageOf(*Form)->SetRegRootKey(lcHKEY_LOCAL_MACHINE);
    EXPECT_EQ(StorageOf(*Form)->RootKey(), HKEY_LOCAL_MACHINE);
  }
  EXPECT_TRUE(std::filesystem::exists(ToUtf8(Store->FileName(HKEY_LOCAL_MACHINE))));
  EXPECT_EQ(Read(u"State"), u"<no key>");

  TTestForm NotAForm;
  EXPECT_THROW(new TlcFormStorage(&NotAForm), EInvalidCast);
  EXPECT_EQ(NotAForm.ComponentCount(), 0);
  TComponentPtr<TlcFormStorage> Alone(new TlcFormStorage(nullptr));
  Alone->ReadSettings();
  Alone.reset();

  // Read from a form stream, the store applies what was saved once the form has loaded.
  {
    auto Form = NewForm();
    Form->SetBounds(7, 8, 9, 10);
  }
  RegisterClass(TForm::StaticClassType());
  auto Form = NewForm();
  StorageOf(*Form)->SetName(u"Storage1");
  TMemoryStream Image;
  WriteComponent(Image, *Form);
  Form->Components(0)->SetName(u"");
  StorageOf(*Form)->SetActive(false);
  Form.reset();
  Image.SetPosition(0);
  TComponentPtr<TComponent> Read = ReadComponentOwned(Image);
  auto* Loaded = dynamic_cast<TForm*>(Read.get());
  ASSERT_NE(Loaded, nullptr);
  EXPECT_EQ(BoundsOf(*Loaded), (TBounds{7, 8, 9, 10, wsNormal}));
  EXPECT_EQ(StorageOf(*Loaded)->SubKey(), u"Software\\Test\\Main");
}
