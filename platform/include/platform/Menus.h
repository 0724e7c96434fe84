// Menus: the main menu of a form, pop-up menus and their items, and a plain
// way to build a large menu tree from a table.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/Closure.h"
#include "platform/Component.h"
#include "platform/Controls.h"
#include "platform/Exceptions.h"

class TMenu;
class TControl;
namespace ui_detail {
struct MenuPeer;  // the native menu entry behind an item (defined with the toolkit)
}

class EMenuError : public Exception {
 public:
  using Exception::Exception;
};

// One entry of a menu. An item holds its sub-items (Items(i), Count) and
// destroys them with itself; as a component it is owned by the form, so that
// FindComponent finds it by Name. The caption "-" makes a separator.
//
// Click() runs OnClick when the item is Enabled, whether or not it is
// Visible: a hidden entry keeps working when code calls it. The user reaches
// an entry only while it and every item above it are visible and enabled. An
// item with sub-items gets its OnClick when its sub-menu opens (top-level
// items included).
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  AnsiString Caption() const { return caption_; }
  void SetCaption(const AnsiString& v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  AnsiString Hint() const { return hint_; }
  void SetHint(const AnsiString& v) { hint_ = v; }
  // A separator line (caption "-").
  bool IsLine() const { return caption_ == "-"; }

  int Count() const { return static_cast<int>(items_.size()); }
  // EMenuError when the item has no sub-items, EListError for an index out
  // of range.
  TMenuItem* Items(int i) const;
  TMenuItem* operator[](int i) const { return Items(i); }
  // EMenuError ("Menu inserted twice") when the item already has a parent.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the sub-item out without destroying it.
  void Delete(int index);
  void Remove(TMenuItem* item);
  // Destroys every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  // The last sub-item with this caption (ignoring case), or null.
  TMenuItem* Find(const AnsiString& caption) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // The menu whose tree holds the item, or null.
  TMenu* GetParentMenu() const;

  virtual void Click();

  TNotifyEvent OnClick;

  // Toolkit side.
  ui_detail::MenuPeer* PeerOf() const { return peer_.get(); }
  void Realize();

 private:
  friend class TMenu;
  void UpdatePeer();
  void ChildAdded(TMenuItem* item);
  void ChildRemoved(TMenuItem* item);

  std::unique_ptr<ui_detail::MenuPeer> peer_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on a menu's root item only
  std::vector<TMenuItem*> items_;
  AnsiString caption_;
  AnsiString hint_;
  bool visible_ = true;
  bool enabled_ = true;
  bool checked_ = false;
};

// A menu: a tree below its root item Items().
class TMenu : public TComponent {
 public:
  ~TMenu() override;
  // The root item (owned by the menu); its sub-items are the menu's entries.
  TMenuItem* Items() const { return items_.get(); }
  // The item with this component name anywhere in the tree, or null.
  TMenuItem* FindItem(const AnsiString& name) const;

 protected:
  explicit TMenu(TComponent* AOwner);

 private:
  std::unique_ptr<TMenuItem> items_;
};

// The menu bar of a form (TCustomForm::SetMenu).
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

// A menu that pops up over a control: a right click on a control whose
// PopupMenu it is (or on a child without one) opens it with PopupComponent
// set to that control.
class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  TComponent* PopupComponent() const;
  void SetPopupComponent(TComponent* c);
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  // Fires OnPopup, then shows the menu at a screen position; returns at
  // once (a chosen entry's OnClick runs later, from the message loop).
  void Popup(int X, int Y);
  // Closes the menu when it is open.
  void CloseMenu();

  TNotifyEvent OnPopup;

 private:
  TComponent* popupComponent_ = nullptr;
  std::weak_ptr<void> popupToken_;
  bool autoPopup_ = true;
};

// Where a top-level item of a form's main menu shows, in the coordinates of
// the form's window (the menu bar's rows lie above the client area), as the
// system's GetMenuItemRect gives it; an empty rectangle while the bar does
// not show the item (hidden, cut off, not a top-level item, no window).
TRect MenuItemRect(const TMenuItem* item);

// Adds one entry below the menu's root: `path` is the chain of captions from
// the top level down, " > " between levels (for example
// "Basic Configuration > Device Management > System Information"). Each
// level but the last is the last existing sub-item with that caption, or a
// new unnamed one; the last level is always a new item (caption "-": a
// separator). New items are owned by the menu's owner. Returns the new item.
TMenuItem* AddMenuEntry(TMenu* menu, const AnsiString& path, const AnsiString& name,
                        const TNotifyEvent& onClick, bool visible = true, bool enabled = true);

// One row of a menu table for the form class T:
//   static const TMenuRow<TMainForm> kMenu[] = {
//       {"Basic Configuration", "Configuration1"},
//       {"Basic Configuration > Refresh Panel", "RefreshPanel1",
//        &TMainForm::RefreshPanel1Click, false},
//       {.Path = "SNMP V3", .Name = "VACM1", .Field = &TMainForm::VACM1},
//   };
//   BuildMenu(MainMenu1, this, kMenu);
template <class T>
struct TMenuRow {
  const char* Path = "";
  const char* Name = "";
  void (T::*OnClick)(TObject*) = nullptr;
  bool Visible = true;
  bool Enabled = true;
  TMenuItem* T::*Field = nullptr;  // receives the new item
};

template <class T>
void BuildMenu(TMenu* menu, T* target, const TMenuRow<T>* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const TMenuRow<T>& r = rows[i];
    TNotifyEvent click;
    if (r.OnClick) click = TNotifyEvent(target, r.OnClick);
    TMenuItem* item = AddMenuEntry(menu, r.Path, r.Name, click, r.Visible, r.Enabled);
    if (r.Field) target->*(r.Field) = item;
  }
}

template <class T, std::size_t N>
void BuildMenu(TMenu* menu, T* target, const TMenuRow<T> (&rows)[N]) {
  BuildMenu(menu, target, rows, N);
}
