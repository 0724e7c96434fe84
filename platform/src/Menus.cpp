// Menus: the item tree lives here; native actions show it once a menu bar
// or a pop-up displays the menu (building a large tree costs no widgets).
#include "platform/Menus.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>

#include "MenuBar.h"
#include "Toolkit.h"
#include "platform/SysUtils.h"

namespace ui_detail {

// An item's action and, while it has sub-items, its sub-menu. A root item
// has no action: the widgets that show its entries are its hosts.
struct MenuPeer {
  MenuPeer() = default;
  MenuPeer(const MenuPeer&) = delete;
  MenuPeer& operator=(const MenuPeer&) = delete;
  ~MenuPeer() {
    if (action) action->setMenu(nullptr);
    delete submenu.data();
    delete action.data();
    delete popup.data();
  }
  QPointer<QAction> action;
  QPointer<QMenu> submenu;
  QPointer<QMenu> popup;  // a pop-up menu's own window (owned)
  std::vector<QPointer<QWidget>> hosts;
};

}  // namespace ui_detail

using namespace ui_detail;

namespace {

// The widgets that show the sub-items of `item`.
std::vector<QWidget*> HostsOf(const TMenuItem* item) {
  std::vector<QWidget*> out;
  MenuPeer* p = item->PeerOf();
  if (!p) return out;
  if (!item->Parent() && item->GetParentMenu()) {
    for (const QPointer<QWidget>& h : p->hosts)
      if (h) out.push_back(h.data());
  } else if (p->submenu) {
    out.push_back(p->submenu.data());
  }
  return out;
}

QAction* ActionOf(const TMenuItem* item) {
  MenuPeer* p = item->PeerOf();
  return p ? p->action.data() : nullptr;
}

// Puts the action of sub-item `index` into the host, before the next
// sub-item's action.
void InsertInto(QWidget* host, const TMenuItem* parent, int index) {
  QAction* action = ActionOf(parent->Items(index));
  if (!action) return;
  QAction* before = nullptr;
  const QList<QAction*> present = host->actions();
  for (int j = index + 1; j < parent->Count() && !before; ++j) {
    QAction* a = ActionOf(parent->Items(j));
    if (a && present.contains(a)) before = a;
  }
  host->insertAction(before, action);
}

TMenuItem* FindByName(TMenuItem* item, const AnsiString& name) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* c = item->Items(i);
    if (SameText(c->Name(), name)) return c;
    if (TMenuItem* found = FindByName(c, name)) return found;
  }
  return nullptr;
}

}  // namespace

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  BeginDestroy();
  // The sub-items go with their parent, whoever owns them; the last first.
  while (!items_.empty()) delete items_.back();
  if (parent_) parent_->Remove(this);
  peer_.reset();
}

void TMenuItem::SetCaption(const AnsiString& v) {
  caption_ = v;
  UpdatePeer();
}

void TMenuItem::SetVisible(bool v) {
  visible_ = v;
  UpdatePeer();
}

void TMenuItem::SetEnabled(bool v) {
  enabled_ = v;
  UpdatePeer();
}

void TMenuItem::SetChecked(bool v) {
  checked_ = v;
  UpdatePeer();
}

TMenuItem* TMenuItem::Items(int i) const {
  if (items_.empty()) throw EMenuError("Menu index out of range");
  if (i < 0 || i >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return items_[static_cast<std::size_t>(i)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_ || item->menu_) throw EMenuError("Menu inserted twice");
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > Count()) index = Count();
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  ChildAdded(item);
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  ChildRemoved(item);
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  if (items_.empty() && peer_ && peer_->submenu) {
    if (peer_->action) peer_->action->setMenu(nullptr);
    delete peer_->submenu.data();
  }
}

void TMenuItem::Remove(TMenuItem* item) {
  int i = IndexOf(item);
  if (i >= 0) Delete(i);
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& caption) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    if (SameText((*it)->caption_, caption)) return *it;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* top = this;
  while (top->parent_) top = top->parent_;
  return top->menu_;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

// Creates the native action (with its sub-menu and the sub-items' actions)
// once something shows the item.
void TMenuItem::Realize() {
  if (!qApp) return;
  if (menu_) {  // a root item: its hosts show the entries
    if (!peer_) peer_ = std::make_unique<MenuPeer>();
    return;
  }
  if (!peer_) {
    peer_ = std::make_unique<MenuPeer>();
    auto* action = new QAction();
    peer_->action = action;
    QObject::connect(action, &QAction::triggered, action,
                     [this] { Guarded(this, [this] { Click(); }); });
    UpdatePeer();
  }
  if (!items_.empty() && !peer_->submenu) {
    auto* sub = new QMenu();
    sub->setFont(MenuFont());
    peer_->submenu = sub;
    // Opening a sub-menu is this item's click, as the class library has it.
    QObject::connect(sub, &QMenu::aboutToShow, sub, [this] { Guarded(this, [this] { Click(); }); });
    peer_->action->setMenu(sub);
    for (TMenuItem* c : items_) {
      c->Realize();
      if (QAction* a = ActionOf(c)) sub->addAction(a);
    }
  }
}

void TMenuItem::UpdatePeer() {
  QAction* a = peer_ ? peer_->action.data() : nullptr;
  if (!a) return;
  a->setSeparator(IsLine());
  a->setText(Q(caption_));
  a->setVisible(visible_);
  a->setEnabled(enabled_);
  a->setCheckable(checked_);
  a->setChecked(checked_);
}

