#pragma once
// The status bar along the bottom of a form, with its panels (or one simple text). Any change
// of a panel notifies the bar's view as "Panels".
#include <memory>

#include "component/collection.h"
#include "ui/win_control.h"

class TStatusBar;

class TStatusPanel : public TCollectionItem {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TStatusPanel(TCollection* ACollection) : TCollectionItem(ACollection) {}

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);

  void Assign(const TPersistent& Source) override;

 private:
  TAlignment FAlignment = taLeftJustify;
  String FText;
  int FWidth = 50;
};

class TStatusPanels : public TCollection {
 public:
  explicit TStatusPanels(TStatusBar* Bar);
  TStatusPanel* Items(int Index) const {
    return static_cast<TStatusPanel*>(TCollection::Items(Index));
  }
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TStatusBar& FBar;
};

class TStatusBar : public TWinControl {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TStatusBar(TComponent* AOwner);

  TStatusPanels* Panels() const { return FPanels.get(); }
  // One text across the whole bar instead of the panels.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const String& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& Value);

 protected:
  TAlign DefaultAlign() const override { return alBottom; }
  // A status bar writes in a font of its own, not in its form's.
  bool DefaultParentFont() const override { return false; }

 private:
  friend class TStatusPanels;

  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  String FSimpleText;
};
