// Private: how a control shows that it has the focus, as the class
// library's controls show it, however the focus came (a key, a click, code):
// - a push button: a dotted rectangle inside it, and the black frame of the
//   button that Enter presses (the focused button, else the default one);
// - a check box or radio button: a dotted rectangle around its caption
//   (inside the box when it has none);
// - a drop-down list: its text in the selection colours;
// - an editable combo box: its text selected as it takes the focus (a click
//   then places the caret; ComboBox.cpp);
// - an edit box: the caret and its frame, as the toolkit draws them (Tab
//   selects its text: Focus.cpp);
// - a read-only memo: the caret (Memo.cpp); a page control: dotted around
//   the active tab's caption (PageControl.cpp).
// The toolkit's other focus marks, which it draws only after keyboard use,
// are left out, so that one picture shows the focus whichever way it came.
#pragma once

class QPainter;
class QRect;
class QWidget;

namespace ui_detail {

// Makes the application's style draw the focus as above; once, after the
// application object is made.
void InstallFocusLook();

// The system's focus rectangle: every other pixel of the outline of r
// (inclusive coordinates) inverted.
void DrawFocusRect(QPainter& p, const QRect& r);

// The focus went from `old` to `now` (either may be null): the default
// buttons of their windows are drawn again, as a focused button takes or
// gives back their frame.
void FocusMoved(const QWidget* old, const QWidget* now);

}  // namespace ui_detail
