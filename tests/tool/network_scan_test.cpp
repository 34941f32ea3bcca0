#include <algorithm>
#include <utility>

#include "controller_test_support.h"
#include "sim/line_recorder.h"
#include "tool/network_scan.h"

namespace {

// Runs an action at the first processing of messages at which the condition holds.
class TWhenDriver : public THeadlessDriver {
 public:
  TWhenDriver(std::function<bool()> When, std::function<void()> Action)
      : FWhen(std::move(When)), FAction(std::move(Action)) {
    Application().SetDriver(this);
  }
  ~TWhenDriver() override { Application().SetDriver(nullptr); }
  TWhenDriver(const TWhenDriver&) = delete;
  TWhenDriver& operator=(const TWhenDriver&) = delete;

  void ProcessMessages(TApplication& App) override {
    if (!FDone && FWhen()) {
      FDone = true;
      FAction();
    }
    THeadlessDriver::ProcessMessages(App);
  }
  bool Done() const { return FDone; }

 private:
  std::function<bool()> FWhen;
  std::function<void()> FAction;
  bool FDone = false;
};

std::vector<TProbeWindow> Windows(std::initializer_list<std::pair<int, int>> List) {
  std::vector<TProbeWindow> R;
  for (const auto& [Low, High] : List) R.push_back({uint16_t(Low), uint16_t(High)});
  return R;
}

String Report(int N, int Address, int SN) {
  return u"#" + IntToStr(N) + u" Network Address is \"" + IntToStr(Address) +
         u"\". Serial number is \"" + IntToStr(SN) + u"\".";
}

TControllerSettings Behind(uint16_t SN, uint8_t Address) {
  TControllerSettings C = Controller(SN, Address);
  C.InRangeSearch = false;
  return C;
}

TControllerSettings NetDevice(uint16_t SN, uint8_t Address, std::vector<uint16_t> List) {
  TControllerSettings C = Controller(SN, Address);
  C.Type = 0x27;
  C.NetList = std::move(List);
  return C;
}

class ScanTest : public CheckTest {
 protected:
  TfmMain& OpenScan(const std::vector<TControllerSettings>& Controllers) {
    TSimBus& Bus = AddConverter("SIM0");
    Recorder = &static_cast<TLineRecorder&>(Bus.Add(std::make_unique<TLineRecorder>()));
    for (const auto& C : Controllers) Bus.Add(std::make_unique<TSimController>(C));
    TfmMain& W = OpenWindow();
    W.seNetAdr->SetValue(0);
    return W;
  }

  // The scan started as the technician starts it: the address field at 0, the button pressed.
  void PressScan() { Window->btCheckNetAddr->Click(); }

  // The texts of the log lines from the scan's first on.
  std::vector<String> LogLines() const {
    std::vector<String> R;
    const std::string Log = LogBytes();
    for (size_t At = Log.find("| Scanning started\r\n"); At != std::string::npos;
         At = Log.find("| ", At)) {
      const size_t End = Log.find("\r\n", At);
      R.push_back(AnsiToString(Log.substr(At + 2, End - At - 2)));
      At = End;
    }
    return R;
  }

  TLineRecorder* Recorder = nullptr;
};

TEST(NextRange, MovesAndNarrowsTheWindowAtTheTopOfTheRange) {
  TScanWindow W{65528, 65531};
  NextRange(W, RangeNextHalf);
  EXPECT_EQ(W, (TScanWindow{65532, 65533}));
  W = {65534, 65534};
  NextRange(W, RangeWider);  // 65535 + 8 wraps past the top
  EXPECT_EQ(W, (TScanWindow{65535, 65535}));
  W = {1000, 1000};
  NextRange(W, RangeWider);
  EXPECT_EQ(W, (TScanWindow{1001, 1009}));
  W = {5685, 38453};
  NextRange(W, RangeWider);  // eight times the width wraps to a narrow window: capped instead
  EXPECT_EQ(W, (TScanWindow{38454, 65535}));
  W = {0, 32767};
  NextRange(W, RangeLowerHalf);
  EXPECT_EQ(W, (TScanWindow{0, 16383}));
}

TEST_F(ScanTest, OneControllerAtALowSerialNumber) {
  TControllerSettings C = Controller(1000, 5);
  C.TextLines = {"Front door", "never asked"};
  TfmMain& W = OpenScan({C});
  PressScan();
  EXPECT_EQ(
      Recorder->ProbeWindows(),
      Windows({{0, 32767},   {0, 16383},   {0, 8191},     {0, 4095},     {0, 2047},    {0, 1023},
               {0, 511},     {512, 767},   {768, 895},    {896, 959},    {960, 991},   {992, 1007},
               {992, 999},   {1000, 1003}, {1000, 1001},  {1000, 1000},  {1001, 1009}, {1010, 1074},
               {1075, 1587}, {1588, 5684}, {5685, 38453}, {38454, 65535}}));
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Scanning started ...", u" ", Report(1, 5, 1000),
                                              u" Type = 0x1A Version 03.07", u"   Front door", u"",
                                              u"Scan completed."}));
  EXPECT_EQ(LogLines(),
            (std::vector<String>{u"Scanning started", u"Detect: Type=0x1A NetAddr=5 S/N=1000.",
                                 u"Scan completed."}));
  EXPECT_TRUE(Recorder->FastInfoAddresses().empty());
  EXPECT_EQ(Recorder->CountTo(1000, 0xFD, 2), 0);
  EXPECT_EQ(W.oComMode, 0);
  EXPECT_EQ(ScanIdle, 1);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Scan");
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

