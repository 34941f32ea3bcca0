#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "core/exceptions.h"
#include "sim/image_writer.h"
#include "temp_folder.h"
#include "tool/firmware_image.h"
#include "tool_test_support.h"

namespace {

std::string TempFolder() {
  static const TTempFolder Folder;
  return Folder.Path();
}

TImageFile ReadBytes(const std::string& Bytes) {
  TMemoryStream Stream(Bytes);
  return ReadImageFile(Stream);
}

// Answers the confirmation after running a step, as a technician who changes the file while
// the description is on screen.
class TMeddlingDialogs : public TDialogProvider {
 public:
  explicit TMeddlingDialogs(std::function<void()> Step) : FStep(std::move(Step)) {}
  TModalResult MessageDlg(const TMessageDlgParams& Params) override {
    if (Params.DlgType == mtConfirmation) FStep();
    return HeadlessDialogs().MessageDlg(Params);
  }
  bool InputQuery(const String& C, const String& P, String& V, char16_t Pw) override {
    return HeadlessDialogs().InputQuery(C, P, V, Pw);
  }
  bool ExecuteOpenDialog(TOpenDialog& Dialog) override {
    return HeadlessDialogs().ExecuteOpenDialog(Dialog);
  }

 private:
  std::function<void()> FStep;
};

class ImageTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    OpenWindow().Show();
  }
  void TearDown() override {
    SetDialogProvider(nullptr);
    ToolTest::TearDown();
  }

  std::string Write(const TImagePlan& Plan, const std::string& Name = "image.rom") {
    return WriteRaw(ImageFileBytes(Plan), Name);
  }
  std::string WriteRaw(const std::string& Bytes, const std::string& Name = "image.rom") {
    const std::string Path = TempFolder() + "/" + Name;
    std::ofstream(Path, std::ios::binary | std::ios::trunc) << Bytes;
    return Path;
  }

  // Presses Load image as the user does, choosing Path and answering the confirmation.
  void Load(const std::string& Path, TModalResult Answer = mrYes) {
    HeadlessDialogs().Clear();
    HeadlessDialogs().Push(TDialogAnswer::File(FromUtf8(Path)));
    HeadlessDialogs().Push(TDialogAnswer::Button(Answer));
    Application().PostClick(Window->btLoadImage);
    Application().ProcessMessages();
  }

  // The description that the confirmation showed, less its first line and the question.
  String Described() const {
    for (const TShownDialog& D : HeadlessDialogs().Shown())
      if (D.DlgType == mtConfirmation) {
        const String& T = D.Text;
        const size_t Start = T.find(u'\n') + 1;
        return T.substr(Start, T.rfind(u"\r\n") - Start);
      }
    return u"(no confirmation)";
  }

  String LastDialogText() const {
    return HeadlessDialogs().Shown().empty() ? String() : HeadlessDialogs().Shown().back().Text;
  }

  void ExpectNothingLoaded() {
    EXPECT_TRUE(Window->ImageInfo.empty());
    EXPECT_TRUE(Window->ProgFile.empty());
    EXPECT_EQ(Window->stmFirmWare->Size(), 0);
    EXPECT_FALSE(Window->btProg->Enabled());
    EXPECT_EQ(Window->btLoadImage->Caption(), u"Load image");
    EXPECT_EQ(Window->Caption(), u"Q8M update V1.8");
  }
};

TEST(ImageFile, DescriptionAndBlockFromTheEnd) {
  TImagePlan Plan;
  Plan.Type = 0x27;
  Plan.VersionMajor = 1;
  Plan.VersionMinor = 2;
  Plan.Unused = 0xEE;
  Plan.Ranges = {{{0, 0}, {100, 100}, {200, 300}, {0, 0}}};
  Plan.Lines = {"", "First", "V3 build 17", "never read"};
  Plan.Leading = "whatever comes first";
  Plan.Firmware = SampleFirmware(1000);
  const TImageFile Image = ReadBytes(ImageFileBytes(Plan));
  ASSERT_TRUE(Image.HasFirmware);
  EXPECT_EQ(Image.Description.ControllerType, 0x27);
  EXPECT_EQ(Image.Description.VersionMajor, 1);
  EXPECT_EQ(Image.Description.VersionMinor, 2);
  EXPECT_EQ(Image.Description.Ranges[2], (TSerialRange{200, 300}));
  EXPECT_EQ(Image.Description.Lines, (std::vector<String>{u"", u"First", u"V3 build 17"}));
  const std::string File = ImageFileBytes(Plan);
  EXPECT_EQ(Image.Block, File.substr(File.size() - 1008));
  EXPECT_EQ(ImageLength(Image.Block), 1004u);
}

