#pragma once
// The standard dialogs as Qt dialogs: message dialogs (the type gives the icon, the model
// gives the title and the button texts), the input box and the open-file dialog.
#include <QStringList>

#include "ui/dialogs.h"
#include "ui/open_dialog.h"

// A filter "Description|*.a;*.b|..." as Qt's name filters "Description (*.a *.b)"; "*.*" means
// every file, as it does where the filters come from.
QStringList ToQtNameFilters(const String& Filter);

class TQtDialogs : public TDialogProvider {
 public:
  TModalResult MessageDlg(const TMessageDlgParams& Params) override;
  bool InputQuery(const String& ACaption, const String& APrompt, String& Value,
                  char16_t APasswordChar) override;
  bool ExecuteOpenDialog(TOpenDialog& Dialog) override;
};
