// What an X server shows of a list view, and real input for it (xdotool
// steps), for tests that compare what a user sees and does with what the
// list holds. The program must draw on its own X server (support/XInput.h).
//
//   Do(OnRow(list, 2)); Do(Press()); Do(Release());
//   EXPECT_EQ(RowsDrawnSelected(list), SelectedInSight(list));
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Controls.h"

class TListView;

namespace listscreen {

// The application object, and kit failures reported to the running test:
// the base of the fixtures on the X server (vntest::OnOwnXServer<KitTest>).
class KitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
};

using Step = std::vector<std::string>;  // one xdotool command line

// Pointer moves: onto row `row` of the list (40 pixels into it), onto a
// point of a control's client area, off every window.
Step OnRow(TListView* list, int row);
Step OnControl(TControl* control, int x, int y);
Step OffTheWindows();
Step Press(int button = 1);
Step Release(int button = 1);
// Runs the step and lets the window system's events arrive and the windows
// paint what they did (fails the test when xdotool fails).
void Do(const Step& step);
void Settle();

// The rows in sight that the screen shows in the selection colour (more
// than half of their band), and those it shows marked in any way, by the
// selection or the focus frame (less than half of their band in the colour
// of an unmarked row).
std::vector<int> RowsDrawnSelected(TListView* list);
std::vector<int> RowsDrawnMarked(TListView* list);
// The rows the list holds selected, and selected or framed (the frame shows
// while the list has the focus, on its focused row or else on its first),
// where they are in sight.
std::vector<int> SelectedInSight(TListView* list);
std::vector<int> MarkedInSight(TListView* list);

}  // namespace listscreen
