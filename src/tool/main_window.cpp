#include "tool/main_window.h"

#include "component/reader.h"
#include "core/code_page.h"
#include "core/exceptions.h"
#include "core/rtti.h"
#include "tool/log_file.h"
#include "tool/main_form_data.h"
#include "tool/network_scan.h"
#include "tool/unit_state.h"
#include "ui/application.h"

TfmMain* fmMain = nullptr;

const TClassType& TfmMain::StaticClassType() {
  static const TClassType T(u"TfmMain", &TForm::StaticClassType(), [](TClassType& C) {
    using F = TfmMain;
    TPropsOf<F>(C)
        .Field(u"Panel1", &F::Panel1)
        .Field(u"GroupBox1", &F::GroupBox1)
        .Field(u"GroupBox2", &F::GroupBox2)
        .Field(u"seNetAdr", &F::seNetAdr)
        .Field(u"seSN", &F::seSN)
        .Field(u"btCheckNetAddr", &F::btCheckNetAddr)
        .Field(u"btCheckSN", &F::btCheckSN)
        .Field(u"Memo1", &F::Memo1)
        .Field(u"GroupBox3", &F::GroupBox3)
        .Field(u"cbPort", &F::cbPort)
        .Field(u"btCOMrescan", &F::btCOMrescan)
        .Field(u"Image", &F::Image)
        .Field(u"btLoadImage", &F::btLoadImage)
        .Field(u"btScanCtrl", &F::btScanCtrl)
        .Field(u"sbBar", &F::sbBar)
        .Field(u"btProg", &F::btProg)
        .Field(u"btSetNewNA", &F::btSetNewNA)
        .Field(u"btIdentify", &F::btIdentify)
        .Field(u"ppmLog", &F::ppmLog)
        .Field(u"ppmWriteLogInfo", &F::ppmWriteLogInfo)
        .Field(u"slng1", &F::slng1)
        .Field(u"btnEnglish", &F::btnEnglish)
        .Field(u"btnRussian", &F::btnRussian)
        .Field(u"ppmMode", &F::ppmMode)
        .Field(u"mniHotel", &F::mniHotel)
        .Method(u"FormCreate", &F::FormCreate)
        .Method(u"FormClose", &F::FormClose)
        .Method(u"Memo1DblClick", &F::Memo1DblClick)
        .Method(u"mniHotelClick", &F::mniHotelClick)
        .Method(u"btScanCtrlClick", &F::btScanCtrlClick)
        .Method(u"seNetAdrChange", &F::seNetAdrChange)
        .Method(u"btnEnglishClick", &F::btnEnglishClick)
        .Method(u"btnRussianClick", &F::btnRussianClick)
        .Method(u"btCOMrescanClick", &F::btCOMrescanClick)
        .Method(u"btCheckNetAddrClick", &F::btCheckNetAddrClick)
        .Method(u"btCheckSNClick", &F::btCheckSNClick)
        .Method(u"btSetNewNAClick", &F::btSetNewNAClick)
        .Method(u"btIdentifyClick", &F::btIdentifyClick)
        .Method(u"btLoadImageClick", &F::btLoadImageClick)
        .Method(u"btProgClick", &F::btProgClick);
    C.Create = [](TObject* Owner) -> TObject* {
      return new TfmMain(dynamic_cast<TComponent*>(Owner));
    };
  });
  return T;
}

void TfmMain::AfterLoading() {
  for (const TFieldInfo& Field : StaticClassType().OwnFields())
    if (!Field.Get(*this))
      throw EReadError(
          Format(u"The form data of %s lacks the component %s", {ClassType().Name(), Field.Name}));
  TForm::AfterLoading();
}

TfmMain* CreateMainForm(TComponent* Owner) {
  Application().Initialize();
  RegisterLangClasses();
  auto* Form = new TfmMain(Owner);
  fmMain = Form;
  try {
    TMemoryStream Data(
        std::string(reinterpret_cast<const char*>(MainWindowForm), MainWindowForm_size));
    ReadComponent(Data, Form);
  } catch (...) {
    fmMain = nullptr;
    Form->BeforeDestruction();
    delete Form;
    throw;
  }
  return Form;
}

void TfmMain::ClearOutput() {
  if (Memo1->CanFocus()) Memo1->SetFocus();
  Memo1->Lines()->Clear();
}

void TfmMain::AddLine(const String& Line) {
  Memo1->Lines()->Add(Line);
}

void TfmMain::Log(const String& Line) {
  WriteLog(StringToAnsi(Line));
}

void TfmMain::FormCreate(TObject*) {
  Log(Text(u"IDS_120"));
  btCOMrescanClick(nullptr);
  stmFirmWare = std::make_unique<TMemoryStream>();
  sbBar->Panels()->Items(0)->SetText(Text(u"IDS_121") + GetAppVersion());
}

void TfmMain::FormClose(TObject*, TCloseAction&) {
  Log(Text(u"IDS_119"));
}

void TfmMain::Memo1DblClick(TObject*) {
  Memo1->Lines()->Clear();
}

void TfmMain::mniHotelClick(TObject*) {
  CmdPrefix = mniHotel->Checked() ? HotelPrefix : NormalPrefix;
}

void TfmMain::seNetAdrChange(TObject*) {
  const bool Address = seNetAdr->Value() > 0;
  // At address 0 the button starts the scan, or stops the one that runs.
  btCheckNetAddr->SetCaption(Text(Address ? u"IDS_113" : ScanIdle ? u"IDS_114" : u"IDS_132"));
  btIdentify->SetVisible(Address);
}

// The switch re-applies the caption table, where the address button reads "Scan" and the image
// button "Load image"; the field's rule and the loaded image's captions are applied again so
// the buttons name what pressing them does.
void TfmMain::btnEnglishClick(TObject*) {
  slng1->SetActiveLanguage(1);
  seNetAdrChange(nullptr);
  ShowImageLoaded();
}

void TfmMain::btnRussianClick(TObject*) {
  slng1->SetActiveLanguage(2);
  seNetAdrChange(nullptr);
  ShowImageLoaded();
}
