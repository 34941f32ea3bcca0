#include <unistd.h>

#include <cstdlib>
#include <map>

#include "controller_test_support.h"
#include "sim/image_writer.h"
#include "tool/exchange.h"
#include "tool/loader_messages.h"

namespace {

constexpr uint16_t Serial = 2024;

TControllerSettings WithLoader(TLoaderSettings Loader, uint16_t SN = Serial) {
  TControllerSettings S;
  S.SerialNumber = SN;
  S.Address = 5;
  S.Type = 0x19;
  S.VersionMajor = 2;
  S.VersionMinor = 4;
  S.Loader = Loader;
  return S;
}

TEST(LoaderMessages, KindsInTheirOrderAndAnswersTooShortForTheirKind) {
  const RawBytes Head("\x20\xE8\x07\xFE", 4);
  auto Kind = [](const RawBytes& A) { return DecodeLoaderMessage(A, "BOOT").Kind; };
  EXPECT_EQ(Kind(""), TLoaderKind::lkSync);
  EXPECT_EQ(Kind("Z"), TLoaderKind::lkSilent);
  EXPECT_EQ(Kind(Head + "BOOT"), TLoaderKind::lkStart);
  EXPECT_EQ(Kind(Head + "BOOTS"), TLoaderKind::lkOther);
  const TLoaderMessage Data =
      DecodeLoaderMessage(Head + RawBytes("\x01\x80\x03\x01\xFF", 5), "BOOT");
  EXPECT_EQ(Data.Kind, TLoaderKind::lkData);
  EXPECT_EQ(Data.Offset, 0x010380u);
  EXPECT_EQ(Data.Count, 255);
  EXPECT_EQ(Kind(Head + RawBytes("\x01\x80\x03\x01", 4)), TLoaderKind::lkOther);
  EXPECT_EQ(Kind(Head + RawBytes("\x02\0\0\0", 4)), TLoaderKind::lkOther);
  EXPECT_EQ(Kind(Head + "\x80"), TLoaderKind::lkBusy);
  EXPECT_EQ(Kind(Head + "\xFF"), TLoaderKind::lkOther);
  const TLoaderMessage Result = DecodeLoaderMessage(Head + "\xFF\x0B", "BOOT");
  EXPECT_EQ(Result.Kind, TLoaderKind::lkResult);
  EXPECT_EQ(Result.Code, 11);
  EXPECT_EQ(Kind(Head + RawBytes("\x03\0\0\0\0", 5)), TLoaderKind::lkOther);
  EXPECT_EQ(Kind("abcd"), TLoaderKind::lkOther);
}

class UploadTest : public ToolTest {
 protected:
  void TearDown() override {
    CmdPrefix = 0x20;
    ToolTest::TearDown();
    if (ImageFolder.empty()) return;
    std::remove(ImagePath.c_str());
    ::rmdir(ImageFolder.c_str());
  }

  // A converter and the given controllers on one line, the window open on it with the image
  // of Firmware loaded and the address field at the controllers' address.
  TfmMain& OpenWith(const std::vector<TControllerSettings>& Controllers,
                    std::string Firmware = SampleFirmware(1000)) {
    TSimBus& Bus = AddConverter("SIM0");
    Line = &Bus;
    for (const auto& C : Controllers)
      Devices.push_back(
          &static_cast<TSimController&>(Bus.Add(std::make_unique<TSimController>(C))));
    TfmMain& W = OpenWindow();
    Plan.Firmware = std::move(Firmware);
    // A folder of its own: tests running side by side each write their image.
    if (ImageFolder.empty()) {
      std::string Pattern = ::testing::TempDir() + "upload_test_XXXXXX";
      if (::mkdtemp(Pattern.data())) ImageFolder = Pattern;
    }
    ImagePath = ImageFolder + "/fw.rom";
    WriteImageFile(ImagePath, Plan);
    HeadlessDialogs().Push(TDialogAnswer::File(FromUtf8(ImagePath)));
    HeadlessDialogs().Push(TDialogAnswer::Button(mrYes));
    W.btLoadImageClick(nullptr);
    EXPECT_TRUE(W.btProg->Enabled());
    W.seSN->SetValue(Serial);
    W.seNetAdr->SetValue(5);
    return W;
  }

  std::vector<String> Upload() {
    Window->btProgClick(nullptr);
    EXPECT_FALSE(WriteOverlapped.EventOpen);
    return MemoLines();
  }

