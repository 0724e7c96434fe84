// A test fixture whose tests run on the process's own X server (XInput.h):
// the server starts before Base's suite set-up, which runs only when the
// server is there; without it, every test fails with what is missing, and
// Base's set-up and tear-down of a test do not run.
//
//   class ListPagePointer : public vntest::OnOwnXServer<PagesDeviceTest> {
//     void TearDown() override { ClosePage(); OnOwnXServer::TearDown(); }
//   };
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/XInput.h"

namespace vntest {

template <class Base>
class OnOwnXServer : public Base {
 protected:
  static void SetUpTestSuite() {
    Missing() = UseOwnXServer();
    if (Missing().empty()) Base::SetUpTestSuite();
  }
  void SetUp() override {
    ASSERT_EQ(Missing(), "");
    Base::SetUp();
  }
  void TearDown() override {
    if (Missing().empty()) Base::TearDown();
  }

 private:
  static std::string& Missing() {
    static std::string what;
    return what;
  }
};

}  // namespace vntest
