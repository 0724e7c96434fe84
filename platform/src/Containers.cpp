// Panels, scroll boxes and splitters.
#include <QApplication>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "Widgets.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

using namespace ui_detail;

namespace {

void DrawBevel(QPainter& p, QRect r, TBevelCut cut, int width) {
  if (cut == bvNone || cut == bvSpace) return;
  QColor light = QColor(255, 255, 255), dark = QColor(160, 160, 160);
  if (cut == bvLowered) std::swap(light, dark);
  for (int i = 0; i < width; ++i) {
    QRect b = r.adjusted(i, i, -i - 1, -i - 1);
    p.setPen(light);
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(dark);
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
  }
}

class PanelWidget : public Clickable<QWidget> {
 public:
  PanelWidget() { setAutoFillBackground(true); }

 protected:
  void paintEvent(QPaintEvent*) override {
    auto* panel = dynamic_cast<TPanel*>(ControlOf(this));
    if (!panel) return;
    QPainter p(this);
    QRect r = rect();
    DrawBevel(p, r, panel->BevelOuter(), panel->BevelWidth());
    int outer = panel->BevelOuter() == bvNone ? 0 : panel->BevelWidth();
    r.adjust(outer + panel->BorderWidth(), outer + panel->BorderWidth(),
             -outer - panel->BorderWidth(), -outer - panel->BorderWidth());
    DrawBevel(p, r, panel->BevelInner(), panel->BevelWidth());
    if (!panel->Caption().IsEmpty()) {
      p.setPen(palette().color(QPalette::WindowText));
      const int flags = static_cast<int>(Qt::AlignVCenter |
                                         (panel->Alignment() == taCenter         ? Qt::AlignHCenter
                                          : panel->Alignment() == taRightJustify ? Qt::AlignRight
                                                                                 : Qt::AlignLeft));
      p.drawText(r.adjusted(2, 0, -2, 0), flags, Q(panel->Caption()));
    }
  }
};

class SplitterWidget : public QWidget {
 public:
  SplitterWidget() { setAutoFillBackground(true); }

 protected:
  void mousePressEvent(QMouseEvent* e) override { last_ = e->globalPosition().toPoint(); }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton)) return;
    auto* s = dynamic_cast<TSplitter*>(ControlOf(this));
    if (!s) return;
    QPoint now = e->globalPosition().toPoint();
    bool horizontal = s->Align() == alTop || s->Align() == alBottom;
    int delta = horizontal ? now.y() - last_.y() : now.x() - last_.x();
    last_ = now;
    if (delta) Guarded(s, [&] { s->Dragged(delta); });
  }

 private:
  QPoint last_;
};

// The scroll box's children live on an inner widget that scrolls.
struct ScrollPeer : Peer {
  ScrollPeer() : Peer(new QScrollArea()) {
    auto* area = static_cast<QScrollArea*>(widget.data());
    area->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    area->setLineWidth(2);
    area->setWidgetResizable(false);
    auto* inner = new Clickable<QWidget>();
    area->setWidget(inner);
    container = inner;
  }
};

}  // namespace

// ---- TPanel

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner, new Peer(new PanelWidget()), 185, 41) {}

void TPanel::SetTextValue(const AnsiString& v) {
  text_ = v;
  Repaint();
}

TRect TPanel::AlignRect() const {
  int b = BorderWidth();
  if (bevelOuter_ != bvNone) b += bevelWidth_;
  if (bevelInner_ != bvNone) b += bevelWidth_;
  return {b, b, ClientWidth() - b, ClientHeight() - b};
}

void TPanel::SetBevelInner(TBevelCut b) {
  bevelInner_ = b;
  Realign();
  Repaint();
}

void TPanel::SetBevelOuter(TBevelCut b) {
  bevelOuter_ = b;
  Realign();
  Repaint();
}

void TPanel::SetBevelWidth(int v) {
  bevelWidth_ = v < 1 ? 1 : v;
  Realign();
  Repaint();
}

void TPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Repaint();
}

