// The main window whose menu handlers open every entry the checker drives:
// made against the simulated switch as the program makes it (command line,
// the device's configuration file, an empty registry of the test's own, a
// working folder of its own), never shown, so that no front panel is built
// and nothing is polled. One at a time; the entries reach it through
// RunMenuHandler.
#pragma once

#include <memory>
#include <string>

class TMainForm;
struct TMainMenuEntry;

namespace simtest {
class Simulator;
}

namespace formcheck {

class TMenuWindow {
 public:
  explicit TMenuWindow(simtest::Simulator& sim);
  ~TMenuWindow();
  TMenuWindow(const TMenuWindow&) = delete;
  TMenuWindow& operator=(const TMenuWindow&) = delete;

  TMainForm* Window() const { return window_; }

 private:
  struct TPlace;
  std::unique_ptr<TPlace> place_;
  TMainForm* window_ = nullptr;
};

// Runs the handler of the entry's menu item on the window that lives now,
// as a choice of the item does; false when there is none.
bool RunMenuHandler(const TMainMenuEntry& entry);

}  // namespace formcheck
