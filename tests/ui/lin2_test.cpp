// The list widget's pointer step: expansion, focus by priority, line and cell
// ids, the row limit and the fit below the top of the screen.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/widget_fixture.h"

namespace {

std::vector<int> calls;
void Record(int id) { calls.push_back(id); }

class Lin2 : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWidgetState(800, 600);
    calls.clear();
  }
  // Pointer at (x, y) for one step of the list.
  static int Step(t_Lin2& li, int x, int y, int click) {
    gMX = x;
    gMY = y;
    return li._Exe2(Record, click);
  }
};

}  // namespace

TEST_F(Lin2, GeometryFromScreenFractions) {
  t_Lin2 li;
  li.InitLin(200, 0, 310, 0.1f, 0.1f, 0.4f, 0.05f, 0.2f, 0.15f, 0.5f, 0.02f, 0, 0, 1);
  EXPECT_EQ(li.rows, 300);  // a list keeps 300 rows at the most
  EXPECT_EQ(li.x, 80);
  EXPECT_EQ(li.y, 60);
  EXPECT_EQ(li.w, 320);
  EXPECT_EQ(li.lineH, 30);
  EXPECT_EQ(li.h, 30 * 300);
  EXPECT_EQ(li.x2, 160);
  EXPECT_EQ(li.y2, 90);
  EXPECT_EQ(li.w2, 400);
  EXPECT_EQ(li.h2, 12 * 300);
  // Line n lies rows - n - 1 lines above the bottom: line 0 on top.
  EXPECT_EQ(li.LineBottom(299), 60);
  EXPECT_EQ(li.LineBottom(0), 60 + 299 * 30);
  // Collapsed, the one line left is the field itself.
  li.SetOnlyZeroLinePole();
  EXPECT_EQ(li.LineBottom(0), li.y0);
}

TEST_F(Lin2, EnteringACollapsedListOnlyExpandsIt) {
  t_Lin2 li;
  li.InitLin(200, 0, 5, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.1f, 0.4f, 0.05f, 0, 0, 1);
  li.SetOnlyZeroLinePole();
  EXPECT_EQ(li.h, 30);
  EXPECT_EQ(Step(li, 100, 70, 1), 2);  // button down, yet nothing is called
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(li.collapsed, 0);
  EXPECT_EQ(li.h, 150);
  EXPECT_EQ(pGrabFokusLin2, &li);
  // Now the same click selects line 4 (the bottom line of five).
  EXPECT_EQ(Step(li, 100, 70, 1), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], 204);
  // Without a click a line under the pointer answers 1 and calls nothing.
  EXPECT_EQ(Step(li, 100, 200, 0), 1);
  EXPECT_EQ(li.lineUK, 0);
  EXPECT_EQ(calls.size(), 1u);
  // Leaving collapses it and releases the focus.
  EXPECT_EQ(Step(li, 700, 500, 0), 0);
  EXPECT_EQ(li.collapsed, 1);
  EXPECT_EQ(pGrabFokusLin2, nullptr);
}

TEST_F(Lin2, TableCellsReportBasePlusCell) {
  t_Lin2 li;
  li.InitLin(300, 0, 3, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.1f, 0.4f, 0.05f, 4, 1, 1);
  li.SetOnlyZeroLinePole();
  ASSERT_EQ(Step(li, 100, 70, 0), 2);
  ASSERT_EQ(li.tableOn, 1);
  // Field 80..400 x 60..150, cells 80 wide, line 1 spans y 90..120.
  struct Case {
    int x, y, id;
  } cases[] = {
      {80 + 170, 100, 306},  // the third cell of line 1
      {80, 140, 300},        // left edge of line 0
      {80 + 78, 140, 300},   // the last pixel of cell 0 before the +1 shift
      {80 + 79, 140, 301},
      {400, 100, 307},       // the right edge stays in line 1's last cell
      {399, 61, 311},        // the last cell of the table
  };
  for (const Case& c : cases) {
    calls.clear();
    EXPECT_EQ(Step(li, c.x, c.y, 1), 1);
    ASSERT_EQ(calls.size(), 1u) << c.x << "," << c.y;
    EXPECT_EQ(calls[0], c.id) << c.x << "," << c.y;
  }
}

