#include "ListOnScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

#include "platform/ComCtrls.h"
#include "platform/TestKit.h"
#include "support/XInput.h"

namespace listscreen {

namespace {

void ReportToTest(const std::string& message) { ADD_FAILURE() << message; }

Step MoveTo(TPoint p) { return {"mousemove", "--sync", std::to_string(p.x), std::to_string(p.y)}; }

// The same colour give or take what the server's visual and the style's
// shading make of it.
bool Near(std::uint32_t a, std::uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d < -12 || d > 12) return false;
  }
  return true;
}

std::vector<int> RowsDrawn(TListView* list, bool selected) {
  const TPixels shot = TestKit::ScreenPixels(list);
  const TestKit::ListColours colours = TestKit::ColoursOf(list);
  std::vector<int> drawn;
  for (int row = 0; row < list->Items()->Count(); ++row) {
    const TRect r = TestKit::RowRect(list, row);
    if (r.Height() <= 0) continue;
    long coloured = 0;
    for (int y = r.Top; y < r.Bottom && y < shot.Height; ++y)
      for (int x = r.Left; x < r.Right && x < shot.Width; ++x)
        if (Near(shot.At(x, y), selected ? colours.Selection : colours.Base)) ++coloured;
    if ((coloured * 2 > static_cast<long>(r.Width()) * r.Height()) == selected)
      drawn.push_back(row);
  }
  return drawn;
}

std::vector<int> InSight(TListView* list, std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::erase_if(rows,
                [list](int row) { return row < 0 || TestKit::RowRect(list, row).Height() <= 0; });
  return rows;
}

}  // namespace

void KitTest::SetUpTestSuite() {
  TestKit::EnsureApplication();
  TestKit::SetFailureReporter(&ReportToTest);
}

Step OnRow(TListView* list, int row) {
  const TRect r = TestKit::RowRect(list, row);
  return MoveTo(TestKit::ToScreen(list, r.Left + 40, (r.Top + r.Bottom) / 2));
}

Step OnControl(TControl* control, int x, int y) { return MoveTo(TestKit::ToScreen(control, x, y)); }

Step OffTheWindows() { return {"mousemove", "--sync", "1200", "950"}; }

Step Press(int button) { return {"mousedown", std::to_string(button)}; }

Step Release(int button) { return {"mouseup", std::to_string(button)}; }

void Do(const Step& step) {
  EXPECT_TRUE(vntest::XDoTool(step)) << step[0];
  Settle();
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    TestKit::SyncWithWindowSystem();
    TestKit::Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::vector<int> RowsDrawnSelected(TListView* list) { return RowsDrawn(list, true); }

std::vector<int> RowsDrawnMarked(TListView* list) { return RowsDrawn(list, false); }

std::vector<int> SelectedInSight(TListView* list) { return InSight(list, {list->ItemIndex()}); }

std::vector<int> MarkedInSight(TListView* list) {
  // The frame is on the focused row, or on the first when none is focused.
  const TListItem* focused = list->ItemFocused();
  const int framed = !list->Focused() ? -1 : focused ? focused->Index() : 0;
  return InSight(list, {list->ItemIndex(), framed});
}

}  // namespace listscreen
