// Private: MaxLength for typing and pasting into line edits.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>

namespace ui_detail {

// Refuses an input that makes the text longer than the limit (0: none) and
// longer than it was: text set by code may be longer, and shortening such a
// text is allowed. Before refusing, `fit` may rewrite the input shorter
// (true: taken when it fits now). Lengths count the octets a text of the
// edit stands for (`octets`: the control's own count, TTextBytes), so a
// character is taken whole or not at all.
class MaxLengthValidator : public QValidator {
 public:
  MaxLengthValidator(std::function<int()> limit, std::function<int(const QString&)> octets,
                     QLineEdit* edit, std::function<bool(QString&)> fit = nullptr)
      : QValidator(edit),
        limit_(std::move(limit)),
        octets_(std::move(octets)),
        edit_(edit),
        fit_(std::move(fit)) {}
  State validate(QString& input, int& pos) const override {
    int max = limit_();
    if (max <= 0) return Acceptable;
    const int length = octets_(input);
    if (length <= max) return Acceptable;
    if (length < octets_(edit_->text())) return Acceptable;
    QString fitted = input;
    if (!fit_ || !fit_(fitted) || octets_(fitted) > max) return Invalid;
    input = fitted;
    pos = static_cast<int>(input.size());
    return Acceptable;
  }

 private:
  std::function<int()> limit_;
  std::function<int(const QString&)> octets_;
  QLineEdit* edit_;
  std::function<bool(QString&)> fit_;
};

}  // namespace ui_detail
