// Helpers of the access-rule form tests: reading a SET line of the request
// log, ticking port boxes, and the fixture every rule form's tests share: it
// opens one form, fills a new rule's keys and presets, and expects the
// messages of the checks.
#pragma once

#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "PagesTestSupport.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarDesc.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace ruletest {

// The columns of the varbinds of a SET line on the row `instance`
// ("profile.access") of the table whose column OIDs start with `prefix`.
inline std::set<int> ColumnsOf(const std::string& line, const std::string& prefix,
                               const std::string& instance) {
  std::set<int> columns;
  std::istringstream in(line);
  const std::string suffix = "." + instance + "=";
  for (std::string field; std::getline(in, field, '\t');) {
    if (field.rfind(prefix, 0) != 0) continue;
    const std::string rest = field.substr(prefix.size());
    const auto at = rest.find(suffix);
    if (at != std::string::npos) columns.insert(std::stoi(rest.substr(0, at)));
  }
  return columns;
}

inline TCheckBox* PortBox(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

template <class F>
class RuleFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<F>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  // Every item of the request has the catalogue's access of `table`: what
  // a write left out is restored.
  void ExpectCatalogueAccess(const VnSNMPVarDesc* table) {
    for (int i = 0; table[i].Oid; ++i)
      EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, table[i].Access) << i;
  }
  // The keys typed, permit and row status ticked at their presets, and
  // `port` ticked.
  void FillKeys(TEdit* firstEdit, const char* first, TEdit* accessEdit, const char* access,
                int port = 1) {
    firstEdit->SetText(first);
    accessEdit->SetText(access);
    form_->cbxPermit->SetChecked(true);
    form_->cbxRow->SetChecked(true);
    PortBox(form_->PortFrame, port)->SetChecked(true);
  }
  void TickEdit(TCheckBox* box, TEdit* edit, const char* text) {
    box->SetChecked(true);
    edit->SetText(text);
  }
  // Clicking `button` shows `text`, and the focus is on `focus` when given.
  void ExpectMessage(const char* text, TWinControl* focus, TButton* button) {
    TestKit::DialogScript boxes;
    boxes.Expect(text);
    TestKit::Click(button);
    boxes.Verify();
    if (focus) {
      EXPECT_EQ(form_->ActiveControl(), focus) << text;
    }
  }
  void TearDown() override {
    if (form_) {
      form_->Hide();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<F> form_;
};

}  // namespace ruletest
