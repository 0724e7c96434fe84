// Shared set-up of the binding tests: one application object, kit failures
// reported to the running test, a shown form to put controls on, and the
// program's file name that captions the library's message boxes.
#pragma once

#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/TestKit.h"

class BindingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A control of class T on the test form (created on first use).
  template <class T>
  T* Add(int x = 0, int y = 0) {
    T* c = new T(Form());
    c->SetParent(Form());
    c->SetLeft(x);
    c->SetTop(y);
    return c;
  }
  TForm* Form();
  // Shows the form and makes it the active window.
  void ShowForm();

  static AnsiString ProgramName();

 private:
  TForm* form_ = nullptr;
};
