// The message boxes a step of the checker brings: every one is answered (Ok,
// or Yes where it asks), and those that are no question are kept for the
// step's report.
#pragma once

#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace formcheck {

class TAnsweredBoxes : public IDialogService {
 public:
  TAnsweredBoxes();
  ~TAnsweredBoxes() override;
  TAnsweredBoxes(const TAnsweredBoxes&) = delete;
  TAnsweredBoxes& operator=(const TAnsweredBoxes&) = delete;

  int Show(const TDialogRequest& request) override;
  // The boxes since the last call, quoted and joined ("" when none).
  std::string Take();

 private:
  IDialogService* previous_;
  std::vector<std::string> texts_;
};

}  // namespace formcheck