  // How often the tool started the loader ("PROG") on the line.
  size_t ProgCommands() const {
    const RawBytes Frame = Window->GetPack(LoaderCommand(CmdPrefix, Serial, "PROG"));
    const std::string Sent = Line->Received();
    size_t Count = 0;
    for (size_t At = Sent.find(Frame); At != std::string::npos; At = Sent.find(Frame, At + 1))
      ++Count;
    return Count;
  }

  TImagePlan Plan;
  std::string ImageFolder;
  std::string ImagePath;
  TSimBus* Line = nullptr;
  std::vector<TSimController*> Devices;
};

TLoaderSettings LoaderFor(size_t ImageSize, uint8_t Chunk = 128) {
  TLoaderSettings L;
  L.ImageSize = uint32_t(ImageSize);
  L.Chunk = Chunk;
  return L;
}

const std::vector<String> Ending = {u"Progress - 100%", u"Firmware program successfully completed",
                                    u"Waiting for startup of the new firmware...",
                                    u"Firmware started successfully."};

TEST_F(UploadTest, TheControllerReceivesExactlyTheImageAtEitherSpeed) {
  for (const bool Fast : {false, true}) {
    SCOPED_TRACE(Fast ? "256000 baud" : "19200 baud");
    const std::string Firmware = SampleFirmware(Fast ? 70000 : 3000);
    TControllerSettings C = WithLoader(LoaderFor(Firmware.size() + 4, 255));
    C.At19200 = !Fast;
    C.At256000 = Fast;
    TfmMain& W = OpenWith({C}, Firmware);
    std::vector<String> Lines = Upload();
    // The slow mode first: a controller only at the fast speed is found by the fall-back.
    EXPECT_EQ(W.oComMode, Fast ? 0x123 : 0);
    const std::vector<String> Start = {u"Type Ctrl is 0x19", u"Version firmware is 2.4",
                                       u"Loader Firmware - activated",
                                       u"The device has started the process of updating"};
    std::vector<String> Expected = Start;
    Expected.insert(Expected.end(), Ending.begin(), Ending.end());
    EXPECT_EQ(Lines, Expected);
    EXPECT_EQ(Devices[0]->LoadedImage(), ImageOf(Plan));
    EXPECT_EQ(Devices[0]->LoadedFileName(), "fw.rom");
    EXPECT_EQ(ProgCommands(), 2u);  // one starts the loader, one the update
    EXPECT_NE(LogBytes().find("| Upload firmware to S/N=2024\r\n"), std::string::npos);
    EXPECT_NE(LogBytes().find("| Firmware program successfully completed\r\n"), std::string::npos);
    // The image stays loaded for another upload.
    EXPECT_TRUE(W.btProg->Enabled());
    EXPECT_EQ(W.stmFirmWare->Size(), int64_t(Firmware.size() + 8));
    CloseWindow();
    Buses.clear();
    PortEntries.clear();
    Devices.clear();
  }
}

TEST_F(UploadTest, BusyAndSynchronizationAndTheProgressLine) {
  TLoaderSettings L = LoaderFor(40, 10);
  L.Busy = 2;
  L.SyncEvery = 2;
  OpenWith({WithLoader(L)}, SampleFirmware(36));
  EXPECT_EQ(
      Upload(),
      (std::vector<String>{
          u"Type Ctrl is 0x19", u"Version firmware is 2.4", u"Loader Firmware - activated",
          u"The device has started the process of updating", u"Progress - 25%", u"Synchronization",
          u"Progress - 75%", u"Progress - 100%", u"Firmware program successfully completed",
          u"Waiting for startup of the new firmware...", u"Firmware started successfully."}));
  EXPECT_EQ(Devices[0]->LoadedImage(), ImageOf(Plan));
}

// The tool's pauses, counted by their length instead of slept while this lives.
class TCountedPauses {
 public:
  TCountedPauses() : FOld(SetPauseFunction([this](int Ms) { ++Of[Ms]; })) {}
  ~TCountedPauses() { SetPauseFunction(std::move(FOld)); }
  TCountedPauses(const TCountedPauses&) = delete;
  TCountedPauses& operator=(const TCountedPauses&) = delete;
  std::map<int, int> Of;

