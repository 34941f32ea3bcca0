#include "ui/msg_dlg_texts.h"

#include "ui/ui_res_strings.h"

std::array<String, 15> MsgDlgTexts() {
  return {SMsgDlgWarning, SMsgDlgError, SMsgDlgInformation, SMsgDlgConfirm,  SMsgDlgYes,
          SMsgDlgNo,      SMsgDlgOK,    SMsgDlgCancel,      SMsgDlgAbort,    SMsgDlgRetry,
          SMsgDlgIgnore,  SMsgDlgAll,   SMsgDlgNoToAll,     SMsgDlgYesToAll, SMsgDlgHelp};
}
