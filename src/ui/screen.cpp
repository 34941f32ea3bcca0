#include "ui/screen.h"

#include <algorithm>

#include "core/exceptions.h"
#include "core/ustring.h"
#include "ui/form.h"

TScreen& Screen() {
  static TScreen S;
  return S;
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  return FForms[static_cast<size_t>(Index)];
}

int TScreen::MonitorCount() const {
  return FMonitors.empty() ? 1 : static_cast<int>(FMonitors.size());
}

TMonitor TScreen::Monitors(int Index) const {
  if (Index < 0 || Index >= MonitorCount())
    throw EListError(Format(SListIndexError, {static_cast<int64_t>(Index)}));
  if (FMonitors.empty()) return {0, 0, FWidth, FHeight, true};
  return FMonitors[static_cast<size_t>(Index)];
}

TMonitor TScreen::PrimaryMonitor() const {
  for (const TMonitor& M : FMonitors)
    if (M.Primary) return M;
  return Monitors(0);
}

TMonitor TScreen::MonitorFromRect(int Left, int Top, int Width, int Height) const {
  const int64_t X = Left + Width / 2, Y = Top + Height / 2;
  TMonitor Best = Monitors(0);
  int64_t BestDistance = -1;
  for (int I = 0; I < MonitorCount(); ++I) {
    const TMonitor M = Monitors(I);
    // Squared distance from the centre to the monitor; 0 inside it.
    const int64_t DX = X < M.Left              ? M.Left - X
                       : X >= M.Left + M.Width ? X - M.Left - M.Width + 1
                                               : 0;
    const int64_t DY = Y < M.Top ? M.Top - Y : Y >= M.Top + M.Height ? Y - M.Top - M.Height + 1 : 0;
    const int64_t D = DX * DX + DY * DY;
    if (BestDistance < 0 || D < BestDistance) {
      Best = M;
      BestDistance = D;
    }
  }
  return Best;
}

void TScreen::AddForm(TCustomForm* Form) {
  FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  std::erase(FForms, Form);
  if (FActiveForm == Form) FormHidden(Form);
}

void TScreen::ActivateForm(TCustomForm* Form) {
  const auto It = std::find(FForms.begin(), FForms.end(), Form);
  if (It == FForms.end()) return;
  std::rotate(FForms.begin(), It, It + 1);
  SetActiveForm(Form);
}

void TScreen::FormHidden(TCustomForm* Form) {
  if (FActiveForm != Form) return;
  TCustomForm* Next = nullptr;
  for (TCustomForm* F : FForms)
    if (F != Form && F->Visible()) {
      Next = F;
      break;
    }
  SetActiveForm(Next);
}

void TScreen::SetActiveForm(TCustomForm* Form) {
  if (Form == FActiveForm) return;
  FActiveForm = Form;
  OnActiveFormChange(nullptr);
}
