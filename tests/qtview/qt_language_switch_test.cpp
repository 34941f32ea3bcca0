// A language switch reaches every widget it changes: texts, list items with their selection,
// memo lines, status panels, fonts and their charsets.
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>

#include "lang/custom_lang.h"
#include "qt_test_support.h"

namespace {

String Line(const char* Text) {
  String S = FromUtf8(Text);
  for (char16_t& C : S)
    if (C == u'|') C = 1;
  return S;
}

TEST_F(QtViewTest, ASwitchRedrawsEveryWidgetItChanges) {
  TSampleForm& S = ShowSample();
  auto* Lang = new TlcLang(S.Form.get());
  Lang->SetNumOfLanguages(2);
  Lang->Captions()->Add(Line("GroupBox1|Network address|Сетевой адрес|"));
  Lang->Captions()->Add(Line("btCheckNetAddr|Scan|Поиск|"));
  Lang->MultiLines()->Add(Line("cbPort.Items|COM1,COM2|\"Порт 1\",\"Порт 2\"|"));
  Lang->MultiLines()->Add(Line("Memo1.Lines|Memo1|Журнал,пуст|"));
  Lang->Collections()->Add(Line("sbBar.Panels[0].Text|Version 1.8|Версия 1.8|"));
  Lang->Fonts()->Add(Line("GroupBox1|Tahoma|Tahoma|"));
  Lang->CharSets()->Add(Line("GroupBox1|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
  S.Combo->SetItemIndex(1);

  Lang->SetActiveLanguage(2);
  Application().ProcessMessages();
  EXPECT_EQ(Peer<QGroupBox>(S.Group)->title(), QString::fromUtf8("Сетевой адрес"));
  EXPECT_EQ(Peer<QToolButton>(S.Speed)->text(), QString::fromUtf8("Поиск"));
  auto* Combo = Peer<QComboBox>(S.Combo);
  ASSERT_EQ(Combo->count(), 2);
  EXPECT_EQ(Combo->itemText(0), QString::fromUtf8("Порт 1"));
  EXPECT_EQ(Combo->currentText(), QString::fromUtf8("Порт 2"));
  EXPECT_EQ(Peer<QPlainTextEdit>(S.Memo)->toPlainText(), QString::fromUtf8("Журнал\nпуст"));
  const auto Panels = Peer<QStatusBar>(S.Bar)->findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(Panels.begin(), Panels.end(),
                          [](QLabel* L) { return L->text() == QString::fromUtf8("Версия 1.8"); }));
  // The charset alone changes the font: a family that writes Cyrillic stands in.
  const QString Family = QFontInfo(Peer<QGroupBox>(S.Group)->font()).family();
  EXPECT_TRUE(QFontDatabase::writingSystems(Family).contains(QFontDatabase::Cyrillic))
      << Family.toStdString();
  EXPECT_EQ(S.Group->Font()->Charset(), 204);

  Lang->SetActiveLanguage(1);
  Application().ProcessMessages();
  EXPECT_EQ(Peer<QGroupBox>(S.Group)->title(), "Network address");
  EXPECT_EQ(Combo->currentText(), "COM2");
  EXPECT_EQ(Peer<QPlainTextEdit>(S.Memo)->toPlainText(), "Memo1");
  EXPECT_EQ(S.Group->Font()->Charset(), DEFAULT_CHARSET);
}

}  // namespace