 private:
  TPauseFunction FOld;
};

// A loader is asked again for as long as it is busy, and the upload then ends as usual; one that
// never gets done keeps the upload until the program ends.
TEST_F(UploadTest, ABusyLoaderIsServedUntilItIsDone) {
  TLoaderSettings Long = LoaderFor(1004);
  Long.Busy = 600;
  TLoaderSettings Endless = LoaderFor(1004);
  Endless.Busy = 1'000'000;
  TfmMain& W = OpenWith({WithLoader(Long, 1), WithLoader(Endless, 2)});
  TCountedPauses Pauses;
  W.seSN->SetValue(1);
  std::vector<String> Lines = Upload();
  EXPECT_EQ(std::vector<String>(Lines.end() - 4, Lines.end()), Ending);
  EXPECT_EQ(Devices[0]->LoadedImage(), ImageOf(Plan));
  EXPECT_EQ(Pauses.Of[120], 600);

  W.seSN->SetValue(2);
  TSteppingDriver Close(2000, [] { Application().Terminate(); });
  Lines = Upload();
  EXPECT_EQ(Lines.back(), u"The device has started the process of updating");
  EXPECT_GT(Pauses.Of[120], 600 + 900);
  EXPECT_EQ(Pauses.Of[1000], 1);  // the first upload's wait for the new firmware only
}

TEST_F(UploadTest, EveryResultCodeHasItsLineAndTheRestartCheckFollows) {
  const std::vector<std::pair<uint8_t, String>> Codes = {
      {1, u"Error - Not compatible for this device"},
      {2, u"Error - Not suitable for this device number"},
      {3, u"Error - Too large data firmware can be a mistake"},
      {10, u"Error - Violated the sequence data"},
      {11, u"Error - Compromise data integrity"},
      {7, u"Error - Unknown code [7]"}};
  std::vector<TControllerSettings> Controllers;
  for (size_t I = 0; I < Codes.size(); ++I) {
    TLoaderSettings L = LoaderFor(1004);
    L.Result = Codes[I].first;
    Controllers.push_back(WithLoader(L, uint16_t(Serial + I)));
    Controllers.back().Address = uint8_t(5 + I);
  }
  TfmMain& W = OpenWith(Controllers);
  for (size_t I = 0; I < Codes.size(); ++I) {
    W.seSN->SetValue(int(Serial + I));
    W.seNetAdr->SetValue(int(5 + I));
    const std::vector<String> Lines = Upload();
    ASSERT_GE(Lines.size(), 3u);
    EXPECT_EQ(std::vector<String>(Lines.end() - 3, Lines.end()),
              (std::vector<String>{Codes[I].second, u"Waiting for startup of the new firmware...",
                                   u"Firmware started successfully."}));
    EXPECT_NE(LogBytes().find(ToUtf8(u"| " + Codes[I].second + u"\r\n")), std::string::npos);
  }
}

TEST_F(UploadTest, AnActiveLoaderIsNotStartedAgain) {
  TControllerSettings C = WithLoader(LoaderFor(1004));
  C.LoaderActive = true;
  OpenWith({C});
  const std::vector<String> Lines = Upload();
  EXPECT_EQ(std::vector<String>(Lines.begin(), Lines.begin() + 4),
            (std::vector<String>{u"Type Ctrl is 0x19", u"Version firmware is 2.4",
                                 u"Active firmware loader.",
                                 u"The device has started the process of updating"}));
  EXPECT_EQ(Lines.back(), u"Firmware started successfully.");
  EXPECT_EQ(ProgCommands(), 1u);
  EXPECT_EQ(Devices[0]->LoadedImage(), ImageOf(Plan));
}

TEST_F(UploadTest, WhatEndsAnUploadEarly) {
  // A firmware that ignores the start of its loader.
  TLoaderSettings Ignoring = LoaderFor(1004);
  Ignoring.Starts = false;
  // A loader that asks for more than the image holds: served up to the end of the image.
  TLoaderSettings Greedy = LoaderFor(1004 + 200);
  // A loader that sends a message of a kind it does not have.
  TLoaderSettings Stray = LoaderFor(1004);
  Stray.StrayKind = 0x42;
  TfmMain& W = OpenWith({WithLoader(Ignoring, 1), WithLoader(Greedy, 2), WithLoader(Stray, 3)});
  const std::vector<String> Prologue = {u"Type Ctrl is 0x19", u"Version firmware is 2.4"};

  W.seSN->SetValue(1);
  std::vector<String> Expected = Prologue;
  Expected.push_back(u"Error - bootloader not started!");
  EXPECT_EQ(Upload(), Expected);

  W.seSN->SetValue(2);
  std::vector<String> Lines = Upload();
  EXPECT_EQ(Lines.back(),
            u"Error - filesize \"" + FromUtf8(ImagePath) + u"\" does not match the request");
  EXPECT_EQ(Lines.at(Lines.size() - 2), u"Progress - 76%");
  EXPECT_EQ(Devices[1]->LoadedImage(), ImageOf(Plan).substr(0, 896));

  W.seSN->SetValue(3);
  Lines = Upload();
  EXPECT_EQ(Lines.back(), u"Wrong answer");
  EXPECT_EQ(Lines.at(Lines.size() - 2), u"The device has started the process of updating");
  EXPECT_TRUE(Devices[2]->LoadedImage().empty());
}

TEST_F(UploadTest, NoImageNoAnswerAndHotelMode) {
  TControllerSettings Fast = WithLoader(LoaderFor(1004));
  Fast.At19200 = false;
  TfmMain& W = OpenWith({Fast});
  const std::string Block = W.stmFirmWare->Bytes();
  W.stmFirmWare->Clear();
  W.cbPort->SetText(u"");
  HeadlessDialogs().Clear();
  EXPECT_EQ(Upload(), std::vector<String>{u"Not load image firmware!"});
  EXPECT_TRUE(HeadlessDialogs().Shown().empty());  // no port was opened

  W.cbPort->SetText(u"SIM0");
  W.stmFirmWare->WriteBytes(Block);
  // Hotel mode: no fall-back to the fast mode.
  W.mniHotel->Click();
  EXPECT_EQ(Upload(), std::vector<String>{u"Wrong answer"});
  EXPECT_EQ(W.oComMode, 0);
  // Nobody at that serial number: the fall-back asks twice more, then gives up.
  W.mniHotel->Click();
  W.seSN->SetValue(999);
  EXPECT_EQ(Upload(), std::vector<String>{u"Wrong answer"});
  EXPECT_EQ(W.oComMode, 0x123);
}

TEST_F(UploadTest, TheRestartedFirmwareGetsItsAddressBack) {
  TLoaderSettings Moving = LoaderFor(1004);
  Moving.NewAddress = 42;
  Moving.RestartSilent = 1;
  TLoaderSettings Staying = LoaderFor(1004);
  Staying.Restarts = false;
  TControllerSettings Other = WithLoader(Staying, 2);
  Other.Address = 6;
  TfmMain& W = OpenWith({WithLoader(Moving, 1), Other});
  W.seSN->SetValue(1);
  W.seNetAdr->SetValue(5);
  std::vector<String> Lines = Upload();
  EXPECT_EQ(
      std::vector<String>(Lines.end() - 2, Lines.end()),
      (std::vector<String>{u"Firmware started successfully.", u"Sent command - \"open door\"."}));
  EXPECT_EQ(Devices[0]->Settings().Address, 5);
  EXPECT_EQ(Devices[0]->DoorOpens(), 1);

  W.seSN->SetValue(2);
  Lines = Upload();
  EXPECT_EQ(std::vector<String>(Lines.end() - 2, Lines.end()),
            (std::vector<String>{u"Waiting for startup of the new firmware...",
                                 u"Not found running firmware. Try restarting the device."}));
}

TEST_F(UploadTest, AConverterUnpluggedMidUploadEndsItWithOneLine) {
  TControllerSettings C = WithLoader(LoaderFor(1004, 100));
  // Two info answers, two start messages, the first request, the second one; then the line goes.
  C.Faults.Clean = 6;
  C.Faults.HangUp = 1;
  TfmMain& W = OpenWith({C});
  TSimBus& Spare = AddConverter("SIM1");
  TControllerSettings Other = WithLoader(LoaderFor(1004), 77);
  Other.Address = 8;
  Spare.Add(std::make_unique<TSimController>(Other));

  const std::vector<String> Lines = Upload();
  const String LineGone = u"Converter or connection is defective!";
  EXPECT_EQ(std::vector<String>(Lines.end() - 2, Lines.end()),
            (std::vector<String>{u"Progress - 9%", LineGone}));
  EXPECT_NE(LogBytes().find("| " + ToUtf8(LineGone) + "\r\n"), std::string::npos);
  EXPECT_TRUE(HeadlessDialogs().Shown().size() == 2u);  // the file and the confirmation only
  EXPECT_EQ(Devices[0]->LoadedImage(), ImageOf(Plan).substr(0, 200));

  // The next check works, here on another converter.
  W.cbPort->SetText(u"SIM1");
  W.seSN->SetValue(77);
  W.btCheckSNClick(nullptr);
  EXPECT_EQ(MemoLines().at(2), u"Network address is 8");
}

}  // namespace