TEST_F(ScanTest, OneControllerAtTheTopOfTheRange) {
  OpenScan({Controller(65535, 9)});
  PressScan();
  EXPECT_EQ(Recorder->ProbeWindows(), Windows({{0, 32767},
                                               {32768, 65535},
                                               {32768, 49151},
                                               {49152, 57343},
                                               {57344, 61439},
                                               {61440, 63487},
                                               {63488, 64511},
                                               {64512, 65023},
                                               {65024, 65279},
                                               {65280, 65407},
                                               {65408, 65471},
                                               {65472, 65503},
                                               {65504, 65519},
                                               {65520, 65527},
                                               {65528, 65531},
                                               {65532, 65533},
                                               {65534, 65534},
                                               {65535, 65535}}));
  const std::vector<String> Lines = MemoLines();
  EXPECT_EQ(std::count(Lines.begin(), Lines.end(), Report(1, 9, 65535)), 1);
  EXPECT_EQ(Lines.back(), u"Scan completed.");
}

// Several answer the wider windows at once; a controller in its boot loader is reported without
// an address, and neither listed nor asked for a text line.
TEST_F(ScanTest, SeveralControllersCloseTogether) {
  TControllerSettings Loader = Controller(1001, 7);
  Loader.LoaderActive = true;
  TfmMain& W = OpenScan({Controller(1003, 8), Loader, Controller(1000, 6)});
  W.btScanCtrl->Click();
  EXPECT_EQ(
      Recorder->ProbeWindows(),
      Windows({{0, 32767},    {0, 16383},   {0, 8191},    {0, 4095},    {0, 2047},    {0, 1023},
               {0, 511},      {512, 767},   {768, 895},   {896, 959},   {960, 991},   {992, 1007},
               {992, 999},    {1000, 1003}, {1000, 1001}, {1000, 1000}, {1001, 1009}, {1001, 1005},
               {1001, 1003},  {1001, 1002}, {1001, 1001}, {1002, 1010}, {1002, 1006}, {1002, 1004},
               {1002, 1003},  {1002, 1002}, {1003, 1011}, {1003, 1007}, {1003, 1005}, {1003, 1004},
               {1003, 1003},  {1004, 1012}, {1013, 1077}, {1078, 1590}, {1591, 5687}, {5688, 38456},
               {38457, 65535}}));
  EXPECT_EQ(
      MemoLines(),
      (std::vector<String>{
          u"Scanning started ...", u" ", Report(1, 6, 1000), u" Type = 0x1A Version 03.07", u" ",
          u"#2 Active bootloader. Serial number is \"1001\".", u" Type = 0x1A Version 03.07", u" ",
          Report(3, 8, 1003), u" Type = 0x1A Version 03.07", u"", u"Scan completed."}));
  EXPECT_EQ(Recorder->CountTo(1001, 0xFD, 1), 0);
  EXPECT_EQ(Recorder->CountTo(1003, 0xFD, 1), 1);
}

