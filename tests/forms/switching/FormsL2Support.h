// Shared bits of the switching form tests: the forms open against the
// simulated switch as the menu handlers open them (owner the application),
// are shown non-modally so that the user-level input reaches them, and are
// deleted at the end of the test.
#pragma once

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Forms.h"
#include "platform/TestKit.h"
#include "support/TestSupport.h"

class TCheckBox;
class TMainForm;

class FormsL2Test : public PagesDeviceTest {
 protected:
  template <class T>
  std::unique_ptr<T> Open() {
    std::unique_ptr<T> form(Create<T>(Application));
    TestKit::ShowAndActivate(form.get());
    return form;
  }
  // Box of port p (1-based) in a frame's first unit page.
  static TCheckBox* Port(TStackingPortUitForm* frame, int port);
  // Saves the form's picture as form-<name>.png.
  static void SavePicture(TControl* form, const std::string& name);
};

// A main window as the module starts it against the simulated switch: its
// session made in `folder`, its connection from a configuration file there
// that names the simulator's port (SNMPv2c); kept in MainForm. The caller
// deletes it.
TMainForm* MakeMainWindow(const std::string& folder, int agentPort);