TEST(ImageFile, LengthWordsAtTheirLimits) {
  TImagePlan Plan;
  Plan.Firmware = "abcdefgh";
  const size_t S = ImageFileBytes(Plan).size();
  const size_t Description = S - 12;
  // L above S, and B above S - L: no firmware; L equal to S leaves no room for B.
  Plan.Length = uint32_t(S + 1);
  EXPECT_FALSE(ReadBytes(ImageFileBytes(Plan)).HasFirmware);
  Plan.Length = uint32_t(S);
  EXPECT_THROW(ReadBytes(ImageFileBytes(Plan)), EReadError);
  Plan.Length.reset();
  Plan.DescriptionLength = uint32_t(Description + 1);
  EXPECT_FALSE(ReadBytes(ImageFileBytes(Plan)).HasFirmware);
  // B = S - L: the description starts at the file's first byte.
  Plan.DescriptionLength = uint32_t(Description);
  EXPECT_TRUE(ReadBytes(ImageFileBytes(Plan)).HasFirmware);
  // An empty image could not be delivered, nor one beyond the loader's 24-bit offsets.
  Plan.DescriptionLength.reset();
  Plan.Length = 0;
  EXPECT_FALSE(ReadBytes(ImageFileBytes(Plan)).HasFirmware);
  Plan.Firmware = std::string(MaxImageLength - 4 + 1, 'x');
  Plan.Length.reset();
  EXPECT_FALSE(ReadBytes(ImageFileBytes(Plan)).HasFirmware);
  Plan.Firmware.pop_back();
  EXPECT_EQ(ReadBytes(ImageFileBytes(Plan)).Block.size(), MaxImageLength + 4);
  // Shorter than the length word.
  for (size_t Size = 0; Size < 4; ++Size)
    EXPECT_THROW(ReadBytes(std::string(Size, '\0')), EReadError) << Size;
}

TEST(ImageFile, TextLinesEndAtAStopWordOrALongLengthWordElseAtTheFileEnd) {
  TImagePlan Plan;
  Plan.Firmware = "firmware";
  Plan.Lines = {"BUILD is no stop word", "rebuild", "after"};
  EXPECT_EQ(ReadBytes(ImageFileBytes(Plan)).Description.Lines.size(), 2u);
  Plan.Lines = {"a bild", "after"};
  EXPECT_EQ(ReadBytes(ImageFileBytes(Plan)).Description.Lines.size(), 1u);
  // A length word of 130 is a line; 131 ends the list unread.
  Plan.Lines = {std::string(130, 'x'), std::string(131, 'y')};
  EXPECT_EQ(ReadBytes(ImageFileBytes(Plan)).Description.Lines,
            std::vector<String>{String(130, u'x')});
  // Without a stop the lines run on through B and the image until the file ends.
  Plan.Lines = {"no stop here"};
  EXPECT_THROW(ReadBytes(ImageFileBytes(Plan)), EReadError);
  // ... or until the image itself happens to hold one: here B (42) is read as a length word,
  // and the 42 bytes after it lead to a line in the image.
  Plan.Firmware = std::string(40, '-') + std::string("\x05\x00", 2) + "build";
  const std::vector<String> Lines = ReadBytes(ImageFileBytes(Plan)).Description.Lines;
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[1], String(2, u'\0') + String(40, u'-'));
  EXPECT_EQ(Lines[2], u"build");
}

TEST(ImageFile, ADescriptionThatOverlapsTheImage) {
  // L = S - 4: B stands at the file's start; B = 0 puts T on the image's first bytes.
  TImagePlan Plan;
  Plan.Firmware = std::string("\x19\x02\x03\x00", 4) + std::string(20, '\0') +
                  std::string("\x04\x00", 2) + "bild";
  std::string File = ImageFileBytes(Plan);
  File = std::string(4, '\0') + File.substr(File.size() - Plan.Firmware.size() - 4);
  const TImageFile Image = ReadBytes(File);
  ASSERT_TRUE(Image.HasFirmware);
  EXPECT_EQ(Image.Description.ControllerType, 0x19);
  EXPECT_EQ(Image.Description.VersionMinor, 3);
  EXPECT_EQ(Image.Description.Lines, std::vector<String>{u"bild"});
  EXPECT_EQ(Image.Block, File);
}

