#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "ui/screen.h"
#include "ui/window_system.h"

namespace {

TEST(HeadlessWindowSystem, TextsAreMeasuredWithoutKeyMarksAndWrapBetweenWords) {
  THeadlessWindowSystem W;
  TFont Font;
  EXPECT_EQ(W.TextExtent(Font, u"&Yes"), W.TextExtent(Font, u"Yes"));
  EXPECT_EQ(W.TextExtent(Font, u"A&B"), W.TextExtent(Font, u"AB"));
  EXPECT_GT(W.TextExtent(Font, u"A&&B").cx, W.TextExtent(Font, u"AB").cx);
  EXPECT_LT(W.TextExtent(Font, u"iiii").cx, W.TextExtent(Font, u"WWWW").cx);
  TFont Large;
  Large.SetHeight(-22);
  EXPECT_GT(W.TextExtent(Large, u"Yes").cy, W.TextExtent(Font, u"Yes").cy);

  const int Line = W.TextExtent(Font, u"x").cy;
  const int Word = W.TextExtent(Font, u"word").cx;
  // Three words where two fit: two lines, the first the widest.
  const TSize Two = W.WrappedTextExtent(Font, u"word word word", 2 * Word + Word / 2);
  EXPECT_EQ(Two.cy, 2 * Line);
  EXPECT_EQ(Two.cx, W.TextExtent(Font, u"word word").cx);
  // A word wider than the limit stands alone, over it; line breaks always break.
  EXPECT_EQ(W.WrappedTextExtent(Font, u"wordwordword", Word).cx, 3 * Word);
  EXPECT_EQ(W.WrappedTextExtent(Font, u"a\r\nb\nc", 1000).cy, 3 * Line);
  EXPECT_EQ(W.WrappedTextExtent(Font, u"", 1000), (TSize{0, Line}));
  // A tab reaches the next stop of eight average characters.
  EXPECT_EQ(W.WrappedTextExtent(Font, u"\tx", 1000).cx,
            8 * W.TextExtent(Font, u"x").cx + W.TextExtent(Font, u"x").cx);
}

TEST(HeadlessWindowSystem, ABusyClipboardTakesNothing) {
  THeadlessWindowSystem W;
  EXPECT_TRUE(W.SetClipboardText(u"one"));
  W.ClipboardBusy = true;
  EXPECT_FALSE(W.SetClipboardText(u"two"));
  EXPECT_EQ(W.ClipboardText, u"one");
}

TEST(Screen, MonitorsAreFoundByTheCentreOfARectangleOrTheNearest) {
  TScreen S;
  ASSERT_EQ(S.MonitorCount(), 1);
  EXPECT_EQ(S.PrimaryMonitor().Width, S.Width());
  S.SetMonitors({{0, 0, 1920, 1080, false}, {1920, 0, 1280, 1024, true}});
  EXPECT_EQ(S.PrimaryMonitor().Left, 1920);
  EXPECT_EQ(S.MonitorFromRect(1800, 10, 400, 300).Left, 1920);  // centre at 2000
  EXPECT_EQ(S.MonitorFromRect(1600, 10, 400, 300).Left, 0);     // centre at 1800
  EXPECT_EQ(S.MonitorFromRect(-900, 2000, 100, 100).Left, 0);   // off every monitor
  EXPECT_EQ(S.MonitorFromRect(5000, 500, 100, 100).Left, 1920);
  S.SetMonitors({{0, 0, 800, 600, false}});
  EXPECT_EQ(S.PrimaryMonitor().Width, 800);  // none marked: the first
  EXPECT_THROW(S.Monitors(1), EListError);
}

}  // namespace
