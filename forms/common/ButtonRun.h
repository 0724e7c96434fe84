// A run of push buttons of one size beside a list (a column, or a row along
// a panel), each a fixed step from the one before. They are created in the
// order given, which is also their tab order.
#pragma once

#include <initializer_list>

#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

// Where the run stands: the first button's place and size, and the step to
// the next one. A null parent: the builder's current parent.
struct TButtonRun {
  TWinControl* Parent;
  int Left, Top, Width, Height;
  int StepX, StepY;
};

template <class F>
struct TRunButton {
  TButton*& Button;
  const char* Name;
  const char* Caption;
  void (F::*Click)(TObject*);
};

template <class F>
void AddButtonRun(TFormBuilder& B, F* form, const TButtonRun& run,
                  std::initializer_list<TRunButton<F>> buttons) {
  int left = run.Left;
  int top = run.Top;
  for (const TRunButton<F>& b : buttons) {
    B.Add(b.Button, b.Name, run.Parent)
        .At(left, top, run.Width, run.Height)
        .Caption(b.Caption)
        .OnClick(form, b.Click);
    left += run.StepX;
    top += run.StepY;
  }
}
