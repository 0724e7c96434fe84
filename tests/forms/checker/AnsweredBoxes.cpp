#include "AnsweredBoxes.h"

#include <algorithm>

namespace formcheck {

TAnsweredBoxes::TAnsweredBoxes() : previous_(SetDialogService(this)) {}

TAnsweredBoxes::~TAnsweredBoxes() { SetDialogService(previous_); }

int TAnsweredBoxes::Show(const TDialogRequest& request) {
  if (request.type != mtConfirmation) texts_.push_back(request.text.str());
  if ((request.buttons & mbNo) && std::count(no_.begin(), no_.end(), request.text.str()))
    return mrNo;
  if (request.buttons & mbYes) return mrYes;
  return mrOk;
}

std::string TAnsweredBoxes::Take() {
  std::string out;
  for (const std::string& t : texts_) out += (out.empty() ? "\"" : ", \"") + t + "\"";
  texts_.clear();
  return out;
}

}  // namespace formcheck