void TMenuItem::ChildAdded(TMenuItem* item) {
  if (!peer_) return;
  if (!menu_ && !peer_->submenu) {
    Realize();  // creates the sub-menu with every sub-item, this one included
    return;
  }
  int index = IndexOf(item);
  for (QWidget* host : HostsOf(this)) {
    item->Realize();
    InsertInto(host, this, index);
  }
}

void TMenuItem::ChildRemoved(TMenuItem* item) {
  QAction* a = ActionOf(item);
  if (!a) return;
  for (QWidget* host : HostsOf(this)) host->removeAction(a);
}

// ---- TMenu

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  BeginDestroy();
  items_.reset();
}

TMenuItem* TMenu::FindItem(const AnsiString& name) const {
  if (name.IsEmpty()) return nullptr;
  return FindByName(items_.get(), name);
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() { BeginDestroy(); }

TComponent* TPopupMenu::PopupComponent() const {
  return popupToken_.expired() ? nullptr : popupComponent_;
}

void TPopupMenu::SetPopupComponent(TComponent* c) {
  popupComponent_ = c;
  popupToken_ = c ? c->LifeToken() : std::weak_ptr<void>();
}

void TPopupMenu::Popup(int X, int Y) {
  std::weak_ptr<void> alive = LifeToken();
  if (OnPopup) OnPopup(this);
  if (alive.expired() || !qApp) return;
  TMenuItem* root = Items();
  MenuPeer* p = root->PeerOf();
  if (!p || !p->popup) {
    auto* menu = new QMenu();
    menu->setFont(MenuFont());
    AttachMenuHost(this, menu);
    root->PeerOf()->popup = menu;
    p = root->PeerOf();
  }
  p->popup->popup(QPoint(X, Y));
}

void TPopupMenu::CloseMenu() {
  if (MenuPeer* p = Items()->PeerOf(); p && p->popup) p->popup->hide();
}

// ---- Building from a table

TMenuItem* AddMenuEntry(TMenu* menu, const AnsiString& path, const AnsiString& name,
                        const TNotifyEvent& onClick, bool visible, bool enabled) {
  if (!menu) throw EMenuError("No menu to add \"" + path + "\" to");
  TComponent* owner = menu->Owner() ? menu->Owner() : menu;
  TMenuItem* parent = menu->Items();
  AnsiString rest = path;
  const AnsiString sep = " > ";
  for (int p; (p = rest.Pos(sep)) > 0;) {
    AnsiString caption = rest.SubString(1, p - 1);
    rest = rest.SubString(p + sep.Length(), rest.Length());
    TMenuItem* level = parent->Find(caption);
    if (!level || level->IsLine()) {
      level = new TMenuItem(owner);
      level->SetCaption(caption);
      parent->Add(level);
    }
    parent = level;
  }
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(rest);
  item->SetVisible(visible);
  item->SetEnabled(enabled);
  item->OnClick = onClick;
  parent->Add(item);
  return item;
}

TRect MenuItemRect(const TMenuItem* item) {
  QAction* action = item ? ActionOf(item) : nullptr;
  if (!action || !item->Parent() || item->Parent()->Parent() || !action->isVisible()) return {};
  for (QWidget* host : HostsOf(item->Parent())) {
    for (QMenuBar* bar : host->findChildren<QMenuBar*>(Qt::FindDirectChildrenOnly)) {
      if (bar->isHidden() || !bar->actions().contains(action)) continue;
      QRect r = bar->actionGeometry(action);
      if (r.isEmpty() || !bar->rect().contains(r)) return {};
      QPoint p = bar->mapTo(bar->window(), r.topLeft());
      return {p.x(), p.y(), p.x() + r.width(), p.y() + r.height()};
    }
  }
  return {};
}

// ---- Toolkit side

namespace ui_detail {

void AttachMenuHost(TMenu* menu, QWidget* host) {
  TMenuItem* root = menu->Items();
  root->Realize();
  if (!root->PeerOf()) return;
  root->PeerOf()->hosts.emplace_back(host);
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* c = root->Items(i);
    c->Realize();
    if (QAction* a = ActionOf(c)) host->addAction(a);
  }
}

void DetachMenuHost(TMenu* menu, QWidget* host) {
  TMenuItem* root = menu->Items();
  MenuPeer* p = root->PeerOf();
  if (!p) return;
  auto& h = p->hosts;
  h.erase(std::remove_if(h.begin(), h.end(),
                         [host](const QPointer<QWidget>& w) { return !w || w.data() == host; }),
          h.end());
  for (int i = 0; i < root->Count(); ++i)
    if (QAction* a = ActionOf(root->Items(i))) host->removeAction(a);
}

bool MenuShown(const TMenu* menu) {
  for (QWidget* h : HostsOf(menu->Items()))
    if (h->isVisible()) return true;
  return false;
}

void CloseMenus(const TMenu* menu) {
  for (QWidget* h : HostsOf(menu->Items()))
    if (auto* m = qobject_cast<QMenu*>(h)) m->hide();
}

QAction* MenuAction(const TMenuItem* item) { return ActionOf(item); }

QMenu* SubMenuOf(const TMenuItem* item) {
  MenuPeer* p = item->PeerOf();
  return p ? p->submenu.data() : nullptr;
}

}  // namespace ui_detail
