#include "BindingTestSupport.h"

#include "library/VnMessageTables.h"
#include "platform/Files.h"

namespace {
void ReportToTest(const std::string& message) { ADD_FAILURE() << message; }
}  // namespace

void BindingTest::SetUpTestSuite() {
  TestKit::EnsureApplication();
  TestKit::SetFailureReporter(&ReportToTest);
}

void BindingTest::SetUp() {
  TestKit::ClearModalScripts();
  RestoreBuiltInMessages();
}

void BindingTest::TearDown() {
  delete form_;
  form_ = nullptr;
  EXPECT_EQ(TestKit::PendingModalScripts(), 0) << "modal scripts left unused";
  TestKit::ClearModalScripts();
  TestKit::Pump();
}

TForm* BindingTest::Form() {
  if (!form_) {
    form_ = Create<TForm>(Application);
    form_->SetBounds(0, 0, 640, 480);
  }
  return form_;
}

void BindingTest::ShowForm() { TestKit::ShowAndActivate(Form()); }

AnsiString BindingTest::ProgramName() { return ExtractFileName(Application->ExeName()); }