// Nothing answers a probe: every address is asked in the fast mode. The controllers here answer
// only by address, with too little to count, so the sweep runs at line speed; one answers whole.
TEST_F(ScanTest, AnEmptySearchIsFollowedByADirectScanOfEveryAddress) {
  std::vector<TControllerSettings> Bus;
  for (int A = 1; A <= 254; ++A) {
    TControllerSettings C = Behind(uint16_t(2000 + A), uint8_t(A));
    if (A != 77) {
      C.Faults.Short = FaultAlways;
      C.Faults.ShortLength = 4;
    }
    C.TextLines = {"Lift"};
    Bus.push_back(C);
  }
  TfmMain& W = OpenScan(Bus);
  PressScan();
  EXPECT_EQ(Recorder->ProbeWindows(), Windows({{0, 32767}, {32768, 65535}}));
  std::vector<int> Expected;
  // Three attempts at each address, but one where the answer is whole.
  for (int A = 1; A <= 255; ++A) Expected.insert(Expected.end(), A == 77 ? 1 : 3, A);
  EXPECT_EQ(Recorder->FastInfoAddresses(), Expected);
  EXPECT_EQ(MemoLines(),
            (std::vector<String>{u"Scanning started ...", u"Start direct scan...", u" ",
                                 Report(1, 77, 2077), u" Type = 0x1A Version 03.07", u"   Lift",
                                 u" ", u"", u"Scan completed."}));
  EXPECT_EQ(LogLines(),
            (std::vector<String>{u"Scanning started", u"Start direct scan...",
                                 u"Detect: Type=0x1A NetAddr=77 S/N=2077.", u"Scan completed."}));
  EXPECT_EQ(W.oComMode, 0x123);
}

TEST_F(ScanTest, HotelModeHasNoDirectScan) {
  TfmMain& W = OpenScan({Behind(3000, 1)});
  W.oComMode = 0x123;  // the scan starts in the slow mode whatever the last operation left
  W.mniHotel->Click();
  PressScan();
  EXPECT_EQ(Recorder->ProbeWindows(0x30), Windows({{0, 32767}, {32768, 65535}}));
  EXPECT_EQ(Recorder->Heard().size(), 2u);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Scanning started ...", u"", u"Scan completed."}));
  EXPECT_EQ(W.oComMode, 0);
}

TEST_F(ScanTest, StopDuringTheSearchStillStartsTheDirectScanWhichEndsAtOnce) {
  TfmMain& W = OpenScan({});
  String CaptionWhileRunning;
  TWhenDriver Stop([&] { return Recorder->ProbeWindows().size() == 1; },
                   [&] {
                     CaptionWhileRunning = W.btCheckNetAddr->Caption();
                     PressScan();
                   });
  PressScan();
  EXPECT_EQ(CaptionWhileRunning, u"Stop");
  EXPECT_EQ(Recorder->ProbeWindows(), Windows({{0, 32767}}));
  EXPECT_TRUE(Recorder->FastInfoAddresses().empty());
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"Scanning started ...", u"Start direct scan...",
                                              u" ", u"", u"Scan breaking!"}));
  EXPECT_EQ(LogLines().back(), u"Scan breaking!");
  EXPECT_EQ(W.oComMode, 0x123);
  EXPECT_EQ(ScanIdle, 1);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Scan");

  // The next press starts a new scan (in Hotel mode, so it ends after its two probes).
  W.mniHotel->Click();
  PressScan();
  EXPECT_EQ(MemoLines().back(), u"Scan completed.");
}

// The stop ends the listing before the next controller; every further device still gets one
// count and one item exchange.
TEST_F(ScanTest, StopDuringTheListingOfADevice) {
  OpenScan({NetDevice(700, 1, {701, 702, 703}), NetDevice(800, 2, {801}), Behind(701, 3),
            Behind(702, 4), Behind(703, 5), Behind(801, 6)});
  TWhenDriver Stop([&] { return Recorder->CountTo(700, 0xFC, 2) == 1; }, [&] { PressScan(); });
  PressScan();
  ASSERT_TRUE(Stop.Done());
  const std::vector<String> Lines = MemoLines();
  EXPECT_EQ(std::count(Lines.begin(), Lines.end(), Report(3, 3, 701)), 1);
  EXPECT_EQ(Lines.size(), 12u);  // two devices and 701, each in three lines, then the end
  EXPECT_EQ(Lines.back(), u"Scan breaking!");
  EXPECT_EQ(Recorder->CountTo(702, 0xFD, 0), 0);
  EXPECT_EQ(Recorder->CountTo(800, 0xFC, 0), 1);
  EXPECT_EQ(Recorder->CountTo(800, 0xFC, 1), 1);
  EXPECT_EQ(Recorder->CountTo(801, 0xFD, 0), 0);
}

