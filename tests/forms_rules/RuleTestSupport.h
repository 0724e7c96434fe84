// Helpers of the access-rule form tests: reading a SET line of the request
// log, ticking port boxes, and a fixture that opens one form.
#pragma once

#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "PagesTestSupport.h"
#include "app/StackingPortUitFormUnit.h"
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
