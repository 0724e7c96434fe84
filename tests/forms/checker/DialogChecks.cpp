// Every dialog a button opens, opened twice: each time the focus is on its
// first field, wherever the user left it the time before.
#include <gtest/gtest.h>

#include <vector>

#include "CheckedForms.h"
#include "Checker.h"
#include "FormView.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/TestKit.h"

namespace formcheck {

void TChecker::CheckDialogsTwice(TOpen& open) {
  std::vector<std::string> captions = entry_.Dialogs;
  if (addDialog_) captions.push_back("Add");
  for (const std::string& caption : captions) {
    if (open.List && open.List->Items()->Count() > 0 && caption != "Add")
      ChooseByClick(open.List, 0);
    else if (open.List)
      TestKit::ClickEmpty(open.List);
    TButton* button = ButtonOf(open.Form, caption.c_str());
    if (!button || !button->Enabled()) continue;
    for (int time = 1; time <= 2; ++time) {
      const std::string what = "the dialog of \"" + caption + "\", opened the " +
                               (time == 1 ? "first" : "second") + " time";
      bool opened = false;
      TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* dialog) {
        opened = true;
        TWinControl* first = FirstField(dialog);
        TWinControl* focused = FocusedIn(dialog);
        EXPECT_TRUE(first && focused == first)
            << what << ": the focus is on " << (focused ? FieldPath(focused) : "nothing")
            << ", not on the first field " << (first ? FieldPath(first) : "(none)");
        // The user moves on, to the last control that takes the focus,
        // before closing it.
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
      if (open.List && caption != "Add" && open.List->Items()->Count() > 0)
        ChooseByClick(open.List, 0);
      button = ButtonOf(open.Form, caption.c_str());
      if (!button || !button->Enabled()) break;
    }
  }
}

}  // namespace formcheck
