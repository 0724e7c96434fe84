// Status bars: panels, or the simple text while SimplePanel is on.
#include <QPainter>

#include "Widgets.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"

using namespace ui_detail;

namespace {

class StatusWidget : public Clickable<QWidget> {
 public:
  StatusWidget() { setAutoFillBackground(true); }

 protected:
  void paintEvent(QPaintEvent*) override {
    auto* bar = dynamic_cast<TStatusBar*>(ControlOf(this));
    if (!bar) return;
    QPainter p(this);
    auto cell = [&](QRect r, const AnsiString& text) {
      p.setPen(QColor(160, 160, 160));
      p.drawLine(r.topLeft(), r.topRight());
      p.drawLine(r.topLeft(), r.bottomLeft());
      p.setPen(QColor(255, 255, 255));
      p.drawLine(r.bottomLeft(), r.bottomRight());
      p.drawLine(r.topRight(), r.bottomRight());
      p.setPen(palette().color(QPalette::WindowText));
      p.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, Q(text));
    };
    QRect all = rect().adjusted(0, 2, -1, -1);
    if (bar->SimplePanel()) {
      cell(all, bar->SimpleText());
      return;
    }
    int x = 0;
    TStatusPanels* panels = bar->Panels();
    for (int i = 0; i < panels->Count(); ++i) {
      TStatusPanel* sp = panels->Items(i);
      bool last = i == panels->Count() - 1;
      int w = last ? std::max(sp->Width(), all.width() - x) : sp->Width();
      cell(QRect(x, all.top(), w - 2, all.height()), sp->Text());
      x += w;
    }
  }
};

}  // namespace

void TStatusPanel::SetText(const AnsiString& v) {
  text_ = v;
  owner_->bar_->Repaint();
}

void TStatusPanel::SetWidth(int w) {
  width_ = w;
  owner_->bar_->Repaint();
}

void TStatusPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  owner_->bar_->Repaint();
}

int TStatusPanel::Index() const {
  for (int i = 0; i < owner_->Count(); ++i)
    if (owner_->Items(i) == this) return i;
  return -1;
}

TStatusPanels::~TStatusPanels() = default;

TStatusPanel* TStatusPanels::Items(int i) const {
  if (i < 0 || i >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return panels_[static_cast<std::size_t>(i)].get();
}

TStatusPanel* TStatusPanels::Add() {
  panels_.push_back(std::make_unique<TStatusPanel>(this));
  bar_->Repaint();
  return panels_.back().get();
}

void TStatusPanels::Clear() {
  panels_.clear();
  bar_->Repaint();
}

void TStatusPanels::Delete(int i) {
  Items(i);
  panels_.erase(panels_.begin() + i);
  bar_->Repaint();
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new StatusWidget()), 0, 19) {
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() { BeginDestroy(); }

void TStatusBar::SetSimplePanel(bool v) {
  simplePanel_ = v;
  Repaint();
}

void TStatusBar::SetSimpleText(const AnsiString& v) {
  simpleText_ = v;
  Repaint();
}

void TStatusBar::SetSizeGrip(bool v) { sizeGrip_ = v; }

AnsiString TStatusBar::DisplayedText() const {
  if (simplePanel_) return simpleText_;
  AnsiString out;
  for (int i = 0; i < panels_.Count(); ++i) {
    if (i) out += "|";
    out += panels_.Items(i)->Text();
  }
  return out;
}
