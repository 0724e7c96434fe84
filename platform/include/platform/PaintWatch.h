// What a control's widget last put on the screen: each painting of it
// records the text it showed and, for a list view, the rows its widget held.
// For programs that wait until a user can see a state (a benchmark that
// stops its clock there, a test of what reaches the screen); forms never
// need it.
#pragma once

#include <functional>
#include <memory>

#include "platform/AnsiString.h"

class TControl;

class TPaintWatch {
 public:
  // Watches the control's widget from now on (a widget that goes first
  // leaves the last figures in place).
  explicit TPaintWatch(TControl* control);
  ~TPaintWatch();
  TPaintWatch(const TPaintWatch&) = delete;
  TPaintWatch& operator=(const TPaintWatch&) = delete;

  // Paintings since the watch began.
  int Paints() const;
  // The text the widget showed at its last painting ("" before the first,
  // or for a widget without a text).
  AnsiString PaintedText() const;
  // A list view: the rows its widget held when it last painted its rows or
  // its scroll bar (rows that join below the visible ones show only in the
  // scroll bar), or when rows joined below them and left the scroll bar's
  // picture as it was (its slider at its shortest: the screen shows them
  // without a painting); -1 before the first painting, or for another
  // control.
  int PaintedRows() const;

  // Called once a painting (or rows joining out of sight) has been noted in
  // the figures above: a watcher acts when the sight comes instead of
  // looking again and again.
  std::function<void()> OnPainted;

 private:
  struct Filter;
  std::unique_ptr<Filter> filter_;
};
