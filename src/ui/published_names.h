#pragma once
// The names under which the window model's published properties are registered and under which
// their setters report a change, said once here so that the registration tables, the setters and
// the views that follow the changes cannot drift apart.

namespace Published {
inline constexpr char16_t Action[] = u"Action";
inline constexpr char16_t ActiveControl[] = u"ActiveControl";
inline constexpr char16_t Align[] = u"Align";
inline constexpr char16_t Alignment[] = u"Alignment";
inline constexpr char16_t AutoCheck[] = u"AutoCheck";
inline constexpr char16_t AutoSize[] = u"AutoSize";
inline constexpr char16_t BiDiMode[] = u"BiDiMode";
inline constexpr char16_t BorderStyle[] = u"BorderStyle";
inline constexpr char16_t Cancel[] = u"Cancel";
inline constexpr char16_t Caption[] = u"Caption";
inline constexpr char16_t Checked[] = u"Checked";
inline constexpr char16_t Color[] = u"Color";
inline constexpr char16_t Default[] = u"Default";
inline constexpr char16_t Enabled[] = u"Enabled";
inline constexpr char16_t Font[] = u"Font";
inline constexpr char16_t GroupIndex[] = u"GroupIndex";
inline constexpr char16_t Hint[] = u"Hint";
inline constexpr char16_t ItemIndex[] = u"ItemIndex";
inline constexpr char16_t Items[] = u"Items";
inline constexpr char16_t Layout[] = u"Layout";
inline constexpr char16_t Lines[] = u"Lines";
inline constexpr char16_t MaxLength[] = u"MaxLength";
inline constexpr char16_t MaxValue[] = u"MaxValue";
inline constexpr char16_t MinValue[] = u"MinValue";
inline constexpr char16_t ModalResult[] = u"ModalResult";
inline constexpr char16_t Panels[] = u"Panels";
inline constexpr char16_t ParentFont[] = u"ParentFont";
inline constexpr char16_t PasswordChar[] = u"PasswordChar";
inline constexpr char16_t PopupMenu[] = u"PopupMenu";
inline constexpr char16_t Position[] = u"Position";
inline constexpr char16_t RadioItem[] = u"RadioItem";
inline constexpr char16_t ReadOnly[] = u"ReadOnly";
inline constexpr char16_t ScrollBars[] = u"ScrollBars";
inline constexpr char16_t ShortCut[] = u"ShortCut";
inline constexpr char16_t SimplePanel[] = u"SimplePanel";
inline constexpr char16_t SimpleText[] = u"SimpleText";
inline constexpr char16_t Style[] = u"Style";
inline constexpr char16_t TabOrder[] = u"TabOrder";
inline constexpr char16_t Text[] = u"Text";
inline constexpr char16_t Value[] = u"Value";
inline constexpr char16_t Visible[] = u"Visible";
inline constexpr char16_t WindowState[] = u"WindowState";
inline constexpr char16_t WordWrap[] = u"WordWrap";
}  // namespace Published
