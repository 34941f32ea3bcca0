#include "ui/msg_dlg_texts.h"

std::array<String, 15> MsgDlgTexts() {
  return {u"Warning", u"Error", u"Information", u"Confirm",     u"&Yes",
          u"&No",     u"OK",    u"Cancel",      u"&Abort",      u"&Retry",
          u"&Ignore", u"&All",  u"N&o to All",  u"Yes to &All", u"&Help"};
}
