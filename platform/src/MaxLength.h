// Private: MaxLength for typing and pasting into line edits.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>

namespace ui_detail {

// Refuses an input that makes the text longer than the limit (0: none) and
// longer than it was: text set by code may be longer, and shortening such a
// text is allowed. Lengths count the bytes of the UTF-8 text.
class MaxLengthValidator : public QValidator {
 public:
  MaxLengthValidator(std::function<int()> limit, QLineEdit* edit)
      : QValidator(edit), limit_(std::move(limit)), edit_(edit) {}
  State validate(QString& input, int&) const override {
    int max = limit_();
    if (max <= 0) return Acceptable;
    const auto bytes = input.toUtf8().size();
    if (bytes <= max) return Acceptable;
    return bytes < edit_->text().toUtf8().size() ? Acceptable : Invalid;
  }

 private:
  std::function<int()> limit_;
  QLineEdit* edit_;
};

}  // namespace ui_detail
