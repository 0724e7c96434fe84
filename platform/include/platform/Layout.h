// Layouts for forms whose resources give no coordinates, with the look of the
// generated pages: a column of buttons on the right, and rows of labelled
// fields.
#pragma once

#include <vector>

#include "platform/Controls.h"

class TPanel;
class TCheckBox;

struct TColumnLayout {
  int Left = 10;   // left margin of the column
  int Top = 10;    // the first control's Top
  int Width = 96;  // given to every control
  int Gap = 5;     // between two visible controls
};

// Stacks the controls in order from Top down at Left, each Width wide and Gap
// below the previous visible one. Hidden controls take no room but are still
// given their place. Returns the y below the last visible control. (A label
// keeps its own width while AutoSize is on.)
int ArrangeColumn(const std::vector<TControl*>& controls, const TColumnLayout& layout = {});

// A panel for a button column: aligned right, no bevels, 2 x Left + Width
// wide (116 by default). Owned by `owner`, placed on `parent`.
TPanel* CreateButtonColumn(TComponent* owner, TWinControl* parent,
                           const TColumnLayout& layout = {});

// One row of fields: an optional tick box, a label and the field itself (an
// edit, a combo box, a panel ...). A row whose field is hidden takes no room.
struct TFieldRow {
  TControl* Label = nullptr;
  TControl* Field = nullptr;
  TCheckBox* Tick = nullptr;
};

struct TFieldLayout {
  int Left = 20;            // tick boxes (labels, when no row has one)
  int Top = 20;             // the first row's field
  int Gap = 5;              // between rows, tick and label, label and field
  int FieldWidth = 121;     // given to every field; 0 keeps their widths
  int MinFieldHeight = 21;  // a field lower than 20 pixels is raised to this
  int Columns = 1;          // side by side; the rows are shared out in order
  int ColumnGap = 20;       // between one column's fields and the next column
};

// Places the rows: each field Gap below the previous one; the fields of a
// column start Gap pixels right of its widest label; tick box and label are
// centred on their field's height. Returns the rectangle that the placed
// controls cover (all zero when none is visible).
TRect ArrangeFieldRows(const std::vector<TFieldRow>& rows, const TFieldLayout& layout = {});

// Sets the client size of `container` to the extent of its visible,
// non-aligned children plus `margin` on the right and at the bottom, plus the
// widths of controls aligned right and the heights of those aligned at the
// bottom.
void FitToContent(TWinControl* container, int margin = 8);
