#pragma once
// The screen as the window model knows it: the mouse cursor shown over every window, the
// screen's size and its monitors, and the forms with the active one among them.
#include <cstdint>
#include <vector>

#include "core/event.h"

class TCustomForm;

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHourGlass = -11;

struct TMonitor {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Primary = false;
};

class TScreen {
 public:
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }

  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

  // The monitors; one primary monitor as large as the screen until a view tells of others.
  int MonitorCount() const;
  TMonitor Monitors(int Index) const;  // EListError outside 0..MonitorCount-1
  void SetMonitors(std::vector<TMonitor> Value) { FMonitors = std::move(Value); }
  // The monitor marked primary, else the first.
  TMonitor PrimaryMonitor() const;
  // The monitor that holds the centre of the rectangle, else the one nearest to it.
  TMonitor MonitorFromRect(int Left, int Top, int Width, int Height) const;

  // The showing form that was activated last; null when no form shows.
  TCustomForm* ActiveForm() const { return FActiveForm; }
  // Every existing form, the most recently activated first.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;  // EListError outside 0..FormCount-1

  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void ActivateForm(TCustomForm* Form);
  // The form was hidden: the next showing form in activation order becomes active.
  void FormHidden(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);

  TCursor FCursor = crDefault;
  int FWidth = 1920;
  int FHeight = 1080;
  TCustomForm* FActiveForm = nullptr;
  std::vector<TCustomForm*> FForms;
  std::vector<TMonitor> FMonitors;
};

TScreen& Screen();
