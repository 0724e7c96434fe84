// Shared set-up of the form and control tests: one application object, kit
// failures reported to the running test, a fresh state per test.
#pragma once

#include <gtest/gtest.h>

#include "platform/TestKit.h"

class UiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;
};