TEST_F(Lin2, HigherPriorityKeepsTheFocus) {
  t_Lin2 low, high;
  low.InitLin(200, 0, 4, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.1f, 0.4f, 0.05f, 0, 0, 1);
  high.InitLin(400, 0, 4, 0.2f, 0.1f, 0.4f, 0.05f, 0.2f, 0.1f, 0.4f, 0.05f, 0, 0, 2);
  low.SetOnlyZeroLinePole();
  high.SetOnlyZeroLinePole();
  // The lower list takes the pointer first, then the higher one steps.
  EXPECT_EQ(Step(low, 200, 65, 0), 2);
  EXPECT_EQ(pGrabFokusLin2, &low);
  EXPECT_EQ(Step(high, 200, 65, 0), 2);
  EXPECT_EQ(pGrabFokusLin2, &high);
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(Step(low, 200, 100, 1), 0);
    EXPECT_EQ(low.collapsed, 1);
    EXPECT_EQ(Step(high, 200, 100, 1), 1);
    EXPECT_EQ(pGrabFokusLin2, &high);
  }
  for (int id : calls) EXPECT_GE(id, 400);  // the covered list never selected anything
  EXPECT_EQ(calls.size(), 3u);
}

TEST_F(Lin2, ExpansionKeepsTheTopOnScreen) {
  t_Lin2 li;
  // Expanded bottom at 0.9 of the height, ten rows of 0.05: 540 + 300 > 600.
  li.InitLin(200, 0, 10, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.9f, 0.4f, 0.05f, 0, 0, 1);
  li.SetOnlyZeroLinePole();
  ASSERT_EQ(Step(li, 100, 70, 0), 2);
  EXPECT_EQ(li.y, 300);
  EXPECT_EQ(li.y + li.h, 600);
  EXPECT_EQ(li.y2, 300);
  // Its top line can be clicked.
  EXPECT_EQ(Step(li, 100, 595, 1), 1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], 200);
}

TEST_F(Lin2, QuartersOfTheWidth) {
  t_Lin2 li;
  li.InitLin(200, 0, 1, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.1f, 0.4f, 0.05f, 0, 0, 1);
  struct Case {
    int x, q;
  } cases[] = {{79, 0}, {80, 1}, {159, 1}, {160, 2}, {240, 3}, {320, 4}, {399, 4}, {400, 0}};
  for (const Case& c : cases) EXPECT_EQ(li.xInQrt(c.x), c.q) << c.x;
}

TEST_F(Lin2, PassiveAndDegenerateListsNeverReact) {
  t_Lin2 passive;
  passive.InitLin(100, 0, 3, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.1f, 0.4f, 0.05f, 0, 0, 1);
  EXPECT_EQ(Step(passive, 100, 70, 1), 0);
  EXPECT_EQ(pGrabFokusLin2, nullptr);
  // A line height that truncates to 0 pixels has no lines to hit.
  t_Lin2 flat;
  flat.InitLin(200, 0, 3, 0.1f, 0.1f, 0.4f, 0.001f, 0.1f, 0.1f, 0.4f, 0.001f, 0, 0, 1);
  ASSERT_EQ(flat.lineH, 0);
  EXPECT_EQ(Step(flat, 100, 60, 1), 0);
  EXPECT_TRUE(calls.empty());
}

TEST_F(Lin2, GrabbedPointerStaysInsideALiveTable) {
  t_Lin2 li;
  li.InitLin(300, 0, 3, 0.1f, 0.1f, 0.4f, 0.05f, 0.1f, 0.1f, 0.4f, 0.05f, 4, 1, 1);
  li.grabKursor = 1;
  li.SetOnlyZeroLinePole();
  ASSERT_EQ(Step(li, 100, 70, 0), 2);
  Step(li, 700, 10, 0);
  EXPECT_EQ(gMX, 398);
  EXPECT_EQ(gMY, 61);
  EXPECT_EQ(pGrabFokusLin2, &li);
}
