// Private: MaxLength for typing and pasting into line edits.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>

namespace ui_detail {

// Refuses an input that makes the text longer than the limit (0: none) and
// longer than it was: text set by code may be longer, and shortening such a
// text is allowed. Before refusing, `fit` may rewrite the input shorter
// (true: taken when it fits now). Lengths count the bytes of the UTF-8 text.
class MaxLengthValidator : public QValidator {
 public:
  MaxLengthValidator(std::function<int()> limit, QLineEdit* edit,
                     std::function<bool(QString&)> fit = nullptr)
      : QValidator(edit), limit_(std::move(limit)), edit_(edit), fit_(std::move(fit)) {}
  State validate(QString& input, int& pos) const override {
    int max = limit_();
    if (max <= 0) return Acceptable;
    const auto bytes = input.toUtf8().size();
    if (bytes <= max) return Acceptable;
    if (bytes < edit_->text().toUtf8().size()) return Acceptable;
    QString fitted = input;
    if (!fit_ || !fit_(fitted) || fitted.toUtf8().size() > max) return Invalid;
    input = fitted;
    pos = static_cast<int>(input.size());
    return Acceptable;
  }

 private:
  std::function<int()> limit_;
  QLineEdit* edit_;
  std::function<bool(QString&)> fit_;
};

}  // namespace ui_detail