// ---- TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner) : TWinControl(AOwner, new ScrollPeer(), 185, 41) {
  UpdateScrollRange();
}

namespace {

constexpr int kScrollFrame = 2;  // the sunken frame, each side

// The thickness of a scroll bar in the toolkit's style.
int ScrollBarExtent() {
  if (!qApp) return 16;
  return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace

// Which bars show: the extent of the visible children placed by position
// against the area inside the frame, less the other bar where it shows.
void TScrollBox::ScrollBars(bool& horizontal, bool& vertical) const {
  horizontal = vertical = false;
  if (!autoScroll_) return;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
  }
  int w = Width() - 2 * kScrollFrame, h = Height() - 2 * kScrollFrame, bar = ScrollBarExtent();
  vertical = bottom > h;
  horizontal = right > w - (vertical ? bar : 0);
  if (horizontal && !vertical) vertical = bottom > h - bar;
}

bool TScrollBox::HorzScrollBarShown() const {
  bool h, v;
  ScrollBars(h, v);
  return h;
}

bool TScrollBox::VertScrollBarShown() const {
  bool h, v;
  ScrollBars(h, v);
  return v;
}

int TScrollBox::ClientWidth() const {
  bool h, v;
  ScrollBars(h, v);
  return std::max(0, Width() - 2 * kScrollFrame - (v ? ScrollBarExtent() : 0));
}

int TScrollBox::ClientHeight() const {
  bool h, v;
  ScrollBars(h, v);
  return std::max(0, Height() - 2 * kScrollFrame - (h ? ScrollBarExtent() : 0));
}

void TScrollBox::SetAutoScroll(bool v) {
  autoScroll_ = v;
  Realign();
  UpdateScrollRange();
}

void TScrollBox::BoundsChanged() { UpdateScrollRange(); }

// The inner area covers the client area and every child; the bars show as
// ScrollBars decides. When a bar comes or goes, the client area changes and
// the aligned children follow.
void TScrollBox::UpdateScrollRange() {
  auto* area = WidgetAs<QScrollArea>(this);
  QWidget* inner = Container(this);
  if (!area || !inner || updating_) return;
  updating_ = true;
  bool h, v;
  ScrollBars(h, v);
  bool hadH = area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
  bool hadV = area->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
  area->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  int w = ClientWidth(), ht = ClientHeight();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    w = std::max(w, c->Left() + c->Width());
    ht = std::max(ht, c->Top() + c->Height());
  }
  inner->resize(w, ht);
  if (h != hadH || v != hadV) Realign();
  updating_ = false;
}

// ---- TSplitter

TSplitter::TSplitter(TComponent* AOwner)
    : TGraphicControl(AOwner, new Peer(new SplitterWidget()), 3, 100) {
  SetAlign(alLeft);
}

TControl* TSplitter::FindNeighbour() const {
  TWinControl* p = Parent();
  if (!p) return nullptr;
  for (int i = 0; i < p->ControlCount(); ++i) {
    TControl* c = p->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    switch (Align()) {
      case alLeft:
        if (c->Left() + c->Width() == Left()) return c;
        break;
      case alRight:
        if (c->Left() == Left() + Width()) return c;
        break;
      case alTop:
        if (c->Top() + c->Height() == Top()) return c;
        break;
      case alBottom:
        if (c->Top() == Top() + Height()) return c;
        break;
      default:
        break;
    }
  }
  return nullptr;
}

void TSplitter::Dragged(int delta) {
  TControl* c = FindNeighbour();
  if (!c) return;
  switch (Align()) {
    case alLeft:
      c->SetWidth(std::max(minSize_, c->Width() + delta));
      break;
    case alRight:
      c->SetWidth(std::max(minSize_, c->Width() - delta));
      break;
    case alTop:
      c->SetHeight(std::max(minSize_, c->Height() + delta));
      break;
    case alBottom:
      c->SetHeight(std::max(minSize_, c->Height() - delta));
      break;
    default:
      return;
  }
  if (OnMoved) OnMoved(this);
}
