// Page controls: the tabs show the sheets whose tab is visible; the page
// shown is always the active page.
#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>

#include "FocusLook.h"
#include "Toolkit.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"

using namespace ui_detail;

namespace {

// The tabs; while the page control has the focus, the active tab's caption
// is dotted around (FocusLook.h). A click on a tab gives it the focus (a
// click on a sheet does not).
class PageTabs : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && tabAt(e->position().toPoint()) >= 0 && parentWidget())
      parentWidget()->setFocus(Qt::MouseFocusReason);
    QTabBar::mousePressEvent(e);
  }
  void paintEvent(QPaintEvent* e) override {
    QTabBar::paintEvent(e);
    if (!parentWidget() || !parentWidget()->hasFocus() || currentIndex() < 0) return;
    QPainter p(this);
    DrawFocusRect(p, tabRect(currentIndex()).adjusted(3, 3, -4, -4));
  }
};

class PageWidget : public QWidget {
 public:
  PageWidget() {
    tabs = new PageTabs(this);
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::TabFocus);
  }
  QTabBar* tabs;
  bool updating = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    auto* pc = dynamic_cast<TPageControl*>(ControlOf(this));
    if (!pc) return;
    QPainter p(this);
    QRect r = rect().adjusted(0, pc->TabAreaHeight(), -1, -1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(160, 160, 160));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }
};

PageWidget* PW(const TPageControl* pc) { return WidgetAs<PageWidget>(pc); }

}  // namespace

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, new Peer(new QWidget()), 0, 0) {
  StoreVisible(false);
  ApplyVisible();
}

TTabSheet::~TTabSheet() {
  BeginDestroy();
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* p) {
  auto* pc = dynamic_cast<TPageControl*>(p);
  if (pageControl_ && pageControl_ != pc) {
    TPageControl* old = pageControl_;
    pageControl_ = nullptr;
    old->RemovePage(this);
  }
  TWinControl::SetParent(p);
  if (pc && pageControl_ != pc) {
    pageControl_ = pc;
    pc->InsertPage(this);
  }
}

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

void TTabSheet::SetTabVisible(bool v) {
  tabVisible_ = v;
  if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::SetTextValue(const AnsiString& v) {
  text_ = v;
  if (pageControl_) pageControl_->UpdateTabs();
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  for (int i = 0; i < pageControl_->PageCount(); ++i)
    if (pageControl_->Pages(i) == this) return i;
  return -1;
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int n = 0;
  for (int i = 0; i < pageControl_->PageCount(); ++i) {
    TTabSheet* s = pageControl_->Pages(i);
    if (s == this) return n;
    if (s->TabVisible()) ++n;
  }
  return -1;
}

// ---- TPageControl

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new PageWidget()), 289, 193) {
  SetTabStop(true);
  PageWidget* w = PW(this);
  QObject::connect(w->tabs, &QTabBar::currentChanged, w, [this](int i) {
    if (!PW(this)->updating) UserSelectedTab(i);
  });
  UpdateTabs();
}

TPageControl::~TPageControl() {
  BeginDestroy();
  for (TTabSheet* s : pages_) s->pageControl_ = nullptr;
}

TTabSheet* TPageControl::Pages(int i) const {
  if (i < 0 || i >= PageCount())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return pages_[static_cast<std::size_t>(i)];
}

int TPageControl::TabAreaHeight() const {
  for (TTabSheet* s : pages_)
    if (s->TabVisible()) return PW(this)->tabs->sizeHint().height();
  return 0;
}

bool TPageControl::CanFocus() const { return TabAreaHeight() > 0 && TWinControl::CanFocus(); }

TRect TPageControl::AlignRect() const {
  int top = TabAreaHeight();
  return {2, top + 2, ClientWidth() - 2, ClientHeight() - 2};
}

void TPageControl::BoundsChanged() { LayoutPages(); }

void TPageControl::InsertPage(TTabSheet* p) {
  pages_.push_back(p);
  if (!active_) active_ = p;  // the first sheet shows while there is no other
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* p) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), p), pages_.end());
  if (active_ == p) active_ = nullptr;
  if (!(ComponentState() & csDestroying)) UpdateTabs();
}

int TPageControl::ActivePageIndex() const {
  for (int i = 0; i < PageCount(); ++i)
    if (pages_[static_cast<std::size_t>(i)] == active_) return i;
  return -1;
}

void TPageControl::SetActivePage(TTabSheet* p) {
  if (p && p->pageControl_ != this) return;
  active_ = p;
  UpdateTabs();
}

void TPageControl::SetActivePageIndex(int i) {
  SetActivePage(i >= 0 && i < PageCount() ? pages_[static_cast<std::size_t>(i)] : nullptr);
}

void TPageControl::UserSelectedTab(int tabIndex) {
  TTabSheet* target = nullptr;
  for (TTabSheet* s : pages_)
    if (s->TabIndex() == tabIndex) target = s;
  if (!target || target == active_) return;
  if (OnChanging) {
    bool allow = true;
    Guarded(this, [&] { OnChanging(this, allow); });
    if (!allow) {
      UpdateTabs();
      return;
    }
  }
  SetActivePage(target);
  if (OnChange) Guarded(this, [this] { OnChange(this); });
}

void TPageControl::UpdateTabs() {
  PageWidget* w = PW(this);
  if (!w) return;
  w->updating = true;
  while (w->tabs->count() > 0) w->tabs->removeTab(0);
  for (TTabSheet* s : pages_)
    if (s->TabVisible()) w->tabs->addTab(Q(s->Caption()));
  if (active_ && active_->TabVisible()) w->tabs->setCurrentIndex(active_->TabIndex());
  w->tabs->setVisible(w->tabs->count() > 0);
  w->updating = false;
  LayoutPages();
}

// Every sheet fills the page area; only the active one is visible.
void TPageControl::LayoutPages() {
  PageWidget* w = PW(this);
  if (!w) return;
  w->tabs->setGeometry(2, 0, std::max(0, Width() - 4), TabAreaHeight());
  TRect r = AlignRect();
  for (TTabSheet* s : pages_) {
    s->SetBoundsQuiet(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    bool show = s == active_;
    if (s->Visible() != show) {
      s->StoreVisible(show);
      s->ApplyVisible();
    }
  }
  w->update();
}
