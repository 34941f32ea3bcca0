// A new network address by serial number, and opening a door, through the real window against
// controllers on the simulated line.
#include <algorithm>

#include "controller_test_support.h"

namespace {

const String InUse = u"The selected network address is already in use!";

class AddressTest : public CheckTest {
 protected:
  // The window on the given controllers, with the serial number field on the first of them and
  // the address field on Field, the pane cleared of the rescan's report.
  TfmMain& OpenOn(std::initializer_list<TControllerSettings> Controllers, int Field = 5) {
    TfmMain& W = OpenWith(Controllers);
    W.seSN->SetValue(Controllers.size() ? Controllers.begin()->SerialNumber : 777);
    W.seNetAdr->SetValue(Field);
    W.Memo1->Lines()->Clear();
    return W;
  }

  // Enters Input in the address box (nothing: the box is cancelled) and presses the button.
  void SetAddress(const String* Input) {
    if (Input)
      HeadlessDialogs().Push(TDialogAnswer::Input(*Input));
    else
      HeadlessDialogs().Push(TDialogAnswer::Cancel());
    Window->btSetNewNAClick(Window->btSetNewNA);
  }
  void SetAddress(const String& Input) { SetAddress(&Input); }

  // The frames the window sent at a speed: each ends with the framing's end byte, which no body
  // holds.
  size_t FramesAt(uint32_t Speed, char EndByte = '\xF5') const {
    const std::string Sent = Buses.at(0)->ReceivedAt(Speed);
    return std::count(Sent.begin(), Sent.end(), EndByte);
  }

