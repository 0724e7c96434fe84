// What an X server shows of the focus, for tests that press real keys
// (support/XInput.h, ListOnScreen.h's steps): pictures compared, the focus
// rectangle of a push button, and a message box answered from inside its
// own loop.
//
//   const TPixels unfocused = TestKit::ScreenPixels(button);
//   listscreen::Do({"key", "Tab"});
//   EXPECT_TRUE(focusscreen::DrawnFocused(TestKit::ScreenPixels(button)));
#pragma once

#include <functional>
#include <vector>

#include "platform/Controls.h"
#include "platform/Pictures.h"

namespace focusscreen {

bool Same(const TPixels& a, const TPixels& b);

// How many pixels differ between two pictures of one size outside all the
// areas.
int ChangedOutside(const TPixels& a, const TPixels& b, const std::vector<TRect>& areas);

// The control as the screen shows it; taken again over a caret's blink
// while it still looks as `unlike` does.
TPixels ShotUnlike(TControl* control, const TPixels& unlike);

// Where a control lies in the picture of its form.
TRect AreaInForm(TControl* control);

// The push button in `area` of the picture (all of it by default) wears the
// black frame of the button that Enter presses; and with it the dotted
// focus rectangle.
bool WearsFrame(const TPixels& picture, TRect area = {});
bool DrawnFocused(const TPixels& picture, TRect area = {});

// Runs `open`, which shows a message box of the toolkit's, and `inside` once
// the box is open, from inside the box's loop; then returns what `open`
// returns. A box that `inside` leaves open fails the test and is answered
// with Escape.
int WithBoxOpen(const std::function<int()>& open, const std::function<void()>& inside);

}  // namespace focusscreen