TEST_F(ImageTest, TheConfirmationDescribesTheFile) {
  TImagePlan Plan;
  Plan.Type = 0x27;
  Plan.VersionMajor = 1;
  Plan.VersionMinor = 2;
  Plan.Lines = {"", "V3 build 17", "hidden"};
  const std::vector<std::pair<std::array<std::pair<uint16_t, uint16_t>, 4>, String>> Ranges = {
      {{{{1, 65535}, {0, 0}, {0, 0}, {0, 0}}}, u"All"},
      {{{{0, 0}, {100, 100}, {200, 300}, {0, 0}}}, u",100,(200-300)"},
      {{{{65535, 70}, {5, 0}, {0, 0}, {0, 0}}}, u""}};
  for (const auto& [R, Shown] : Ranges) {
    HeadlessDialogs().Clear();
    Plan.Ranges = R;
    Load(Write(Plan), mrNo);
    EXPECT_EQ(Described(),
              u"Controller type is 0x27. Version firmware 1.2\r\n"
              u"Serial numbers of controllers: " +
                  Shown + u"\r\n\r\n\r\nV3 build 17\r\n");
    ExpectNothingLoaded();
  }
  const TShownDialog& Ask = HeadlessDialogs().Shown().back();
  EXPECT_EQ(Ask.Text.substr(0, 47), u"This file contains the following description\r\r\n");
  EXPECT_EQ(Ask.Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_TRUE(Ask.Text.ends_with(u"\r\n\r\nAre you sure you want to boot this firmware?"));
  // The open dialog as the technician meets it.
  const TShownDialog& Open = HeadlessDialogs().Shown().front();
  EXPECT_EQ(Open.Kind, TDialogKind::OpenFile);
  EXPECT_EQ(Open.Title, u"Selecting a file with firmware");
  EXPECT_EQ(Open.Filter, u"File with firmware (*.rom)|*.ROM;*.BIN|All files (*.*)|*.*");
  EXPECT_EQ(Open.DefaultExt, u"rom");
  EXPECT_EQ(Open.Value, u"*.rom");
  EXPECT_EQ(Open.Options, OpenOptions({ofReadOnly, ofFileMustExist, ofEnableSizing}));
  EXPECT_EQ(Open.InitialDir, ExtractFilePath(ProgramFileName()));
}

TEST_F(ImageTest, YesLoadsTheImageAndTheButtonThenOnlyShowsItsInfo) {
  TImagePlan Plan;
  Plan.Firmware = SampleFirmware(300);
  const std::string Path = Write(Plan, "fw 2.rom");
  Load(Path);
  TfmMain& W = *Window;
  const String Info =
      u"File \"fw 2.rom\"\r\nController type is 0x19. Version firmware 1.0\r\n"
      u"Serial numbers of controllers: All\r\n\r\nFirmware 1.0 build 1\r\n";
  EXPECT_EQ(W.ImageInfo, Info);
  EXPECT_EQ(W.ProgFile, FromUtf8(Path));
  EXPECT_EQ(W.stmFirmWare->Bytes(), ImageFileBytes(Plan).substr(ImageFileBytes(Plan).size() - 308));
  EXPECT_EQ(W.stmFirmWare->Position(), 308);
  EXPECT_TRUE(W.btProg->Enabled());
  EXPECT_EQ(W.Caption(), u"Q8M update V1.8  <fw 2.rom>");
  EXPECT_EQ(W.btLoadImage->Caption(), u"View info");
  EXPECT_EQ(W.Memo1->Text(), Info);
  EXPECT_NE(LogBytes().find("| Load image \"" + Path + "\"\r\n"), std::string::npos);

  // A language switch keeps what the captions say of the loaded image.
  W.btnRussianClick(nullptr);
  EXPECT_EQ(W.btLoadImage->Caption(), W.Text(u"IDS_118"));
  EXPECT_NE(W.btLoadImage->Caption(), u"View info");
  EXPECT_EQ(W.Caption(), u"Q8M update V1.8  <fw 2.rom>");
  W.btnEnglishClick(nullptr);
  EXPECT_EQ(W.btLoadImage->Caption(), u"View info");

  // View info: the description again, no dialog, even with the file gone.
  std::remove(Path.c_str());
  W.Memo1->Lines()->Clear();
  const size_t Dialogs = HeadlessDialogs().Shown().size();
  Application().PostClick(W.btLoadImage);
  Application().ProcessMessages();
  EXPECT_EQ(HeadlessDialogs().Shown().size(), Dialogs);
  EXPECT_EQ(W.Memo1->Text(), Info);
}

TEST_F(ImageTest, CancelAndNoLoadNothing) {
  Window->Memo1->Lines()->Add(u"before");
  HeadlessDialogs().Push(TDialogAnswer::Cancel());
  Application().PostClick(Window->btLoadImage);
  Application().ProcessMessages();
  EXPECT_EQ(MemoLines(), std::vector<String>{u""});
  ExpectNothingLoaded();

  Window->Memo1->Lines()->Add(u"kept");
  Load(Write(TImagePlan{}), mrNo);
  EXPECT_EQ(MemoLines().back(), u"kept");
  ExpectNothingLoaded();
}

TEST_F(ImageTest, RefusedFilesLoadNothingAndSayWhy) {
  TImagePlan Plan;
  Plan.Length = 0;
  const std::string Empty = Write(Plan);
  Load(Empty);
  EXPECT_EQ(LastDialogText(), u"File \"" + FromUtf8(Empty) + u"\" does not contain firmware!");
  EXPECT_EQ(HeadlessDialogs().Shown().back().DlgType, mtError);
  ExpectNothingLoaded();

  // Too short for its length word, or text lines that run to the end: the read error.
  for (const std::string& Bytes : {std::string("\x01\x02\x03", 3), ImageFileBytes([] {
                                     TImagePlan Endless;
                                     Endless.Lines = {"no stop word"};
                                     return Endless;
                                   }())}) {
    Load(WriteRaw(Bytes));
    EXPECT_EQ(LastDialogText(), u"Stream read error.");
    ExpectNothingLoaded();
  }

  // Not a file that can be read from its end.
  const std::string Fifo = TempFolder() + "/pipe.rom";
  ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
  Load(Fifo);
  EXPECT_EQ(LastDialogText(), u"File \"" + FromUtf8(Fifo) + u"\" does not contain firmware!");
  ::unlink(Fifo.c_str());
  ExpectNothingLoaded();
  EXPECT_EQ(Described(), u"(no confirmation)");
}

TEST_F(ImageTest, WhatWasConfirmedIsWhatIsLoadedThoughTheFileChangesOrVanishes) {
  TImagePlan Plan;
  Plan.Firmware = SampleFirmware(64);
  const std::string Path = Write(Plan);
  const std::string Confirmed = ImageFileBytes(Plan).substr(ImageFileBytes(Plan).size() - 72);
  const std::vector<std::function<void()>> Meddling = {[&] { std::remove(Path.c_str()); },
                                                       [&] {
                                                         TImagePlan Other = Plan;
                                                         Other.Firmware[10] ^= 1;
                                                         Write(Other);
                                                       },
                                                       [&] {
                                                         TImagePlan Other = Plan;
                                                         Other.Lines = {"Firmware 1.1 build 2"};
                                                         Write(Other);
                                                       },
                                                       [&] { WriteRaw("\x01"); }};
  for (const auto& Step : Meddling) {
    CloseWindow();
    OpenWindow().Show();
    Write(Plan);
    TMeddlingDialogs Dialogs(Step);
    SetDialogProvider(&Dialogs);
    Load(Path);
    SetDialogProvider(nullptr);
    // Nothing after the confirmation: the firmware behind the description that was shown.
    EXPECT_EQ(HeadlessDialogs().Shown().back().DlgType, mtConfirmation);
    EXPECT_EQ(Window->stmFirmWare->Bytes(), Confirmed);
    EXPECT_EQ(Window->ImageInfo,
              u"File \"image.rom\"\r\nController type is 0x19. Version firmware 1.0\r\n"
              u"Serial numbers of controllers: All\r\n\r\nFirmware 1.0 build 1\r\n");
    EXPECT_TRUE(Window->btProg->Enabled());
  }
  // A file that vanished between the choice and the reading.
  CloseWindow();
  OpenWindow().Show();
  Load(TempFolder() + "/gone.rom");
  EXPECT_TRUE(LastDialogText().starts_with(u"Cannot open file"));
  ExpectNothingLoaded();
}

}  // namespace
