// The count of the holds on the user's input (one GUI thread).
#include "platform/InputHold.h"

namespace {

int g_holds = 0;  // holds alive since the innermost modal loop began

}  // namespace

InputHold::InputHold() { ++g_holds; }

InputHold::~InputHold() { --g_holds; }

bool InputHold::Active() { return g_holds > 0; }

ModalInput::ModalInput() : held_(g_holds) { g_holds = 0; }

ModalInput::~ModalInput() { g_holds = held_; }