// A device behind a device is queued and listed in the same run; a device that is not ready yet
// is asked again, and one without controllers says so.
TEST_F(ScanTest, ADeviceBehindADevice) {
  TControllerSettings Outer = NetDevice(700, 1, {701});
  Outer.NetNotReady = 2;
  TControllerSettings Inner = NetDevice(701, 2, {702, 703});
  Inner.InRangeSearch = false;
  TControllerSettings Empty = NetDevice(703, 4, {});
  Empty.InRangeSearch = false;
  OpenScan({Outer, Inner, Behind(702, 3), Empty});
  PressScan();
  EXPECT_EQ(Recorder->CountTo(700, 0xFC, 0), 3);
  const std::vector<String> Lines = MemoLines();
  for (const String& Line :
       {Report(1, 1, 700), Report(2, 2, 701), Report(3, 3, 702), Report(4, 4, 703),
        String(u" No controllers are connected to the Orbit-Net s/n 703")})
    EXPECT_EQ(std::count(Lines.begin(), Lines.end(), Line), 1) << ToUtf8(Line);
  EXPECT_EQ(Lines.back(), u"Scan completed.");
  const std::vector<String> Log = LogLines();
  EXPECT_EQ(std::count(Log.begin(), Log.end(), u"Scan Orbit-Net s/n 701"), 1);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), u"Scan Orbit-Net s/n 703"), 1);
}

// A controller that garbles every answer still makes its probes hit, but is not reported; the
// search goes on above it.
TEST_F(ScanTest, AControllerThatAnswersGarbled) {
  TControllerSettings Bad = Controller(500, 1);
  Bad.Faults.Garble = FaultAlways;
  OpenScan({Bad, Controller(600, 2)});
  PressScan();
  const std::vector<TProbeWindow> Probed = Recorder->ProbeWindows();
  EXPECT_NE(std::find(Probed.begin(), Probed.end(), TProbeWindow{500, 500}), Probed.end());
  EXPECT_EQ(Recorder->CountTo(500, 0xFD, 0), 3);
  EXPECT_EQ(MemoLines(),
            (std::vector<String>{u"Scanning started ...", u" ", Report(1, 2, 600),
                                 u" Type = 0x1A Version 03.07", u"", u"Scan completed."}));
}

// A converter lost in the middle: the scan says so, and it did not complete.
TEST_F(ScanTest, AConverterLostMidScan) {
  TControllerSettings C = Controller(1000, 5);
  C.TextLines = {"Front door"};
  // Ten probes hit and the info is answered; the line goes instead of the text line.
  C.Faults.Clean = 11;
  C.Faults.HangUp = 1;
  TfmMain& W = OpenScan({C});
  PressScan();
  const String LineGone = u"Converter or connection is defective!";
  EXPECT_EQ(MemoLines(),
            (std::vector<String>{u"Scanning started ...", u" ", Report(1, 5, 1000),
                                 u" Type = 0x1A Version 03.07", LineGone, u"", u"Scan breaking!"}));
  EXPECT_EQ(LogLines(),
            (std::vector<String>{u"Scanning started", u"Detect: Type=0x1A NetAddr=5 S/N=1000.",
                                 LineGone, u"Scan breaking!"}));
  EXPECT_EQ(ScanIdle, 1);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Scan");
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

TEST_F(ScanTest, APortThatCannotBeOpenedEndsTheScan) {
  TfmMain& W = OpenScan({});
  W.cbPort->SetText(u"");
  PressScan();
  ASSERT_EQ(HeadlessDialogs().Shown().size(), 1u);
  EXPECT_EQ(MemoLines(), (std::vector<String>{u"", u"Scan completed."}));
  EXPECT_EQ(ScanIdle, 1);
}

// The field may change while the scan runs: afterwards the button names what pressing it does.
TEST_F(ScanTest, TheButtonFollowsTheAddressFieldAfterTheScan) {
  TfmMain& W = OpenScan({});
  W.mniHotel->Click();
  TWhenDriver Change([&] { return Recorder->ProbeWindows(0x30).size() == 1; },
                     [&] {
                       W.btnRussian->Click();
                       EXPECT_EQ(W.btCheckNetAddr->Caption(), W.Text(u"IDS_132"));
                       W.btnEnglish->Click();
                       W.seNetAdr->SetValue(5);
                     });
  PressScan();
  ASSERT_TRUE(Change.Done());
  EXPECT_EQ(MemoLines().back(), u"Scan completed.");
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Check");
  EXPECT_TRUE(W.btIdentify->Visible());
}

// Closing the window ends the program: a running scan stops at once, without its direct scan.
TEST_F(ScanTest, ClosingTheWindowStopsTheScan) {
  OpenScan({});
  TWhenDriver Close([&] { return Recorder->ProbeWindows().size() == 1; },
                    [] { Application().Terminate(); });
  PressScan();
  EXPECT_EQ(Recorder->ProbeWindows().size(), 1u);
  EXPECT_TRUE(Recorder->FastInfoAddresses().empty());
  EXPECT_EQ(MemoLines().back(), u"Scan breaking!");
}

}  // namespace
