// The message boxes a step of the checker brings: every one is answered (Ok,
// or Yes where it asks), and those that are no question are kept for the
// step's report.
#pragma once

#include <string>
#include <utility>
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
  // The questions answered No where they offer it.
  void AnswerNo(std::vector<std::string> questions) { no_ = std::move(questions); }

 private:
  IDialogService* previous_;
  std::vector<std::string> texts_;
  std::vector<std::string> no_;
};

}  // namespace formcheck
