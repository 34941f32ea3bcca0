#pragma once
// The task dialog of the platform's common controls: a message box with a window title, a main
// instruction, content, an icon and buttons of its own. It is looked up at run time and used
// only where the platform offers one. The window system of this program offers none; a stand-in
// platform can be put in its place.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/ustring.h"

class TCustomForm;

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);

inline constexpr uint32_t TDF_ALLOW_DIALOG_CANCELLATION = 0x0008;
inline constexpr uint32_t TDF_RTL_LAYOUT = 0x2000;
inline constexpr int TD_WARNING_ICON = -1;
inline constexpr int TD_ERROR_ICON = -2;
inline constexpr int TD_INFORMATION_ICON = -3;
inline constexpr unsigned TDN_CREATED = 0;
inline constexpr unsigned TDN_BUTTON_CLICKED = 2;
inline constexpr unsigned TDN_HELP = 9;

// The dialog's window, as its callback sees it.
class TTaskDialogWindow {
 public:
  virtual ~TTaskDialogWindow() = default;
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Moves the window without sizing, reordering or activating it.
  virtual void MoveTo(int X, int Y) = 0;
};

// Called by the dialog with a notification and its argument; S_FALSE to a click keeps the
// dialog open.
using TTaskDialogCallback =
    std::function<HRESULT(TTaskDialogWindow& Window, unsigned Notification, intptr_t WParam)>;

struct TTaskDialogButton {
  int Id = 0;
  String Text;
};

struct TTaskDialogConfig {
  TCustomForm* Parent = nullptr;
  uint32_t Flags = 0;
  int MainIcon = 0;  // a TD_*_ICON, 0 for none
  std::vector<TTaskDialogButton> Buttons;
  int DefaultButton = 0;
  String WindowTitle;
  String MainInstruction;
  String Content;
  TTaskDialogCallback Callback;  // may be empty
};

// Shows the dialog; on success PressedButton receives the id of the button pressed.
using TTaskDialogIndirectProc =
    std::function<HRESULT(const TTaskDialogConfig& Config, int* PressedButton)>;

class TTaskDialogPlatform {
 public:
  virtual ~TTaskDialogPlatform() = default;
  // The major version of the window system, as the platform reports it.
  virtual int MajorVersion() const = 0;
  // The common controls' entry point, or nullptr while the process has no such module or the
  // module has no such entry. Once found it is kept.
  const TTaskDialogIndirectProc* TaskDialogIndirect();

 protected:
  // Looks the entry point up now. The module is never loaded for this.
  virtual const TTaskDialogIndirectProc* FindTaskDialogIndirect() = 0;

 private:
  const TTaskDialogIndirectProc* FFound = nullptr;
};

// The platform in force: this program's, which has no task dialog, unless a stand-in was set.
TTaskDialogPlatform& TaskDialogPlatform();
// Not owned; null puts this program's platform back.
void SetTaskDialogPlatform(TTaskDialogPlatform* Platform);
