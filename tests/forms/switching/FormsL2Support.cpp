#include "FormsL2Support.h"

#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/StdCtrls.h"

TCheckBox* FormsL2Test::Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

void FormsL2Test::SavePicture(TControl* form, const std::string& name) {
  EXPECT_TRUE(TestKit::Grab(form, vntest::ArtifactsDir() + "/form-" + name + ".png"));
}
