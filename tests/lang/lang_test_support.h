#pragma once
// Shared helpers of the translation component tests: lines written with '|' for the delimiter,
// and a small form class that owns components and has a font.
#include <string>

#include "component/component.h"
#include "core/rtti.h"
#include "core/ustring.h"
#include "ui/font.h"

// "N|a|b|" -> the same line with character 1 as the delimiter.
inline String L(const std::string& Text, char16_t Delim = 1) {
  String S = FromUtf8(Text);
  for (char16_t& C : S)
    if (C == u'|') C = Delim;
  return S;
}

class TTestForm : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestForm", &TComponent::StaticClassType(), [](TClassType& C) {
      TPropsOf<TTestForm>(C)
          .Str(u"Caption", &TTestForm::Caption, &TTestForm::SetCaption)
          .Obj(u"Font", TFont::StaticClassType(), &TTestForm::Font, nullptr);
      C.Create = [](TObject* Owner) -> TObject* {
        return new TTestForm(dynamic_cast<TComponent*>(Owner));
      };
    });
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TTestForm(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  TFont* Font() const { return &FFont; }

 private:
  String FCaption;
  mutable TFont FFont;
};

// A plain component without a font, to stand for a data module.
class TTestModule : public TComponent {
 public:
  static const TClassType& StaticClassType() {
    static const TClassType T(u"TTestModule", &TComponent::StaticClassType());
    return T;
  }
  const TClassType& ClassType() const override { return StaticClassType(); }
  explicit TTestModule(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
};
