// The field rows of the IP-MAC binding views: a caption beside each
// read-only edit or disabled combo box, arranged in one column.
#pragma once

#include <vector>

#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

class TViewRows {
 public:
  explicit TViewRows(TFormBuilder& builder) : b_(builder) {}

  void Edit(TEdit*& field, const char* name, const char* caption) {
    TLabel* l = Label(caption);
    b_.Add(field, name).ReadOnly();
    rows_.push_back({l, field});
  }
  void Combo(TComboBox*& field, const char* name, const char* caption) {
    TLabel* l = Label(caption);
    b_.Add(field, name).Style(csDropDownList);
    field->SetEnabled(false);
    rows_.push_back({l, field});
  }
  void Arrange(int left, int top, int fieldWidth, int columns = 1) {
    TFieldLayout layout;
    layout.Left = left;
    layout.Top = top;
    layout.Gap = 5;
    layout.FieldWidth = fieldWidth;
    layout.Columns = columns;
    layout.ColumnGap = 24;
    ArrangeFieldRows(rows_, layout);
  }

 private:
  TLabel* Label(const char* caption) {
    return b_.Make<TLabel>("Label" + IntToStr(++n_)).Caption(caption).Get();
  }
  TFormBuilder& b_;
  std::vector<TFieldRow> rows_;
  int n_ = 0;
};
