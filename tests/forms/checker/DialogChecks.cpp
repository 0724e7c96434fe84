// Every dialog a button opens, opened again and again: each time the focus
// is on its first field and the dialog shows what it showed the first time
// in the seed (Add every field, the others the boxes that choose what is
// written), wherever the user left the focus and whatever was ticked
// meanwhile, in it or in another dialog.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "CheckedForms.h"
#include "Checker.h"
#include "FormView.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace formcheck {

namespace {

// The check boxes of the window that no variable binds, shown: those that
// choose what a write carries.
std::vector<TCheckBox*> TickBoxes(const TOpen& open, TWinControl* window) {
  std::set<TControl*> bound;
  for (VnSNMPRequest2Edits* r : open.Requests)
    for (const auto& b : r->Bindings) bound.insert(b->Controls.begin(), b->Controls.end());
  std::vector<TCheckBox*> boxes;
  std::function<void(TWinControl*)> find = [&](TWinControl* w) {
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      if (auto* box = dynamic_cast<TCheckBox*>(c); box && box->Showing() && !bound.count(box))
        boxes.push_back(box);
      if (auto* inner = dynamic_cast<TWinControl*>(c)) find(inner);
    }
  };
  find(window);
  return boxes;
}

}  // namespace

void TChecker::CheckDialogs(TOpen& open, int times) {
  std::vector<std::string> captions = entry_.Dialogs;
  // A page's Add opens a dialog; a form's is known once it was pressed.
  if (addDialog_ || (entry_.Page && ButtonOf(open.Form, "Add"))) captions.push_back("Add");
  for (const std::string& caption : captions) {
    for (int time = 1; time <= times; ++time) {
      if (open.List && open.List->Items()->Count() > 0 && caption != "Add")
        ChooseByClick(open.List, 0);
      else if (open.List)
        TestKit::ClickEmpty(open.List);
      TButton* button = ButtonOf(open.Form, caption.c_str());
      if (!button || !button->Enabled()) break;
      const bool first = !dialogLooks_.count(caption);
      const std::string what =
          "the dialog of \"" + caption + "\", opened " + (first ? "the first time" : "again");
      bool opened = false;
      TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* dialog) {
        opened = true;
        TWinControl* firstField = FirstField(dialog);
        TWinControl* focused = FocusedIn(dialog);
        EXPECT_TRUE(firstField && focused == firstField)
            << what << ": the focus is on " << (focused ? FieldPath(focused) : "nothing")
            << ", not on the first field " << (firstField ? FieldPath(firstField) : "(none)");
        std::vector<std::string> look;
        if (caption == "Add") {
          look = WindowLook(open, dialog);
        } else {
          for (TCheckBox* box : TickBoxes(open, dialog)) look.push_back(FieldLine(box));
        }
        if (first) {
          dialogLooks_[caption] = look;
        } else {
          EXPECT_TRUE(look == dialogLooks_[caption])
              << what << ": it does not show what it showed the first time:"
              << Differences(look, "now", dialogLooks_[caption], "the first time");
          // The user ticks every box (once every dialog was seen the first
          // time), moves on to the last control that takes the focus, and
          // closes it.
          if (TButton* all = ButtonOf(dialog, "Check All"); all && all->Enabled())
            TestKit::Click(all);
          for (TCheckBox* box : TickBoxes(open, dialog))
            if (box->Enabled() && !box->Checked()) TestKit::Click(box);
        }
        std::vector<TWinControl*> order;
        dialog->GetTabOrderList(order);
        for (auto c = order.rbegin(); c != order.rend(); ++c)
          if ((*c)->TabStop() && (*c)->CanFocus()) {
            TestKit::FocusTo(*c);
            break;
          }
        CloseDialog(dialog);
      }));
      boxes_.Take();
      TestKit::Click(button);
      TestKit::ClearModalScripts();
      EXPECT_TRUE(WaitQuiet(open)) << what << ": the form is still busy";
      boxes_.Take();
      if (!opened) break;
    }
  }
}

}  // namespace formcheck
