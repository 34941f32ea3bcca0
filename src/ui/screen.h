#pragma once
// The screen as the window model knows it: the mouse cursor shown over every window, the
// screen's size, and the forms with the active one among them.
#include <cstdint>
#include <vector>

#include "core/event.h"

class TCustomForm;

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHourGlass = -11;

class TScreen {
 public:
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }

  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

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
};

TScreen& Screen();
