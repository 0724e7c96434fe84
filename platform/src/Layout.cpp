#include "platform/Layout.h"

#include <algorithm>

#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

int ArrangeColumn(const std::vector<TControl*>& controls, const TColumnLayout& layout) {
  int y = layout.Top;
  for (TControl* c : controls) {
    if (!c) continue;
    c->SetBounds(layout.Left, y, layout.Width, c->Height());
    if (c->Visible()) y = c->Top() + c->Height() + layout.Gap;
  }
  return y;
}

TPanel* CreateButtonColumn(TComponent* owner, TWinControl* parent, const TColumnLayout& layout) {
  auto* panel = new TPanel(owner);
  panel->SetBevelInner(bvNone);
  panel->SetBevelOuter(bvNone);
  panel->SetWidth(2 * layout.Left + layout.Width);
  panel->SetParent(parent);
  panel->SetAlign(alRight);
  return panel;
}

namespace {

bool Shown(const TFieldRow& r) { return r.Field && r.Field->Visible(); }

// Places one column of rows at `left`; returns the covered rectangle.
TRect PlaceColumn(const std::vector<const TFieldRow*>& rows, int left, const TFieldLayout& l) {
  bool ticks = false;
  int widest = 0;
  for (const TFieldRow* r : rows) {
    ticks = ticks || r->Tick;
    if (r->Label) widest = std::max(widest, r->Label->Width());
  }
  int tickWidth = 0;
  for (const TFieldRow* r : rows)
    if (r->Tick) tickWidth = std::max(tickWidth, r->Tick->Width());
  int labelLeft = ticks ? left + tickWidth + l.Gap : left;
  int fieldLeft = labelLeft + widest + l.Gap;
  TRect box{left, l.Top, left, l.Top};
  int y = l.Top;
  for (const TFieldRow* r : rows) {
    TControl* f = r->Field;
    int h = f->Height() < 20 ? l.MinFieldHeight : f->Height();
    f->SetBounds(fieldLeft, y, l.FieldWidth > 0 ? l.FieldWidth : f->Width(), h);
    if (r->Tick)
      r->Tick->SetBounds(left, y + (h - r->Tick->Height()) / 2, r->Tick->Width(),
                         r->Tick->Height());
    if (r->Label)
      r->Label->SetBounds(labelLeft, y + (h - r->Label->Height()) / 2, r->Label->Width(),
                          r->Label->Height());
    box.Right = std::max(box.Right, f->Left() + f->Width());
    box.Bottom = std::max(box.Bottom, y + h);
    y += h + l.Gap;
  }
  return box;
}

}  // namespace

TRect ArrangeFieldRows(const std::vector<TFieldRow>& rows, const TFieldLayout& layout) {
  std::vector<const TFieldRow*> shown;
  for (const TFieldRow& r : rows)
    if (Shown(r)) shown.push_back(&r);
  if (shown.empty()) return {};
  const auto columns = static_cast<std::size_t>(std::max(1, layout.Columns));
  std::size_t per = (shown.size() + columns - 1) / columns;
  TRect all{layout.Left, layout.Top, layout.Left, layout.Top};
  int left = layout.Left;
  for (std::size_t at = 0; at < shown.size(); at += per) {
    std::vector<const TFieldRow*> column(
        shown.begin() + static_cast<long>(at),
        shown.begin() + static_cast<long>(std::min(shown.size(), at + per)));
    TRect box = PlaceColumn(column, left, layout);
    all.Right = std::max(all.Right, box.Right);
    all.Bottom = std::max(all.Bottom, box.Bottom);
    left = box.Right + layout.ColumnGap;
  }
  return all;
}

// Controls aligned right or at the bottom (a button column, a status bar)
// lie beyond the placed content and add their size.
void FitToContent(TWinControl* container, int margin) {
  int right = 0, bottom = 0, rightBand = 0, bottomBand = 0;
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* c = container->Controls(i);
    if (!c->Visible()) continue;
    if (c->Align() == alRight) rightBand += c->Width();
    if (c->Align() == alBottom) bottomBand += c->Height();
    if (c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
  }
  container->SetClientWidth(right + margin + rightBand);
  container->SetClientHeight(bottom + margin + bottomBand);
}
