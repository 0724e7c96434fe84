#include "FocusOnScreen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "ListOnScreen.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/TestKit.h"

namespace focusscreen {

bool Same(const TPixels& a, const TPixels& b) {
  return a.Width == b.Width && a.Height == b.Height && a.Data == b.Data;
}

int ChangedOutside(const TPixels& a, const TPixels& b, const std::vector<TRect>& areas) {
  if (a.Width != b.Width || a.Height != b.Height) return a.Width * a.Height + 1;
  int outside = 0;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) {
      if (a.At(x, y) == b.At(x, y)) continue;
      bool in = false;
      for (const TRect& r : areas)
        in = in || (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom);
      if (!in) ++outside;
    }
  return outside;
}

TPixels ShotUnlike(TControl* control, const TPixels& unlike) {
  TPixels shot;
  for (int i = 0; i < 12; ++i) {
    listscreen::Settle();
    shot = TestKit::ScreenPixels(control);
    if (!Same(shot, unlike)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return shot;
}

TRect AreaInForm(TControl* control) {
  TCustomForm* form = control->TopForm();
  const TPoint at = TestKit::ToScreen(control, 0, 0), origin = TestKit::ToScreen(form, 0, 0);
  const int x = at.x - origin.x, y = at.y - origin.y;
  return {x, y, x + control->Width(), y + control->Height()};
}

namespace {

bool Fits(const TPixels& picture, TRect& area) {
  if (area.Width() <= 0) area = {0, 0, picture.Width, picture.Height};
  return area.Width() >= 12 && area.Height() >= 12 && area.Left >= 0 && area.Top >= 0 &&
         area.Right <= picture.Width && area.Bottom <= picture.Height;
}

}  // namespace

// The frame is the button's outermost line of pixels, black all round.
bool WearsFrame(const TPixels& picture, TRect area) {
  if (!Fits(picture, area)) return false;
  auto black = [&picture](int x, int y) { return (picture.At(x, y) & 0xFFFFFFu) == 0; };
  for (int x = area.Left; x < area.Right; ++x)
    if (!black(x, area.Top) || !black(x, area.Bottom - 1)) return false;
  for (int y = area.Top; y < area.Bottom; ++y)
    if (!black(area.Left, y) || !black(area.Right - 1, y)) return false;
  return true;
}

// The rectangle lies 3 pixels inside the button, every other pixel of its
// outline inverted: dark on the light face.
bool DrawnFocused(const TPixels& picture, TRect area) {
  if (!Fits(picture, area) || !WearsFrame(picture, area)) return false;
  const int left = area.Left + 3, top = area.Top + 3, right = area.Right - 5,
            bottom = area.Bottom - 5;
  auto dark = [&picture](int x, int y) {
    const std::uint32_t p = picture.At(x, y);
    return ((p >> 16) & 0xFF) < 0x50 && ((p >> 8) & 0xFF) < 0x50 && (p & 0xFF) < 0x50;
  };
  auto side = [&dark](int x, int y, int dx, int dy, int n) {
    int marked = 0;
    for (int i = 0; i + 1 < n; ++i, x += dx, y += dy) marked += dark(x, y) != dark(x + dx, y + dy);
    return marked * 10 >= (n - 1) * 9;
  };
  return side(left, top, 1, 0, right - left + 1) && side(left, bottom, 1, 0, right - left + 1) &&
         side(left, top, 0, 1, bottom - top + 1) && side(right, top, 0, 1, bottom - top + 1);
}

int WithBoxOpen(const std::function<int()>& open, const std::function<void()>& inside) {
  TTimer timer(nullptr);
  timer.SetInterval(30);
  timer.OnTimer = [&](TObject*) {
    if (TestKit::ActiveBoxText().IsEmpty()) return;
    timer.SetEnabled(false);
    listscreen::Settle();
    inside();
    listscreen::Settle();
    if (!TestKit::ActiveBoxText().IsEmpty()) {
      ADD_FAILURE() << "the box is still open: " << TestKit::ActiveBoxText().str();
      TestKit::DismissActiveBox(true);
    }
  };
  return open();
}

}  // namespace focusscreen
