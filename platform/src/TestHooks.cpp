// The layer's side of the test hooks: without hooks every call is a no-op.
#include "Toolkit.h"

namespace ui_detail {

namespace {
TestHooks* g_hooks = nullptr;
}

void SetTestHooks(TestHooks* hooks) { g_hooks = hooks; }

bool TestMode() { return g_hooks != nullptr; }

void RunModalHook(TCustomForm* form) {
  if (g_hooks) g_hooks->ModalShown(form);
}

bool ModalWatchdogExpired(TCustomForm* form) {
  return g_hooks && g_hooks->ModalWatchdogExpired(form);
}

int PixelsPerInchOverride() { return g_hooks ? g_hooks->PixelsPerInch() : 0; }

bool IdleAdvance() { return g_hooks && g_hooks->IdleAdvance(); }

void ToolkitStartingHook() {
  if (g_hooks) g_hooks->ToolkitStarting();
}

}  // namespace ui_detail
