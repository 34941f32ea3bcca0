#pragma once
// The service tool's one window: its components, its own fields and its handlers.
#include <functional>
#include <memory>

#include "core/stream.h"
#include "lang/custom_lang.h"
#include "tool/com_port.h"
#include "tool/commands.h"
#include "tool/firmware_image.h"
#include "ui/buttons.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/memo.h"
#include "ui/menus.h"
#include "ui/panels.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

class TfmMain : public TForm {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TfmMain(TComponent* AOwner) : TForm(AOwner) {}

  // Form data that lacks one of the components below raises EReadError naming it, before
  // OnCreate: the handlers rely on every one of them.
  void AfterLoading() override;

  // Components, in the order the window declares them.
  TPanel* Panel1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TSpinEdit* seNetAdr = nullptr;
  TSpinEdit* seSN = nullptr;
  TSpeedButton* btCheckNetAddr = nullptr;
  TSpeedButton* btCheckSN = nullptr;
  TMemo* Memo1 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TComboBox* cbPort = nullptr;
  TSpeedButton* btCOMrescan = nullptr;
  TGroupBox* Image = nullptr;
  TSpeedButton* btLoadImage = nullptr;
  TSpeedButton* btScanCtrl = nullptr;
  TStatusBar* sbBar = nullptr;
  TSpeedButton* btProg = nullptr;
  TSpeedButton* btSetNewNA = nullptr;
  TSpeedButton* btIdentify = nullptr;
  TPopupMenu* ppmLog = nullptr;
  TMenuItem* ppmWriteLogInfo = nullptr;
  TlcLang* slng1 = nullptr;
  TButton* btnEnglish = nullptr;
  TButton* btnRussian = nullptr;
  TPopupMenu* ppmMode = nullptr;
  TMenuItem* mniHotel = nullptr;

  // Handlers bound by the form data.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Memo1DblClick(TObject* Sender);
  void mniHotelClick(TObject* Sender);
  // Starts the network scan, or asks the running one to stop.
  void btScanCtrlClick(TObject* Sender);
  void seNetAdrChange(TObject* Sender);
  void btnEnglishClick(TObject* Sender);
  void btnRussianClick(TObject* Sender);
  void btCOMrescanClick(TObject* Sender);
  void btCheckNetAddrClick(TObject* Sender);
  void btCheckSNClick(TObject* Sender);
  void btSetNewNAClick(TObject* Sender);
  void btIdentifyClick(TObject* Sender);
  void btLoadImageClick(TObject* Sender);
  void btProgClick(TObject* Sender);

  // Reads and describes the image file fn and asks whether to load it: true on Yes.
  bool PutFileInfo(const String& fn);

  // The serial link: the port in the current port mode, the framings, one exchange.
  TComHandle OpenComInMode();
  RawBytes GetPack(const RawBytes& s) const;
  RawBytes UnPack(const RawBytes& s) const;
  RawBytes ExPack(TComHandle& hc, const RawBytes& s, uint32_t Delay);

  // The window's own fields.
  String ProgFile;
  String ImageInfo;
  std::unique_ptr<TMemoryStream> stmFirmWare;
  int oComMode = 0;

  // Gives the output pane the focus when it can take it and clears it: operations begin so.
  void ClearOutput();
  // Steps the two checks share.
  void CheckPrologue();
  void ApplyCheckPortMode();
  void AddTypeAndVersion(const TInfoAnswer& Info);
  void LogDetection(const TInfoAnswer& Info);
  // Adds the memory and mode lines, or "Not answer" (false) when the answer lacks them.
  bool AddMemoryLines(TComHandle& hc, uint8_t NA);
  void CheckByAddress();
  void CheckBySN();

  // Setting an address and opening a door keep the fast mode when a check has set it.
  void ApplyLinkPortMode();
  void SetNewAddress(uint8_t NewAddress);

  // Runs one operation that talks to a controller. When its line goes (ELineGone), the operation
  // ends there, its port closed on the way out, with one line in the output pane and the log, and
  // the result is false.
  bool RunOnLine(const std::function<void()>& Operation);

  // A message text by its key, in the active language.
  String Text(const char16_t* Key) const { return slng1->GetTextOrDefault(Key); }
  // Adds a line to the output pane.
  void AddLine(const String& Line);
  // Logs a text through WriteLog in the ANSI code page.
  void Log(const String& Line);

 private:
  String SerialRangesText(const TImageDescription& D) const;
  // Clears the output pane and shows ImageInfo in it.
  void ShowImageInfo();
  // With an image loaded: its file name in the window's caption, "View info" on its button.
  void ShowImageLoaded();

  // The upload from opening the port on.
  void Upload();
  // The upload's transfer, served from stmFirmWare until the loader tells its result: true
  // when it did.
  bool Transfer(TComHandle& hc, uint16_t SN);
  // Waits for the new firmware and gives it back the address field's address.
  void RestartCheck(TComHandle& hc, uint16_t SN);
  // The progress line, replaced in place while it is the last line.
  void ShowProgress(const String& Progress);
  String UploadResultText(uint8_t Code) const;

  // The image file as PutFileInfo described it, to be loaded on Yes.
  TImageFile FShownImage;
};

// The one window of the program.
extern TfmMain* fmMain;

// Creates the window from its form data (compiled into the program), owned by Owner.
TfmMain* CreateMainForm(TComponent* Owner);
