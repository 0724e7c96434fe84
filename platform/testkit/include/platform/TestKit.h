// Tools for testing forms without a display: scripted message boxes, scripts
// for modal forms, virtual time and user-level input.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Closure.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Pictures.h"

class TEdit;
class TMemo;
class TMenuItem;
class TComboBox;
class TListView;
class TPageControl;

namespace TestKit {

// Where the kit reports a failed expectation (a test installs one that
// fails the running test). Without one, failures are kept and can be taken.
using FailureReporter = void (*)(const std::string& message);
void SetFailureReporter(FailureReporter reporter);
std::vector<std::string> TakeFailures();
void Fail(const std::string& message);

// Creates the application object once (offscreen when no platform is set).
// From then on a message box that no DialogScript answers fails the running
// test, naming its caption and text, and gets its default answer.
void EnsureApplication();
// Overrides Screen->PixelsPerInch (0 restores it).
void SetPixelsPerInch(int ppi);
// Runs `action` when EnsureApplication has built the toolkit's application
// object and what its start-up made for it (a runtime folder) is still
// there: what a start killed or stopped then leaves.
void WhileToolkitStarts(TClosure<void()> action);

// Records every message box and answers from a queue of expected boxes.
// While it lives it is the dialog service. A box nobody expected, or one
// whose text differs, is a failure; so are expected boxes left at the end.
class DialogScript : public IDialogService {
 public:
  struct Entry {
    TDialogRequest request;
    int answer = 0;
  };
  DialogScript();
  ~DialogScript() override;
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Expects a box with exactly this text; answers it (0: the default
  // answer, mrOk / IDOK).
  DialogScript& Expect(const AnsiString& text, int answer = 0);
  int Show(const TDialogRequest& request) override;
  const std::vector<Entry>& Shown() const { return shown_; }
  int Pending() const { return static_cast<int>(expected_.size()); }
  // Reports expected boxes that never came; the destructor calls it.
  void Verify();

 private:
  IDialogService* previous_;
  std::vector<Entry> shown_;
  std::vector<std::pair<AnsiString, int>> expected_;
  bool verified_ = false;
};

// For tests of the toolkit's own message boxes: while it lives, boxes are
// shown by the toolkit (see ActiveBoxText, DismissActiveBox).
class ToolkitBoxes {
 public:
  ToolkitBoxes();
  ~ToolkitBoxes();
  ToolkitBoxes(const ToolkitBoxes&) = delete;
  ToolkitBoxes& operator=(const ToolkitBoxes&) = delete;

 private:
  IDialogService* previous_;
};

// Modal scripts: the next ShowModal runs the first queued script once the
// form is shown and its first posted messages are handled. A script ends
// with Close() or a ModalResult; the loop then runs the real close handlers.
// A modal form without a script fails the test and is closed with mrCancel
// after the watchdog time.
using ModalScript = TClosure<void(TCustomForm*)>;
void OnNextModal(ModalScript script);
template <class T, class F>
void OnNextModal(F f) {
  OnNextModal(ModalScript([f](TCustomForm* form) mutable {
    T* t = dynamic_cast<T*>(form);
    if (!t) {
      Fail("modal script for another form class");
      form->SetModalResult(mrCancel);
      return;
    }
    f(t);
  }));
}
int PendingModalScripts();
void ClearModalScripts();
// Virtual milliseconds a modal form without a script stays open.
void SetModalWatchdog(unsigned ms);

// Virtual time: while an object lives, GetTickCount, Sleep and every timer
// run on a clock that moves only when told (Advance, Sleep) or when a loop
// has nothing else to do (it jumps to the next timer).
class VirtualTime {
 public:
  VirtualTime();
  ~VirtualTime();
  VirtualTime(const VirtualTime&) = delete;
  VirtualTime& operator=(const VirtualTime&) = delete;
  // Moves the clock, firing the timers that fall due in order.
  void Advance(unsigned ms);
  std::uint64_t Now() const;

  struct Clock;  // the toolkit side's clock