  // The error dialogs shown, after the input box.
  std::vector<String> ErrorDialogs() const {
    std::vector<String> R;
    for (const TShownDialog& D : HeadlessDialogs().Shown())
      if (D.Kind == TDialogKind::Message) {
        EXPECT_EQ(D.DlgType, mtError);
        R.push_back(D.Text);
      }
    return R;
  }
};

TEST_F(AddressTest, ANewAddressIsSetAndLogged) {
  TfmMain& W = OpenOn({Controller(777, 9)});
  SetAddress(u"12");
  const TShownDialog& Box = HeadlessDialogs().Shown().at(0);
  EXPECT_EQ(Box.Title, u"Setting a new network address");
  EXPECT_EQ(Box.Text, u"Enter a new address (1-254):");
  EXPECT_EQ(Box.Value, u"5");
  // The line names the address the field held, not the one the controller had.
  const String Changed = u"Network address was successfully changed from 5 to 12.";
  EXPECT_EQ(MemoLines(), std::vector<String>{Changed});
  EXPECT_NE(LogBytes().find("| " + ToUtf8(Changed) + "\r\n"), std::string::npos);
  EXPECT_EQ(Devices[0]->Settings().Address, 12);
  EXPECT_EQ(W.seNetAdr->Value(), 12);
  EXPECT_EQ(W.btCheckNetAddr->Caption(), u"Check");
  EXPECT_TRUE(ErrorDialogs().empty());
  EXPECT_FALSE(WriteOverlapped.EventOpen);
  // The info, the probe of the free address three times, the new address.
  EXPECT_EQ(FramesAt(19200), 5u);
}

TEST_F(AddressTest, InputsThatAreNoAddress) {
  TfmMain& W = OpenOn({Controller(777, 9)}, 0);
  W.Memo1->Lines()->Add(u"kept");
  // Nothing entered, "0", or the box cancelled over the address 0: nothing happens at all.
  SetAddress(u"");
  SetAddress(u"0");
  SetAddress(nullptr);
  EXPECT_EQ(MemoLines(), std::vector<String>{u"kept"});
  EXPECT_TRUE(ErrorDialogs().empty());

  // Out of range or not a number: the dialog quotes the input, the port stays shut.
  for (const String Input : {u"255", u"abc", u"-3", u"0x10"}) SetAddress(Input);
  EXPECT_EQ(ErrorDialogs(), (std::vector<String>{u"Entered an invalid address - \"255\"!",
                                                 u"Entered an invalid address - \"abc\"!",
                                                 u"Entered an invalid address - \"-3\"!",
                                                 u"Entered an invalid address - \"0x10\"!"}));
  EXPECT_TRUE(MemoLines().empty());
  EXPECT_TRUE(Buses[0]->ReceivedAt(19200).empty());
  EXPECT_EQ(Devices[0]->Settings().Address, 9);
}

TEST_F(AddressTest, RefusalsBeforeAnythingChanges) {
  TControllerSettings Loader = Controller(300, 20);
  Loader.LoaderActive = true;
  TfmMain& W = OpenOn({Controller(777, 9), Controller(778, 30), Loader}, 9);

  // Cancelled: the address in the field comes back, which the controller already has.
  SetAddress(nullptr);
  EXPECT_EQ(MemoLines(), std::vector<String>{u"The device already has a network address!"});

  // Another controller answers at the new address.
  SetAddress(u"30");
  EXPECT_EQ(ErrorDialogs(), std::vector<String>{InUse});
  EXPECT_EQ(MemoLines(), std::vector<String>{InUse});

  // No controller with that serial number.
  W.seSN->SetValue(1000);
  SetAddress(u"40");
  EXPECT_EQ(MemoLines(), std::vector<String>{u"Not answer"});

  // A controller in its boot loader gets nothing after the info.
  W.seSN->SetValue(300);
  const size_t Before = FramesAt(19200);
  SetAddress(u"40");
  EXPECT_EQ(ErrorDialogs().back(), u"The device is in bootloader mode!");
  EXPECT_TRUE(MemoLines().empty());
  EXPECT_EQ(FramesAt(19200), Before + 1);

  for (const TSimController* D : Devices) EXPECT_NE(D->Settings().Address, 40);
  EXPECT_EQ(W.seNetAdr->Value(), 9);
  EXPECT_EQ(LogBytes().find("changed"), std::string::npos);
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

TEST_F(AddressTest, AnAddressHeldByADeviceThatAnswersGarbled) {
  TControllerSettings Garbled = Controller(778, 30);
  Garbled.Faults.Garble = FaultAlways;
  OpenOn({Controller(777, 9), Garbled});
  SetAddress(u"30");
  EXPECT_EQ(ErrorDialogs(), std::vector<String>{InUse});
  EXPECT_EQ(MemoLines(), std::vector<String>{InUse});
  EXPECT_EQ(Devices[0]->Settings().Address, 9);
}

TEST_F(AddressTest, AnswersToTheNewAddressThatDoNotConfirmIt) {
  TControllerSettings C = Controller(777, 9);
  C.KeepsAddress = true;
  TfmMain& W = OpenOn({C});
  SetAddress(u"12");
  EXPECT_EQ(MemoLines(), std::vector<String>{u"Error setup network address! Wrong setup!"});

  TControllerFaults Short;
  Short.Clean = 1;
  Short.Short = 3;
  Devices[0]->SetFaults(Short);
  SetAddress(u"12");
  EXPECT_EQ(MemoLines(), std::vector<String>{u"Error setup network address! Wrong answer!"});

  TControllerFaults Silent;
  Silent.Clean = 1;
  Silent.Silent = 3;
  Devices[0]->SetFaults(Silent);
  SetAddress(u"12");
  EXPECT_EQ(MemoLines(), std::vector<String>{u"Error setup network address! Not confirmation!"});

  EXPECT_EQ(W.seNetAdr->Value(), 5);
  EXPECT_EQ(LogBytes().find("changed"), std::string::npos);
}

TEST_F(AddressTest, BothOperationsKeepTheFastModeAlsoInHotelMode) {
  TControllerSettings C = Controller(777, 9);
  C.At19200 = false;
  TfmMain& W = OpenOn({C}, 9);
  W.oComMode = ComModeFast;
  W.mniHotel->Click();
  SetAddress(u"12");
  EXPECT_EQ(MemoLines(),
            std::vector<String>{u"Network address was successfully changed from 9 to 12."});
  W.btIdentifyClick(W.btIdentify);
  EXPECT_EQ(Devices[0]->DoorOpens(), 1);
  EXPECT_EQ(W.oComMode, ComModeFast);
  EXPECT_TRUE(Buses[0]->ReceivedAt(19200).empty());
}

TEST_F(AddressTest, TheDoorLineComesWhateverTheAnswer) {
  TfmMain& W = OpenOn({Controller(777, 200)}, 200);
  W.oComMode = 0x23;  // anything but the fast mode starts the slow one
  W.btIdentifyClick(W.btIdentify);
  const std::vector<String> Sent = {u"Identify ...", u"Sent command - \"open door\"."};
  EXPECT_EQ(MemoLines(), Sent);
  EXPECT_EQ(Devices[0]->DoorOpens(), 1);
  EXPECT_EQ(W.oComMode, ComModeSlow);
  EXPECT_NE(Buses[0]->ReceivedAt(19200).find(std::string("\x01\xC8\x07\x00", 4)),
            std::string::npos);

  W.seNetAdr->SetValue(201);
  W.btIdentifyClick(W.btIdentify);
  EXPECT_EQ(MemoLines(), Sent);
  EXPECT_EQ(Devices[0]->DoorOpens(), 1);
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

TEST_F(AddressTest, AConverterGoneWhileSettingEndsWithOneLine) {
  TControllerSettings Probed = Controller(778, 30);
  Probed.Faults.HangUp = 1;
  TfmMain& W = OpenOn({Controller(777, 9), Probed});
  SetAddress(u"30");
  EXPECT_EQ(MemoLines(), std::vector<String>{u"Converter or connection is defective!"});
  EXPECT_TRUE(ErrorDialogs().empty());
  EXPECT_EQ(W.seNetAdr->Value(), 5);
  EXPECT_FALSE(WriteOverlapped.EventOpen);
}

}  // namespace
