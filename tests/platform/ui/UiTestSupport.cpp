#include "UiTestSupport.h"

#include "platform/Forms.h"

namespace {
void ReportToTest(const std::string& message) { ADD_FAILURE() << message; }
}  // namespace

void UiTest::SetUpTestSuite() {
  TestKit::EnsureApplication();
  TestKit::SetFailureReporter(&ReportToTest);
}

void UiTest::SetUp() {
  TestKit::ClearModalScripts();
  TestKit::SetPixelsPerInch(0);
}

void UiTest::TearDown() {
  EXPECT_EQ(TestKit::PendingModalScripts(), 0) << "modal scripts left unused";
  TestKit::ClearModalScripts();
  TestKit::Pump();
}