 private:
  std::unique_ptr<Clock> clock_;
};

// While an object lives, Application->HandleMessage waits for the system's
// events as the program does (it sleeps until input or a timer's wake comes)
// instead of turning without waiting; modal scripts are not served meanwhile.
class ProgramWaiting {
 public:
  ProgramWaiting();
  ~ProgramWaiting();
  ProgramWaiting(const ProgramWaiting&) = delete;
  ProgramWaiting& operator=(const ProgramWaiting&) = delete;
};

// Shows a form and makes it the active window (non-modal).
void ShowAndActivate(TCustomForm* form);
// Runs posted messages and pending events.
void Pump();

// User-level input through the toolkit's widgets: the same paths as a user.
void Click(TControl* control);
void DoubleClick(TControl* control);
// Presses and releases the mouse at a point of the control's client area.
void ClickAt(TControl* control, int x, int y);
void MoveMouse(TControl* control, int x, int y);
// Gives the control the focus as a click would (the control must be shown).
void FocusTo(TWinControl* control);
// Moves the focus with the Tab key (backwards with Shift).
void PressTab(bool backwards = false);
// Types characters into the focused control after focusing `control`;
// "\b" is backspace.
void TypeText(TWinControl* control, const AnsiString& text);
void PressKey(TWinControl* control, WORD vk, TShiftState shift = 0);
void Paste(TEdit* edit, const AnsiString& text);
void Paste(TMemo* memo, const AnsiString& text);
void PickItem(TComboBox* combo, int index);
void TypeInCombo(TComboBox* combo, const AnsiString& text);
void ClickRow(TListView* view, int index);
void DoubleClickRow(TListView* view, int index);
void ClickEmpty(TListView* view);
// Whether ClickEmpty lands beside the rows (false: the rows fill the list).
bool RoomBesideRows(TListView* view);
void PressKeyInList(TListView* view, WORD vk);
// Turns the mouse wheel over the list by `notches` (negative: down).
void WheelList(TListView* view, int notches);
// The row at the bottom of the list's visible area, as its widget shows it
// now (-1: none); the widget is not brought up to date first.
int BottomRowShown(TListView* view);
// Where the list's widget draws the row now, in the control's coordinates
// (the part in sight; empty when the row is out of sight or has not joined
// the widget yet; nothing is brought up to date first), and the colours
// it fills a row with: an unmarked one, a selected one.
TRect RowRect(TListView* view, int index);
struct ListColours {
  std::uint32_t Base, Selection;
};
ListColours ColoursOf(TListView* view);
// A point of the control's client area in the screen's coordinates, for
// input that comes through the window system.
TPoint ToScreen(TControl* control, int x, int y);
// Waits until the window system has handed over every event it had for the
// application, and runs them (with what they post).
void SyncWithWindowSystem();
// Counts what a list view's widget is handed while the counter lives: the
// batches of rows added to it, the rows in them, and the times it had to
// take the whole list afresh; and how often the widget looked at a row
// (asked for a row's index or a cell's text).
class ListFeedCounter {
 public:
  explicit ListFeedCounter(TListView* view);
  ~ListFeedCounter();
  ListFeedCounter(const ListFeedCounter&) = delete;
  ListFeedCounter& operator=(const ListFeedCounter&) = delete;
  int Batches() const;
  int Rows() const;
  int Resets() const;
  long Lookups() const;

 private:
  struct Taps;
  std::unique_ptr<Taps> taps_;
};
void ClickTab(TPageControl* pc, int tabIndex);
// Clicks the close box of a form's window.
void CloseWindow(TCustomForm* form);
// The user picks a menu entry: false when they cannot (the entry or an item
// above it is hidden or disabled, it is a separator, or its menu is not on
// screen). An entry with sub-items is opened (its OnClick runs).
bool ChooseMenuItem(TMenuItem* item);
// A right click at a point of the control's client area.
void RightClick(TControl* control, int x, int y);

// For tests of the toolkit's own message boxes (under ToolkitBoxes): the
// text of the box that is open now ("" when none), and closing it with
// Escape or with its default button.
AnsiString ActiveBoxText();
bool DismissActiveBox(bool escape);
// The box that is open now as its window shows it on the screen (empty when
// none), and where its button with this caption lies in that picture
// (empty when it has none).
TPixels ActiveBoxPixels();
TRect ActiveBoxButton(const AnsiString& caption);

// Saves a picture of the control (and its children) as PNG; true on success.
bool Grab(TControl* control, const std::string& path);
// The control (and its children) as drawn now; a form with its menu bar.
TPixels GrabPixels(TControl* control);
// The control's area as its window last put it on the screen: nothing is
// brought up to date or drawn afresh (empty when the window has no picture).
TPixels ScreenPixels(TControl* control);
// The toolkit's idea of the control: shown on screen, enabled for input,
// the text it displays.
bool IsShownOnScreen(TControl* control);
bool AcceptsInput(TControl* control);
AnsiString DisplayedText(TControl* control);
// Counts the paintings of the control's widget while the counter lives: how
// often the screen was redrawn for it.
class PaintCounter {
 public:
  explicit PaintCounter(TControl* control);
  ~PaintCounter();
  PaintCounter(const PaintCounter&) = delete;
  PaintCounter& operator=(const PaintCounter&) = delete;
  int Count() const;

 private:
  struct Filter;
  std::unique_ptr<Filter> filter_;
};
// The tooltip the control shows (its Hint while ShowHint is on).
AnsiString ToolTipOf(TControl* control);
// The caret position in an edit box.
int CaretOf(TEdit* edit);

}  // namespace TestKit
