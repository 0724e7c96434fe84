// Page controls, list views and status bars.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "platform/Controls.h"

class TPageControl;

// One page of a page control; its bounds follow the page control.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* pc);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  int PageIndex() const;
  int TabIndex() const;
  void SetParent(TWinControl* p) override;

 protected:
  void SetTextValue(const AnsiString& v) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

// Shows its ActivePage (whether or not that page's tab is visible). The
// first sheet added becomes the active page while there is none. OnChange
// fires for the user's tab changes only.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Throws EListError for an index out of range.
  TTabSheet* Pages(int i) const;
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* p);
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);

  TNotifyEvent OnChange;
  using TTabChangingEvent = TClosure<void(TObject*, bool&)>;
  TTabChangingEvent OnChanging;

  // With every tab hidden nothing would show the focus: it takes none, and
  // Tab passes it by.
  bool CanFocus() const override;

  // Toolkit side.
  void UserSelectedTab(int tabIndex);
  void LayoutPages();
  int TabAreaHeight() const;

 protected:
  TRect AlignRect() const override;
  void BoundsChanged() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* p);
  void RemovePage(TTabSheet* p);
  void UpdateTabs();
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

class TListView;
class TListItems;

// The strings of an item after its caption (cells 1, 2, ...).
class TSubItems : public TStrings {
 public:
  explicit TSubItems(class TListItem* item) : item_(item) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  AnsiString Strings(int i) const override;
  void SetStrings(int i, const AnsiString& s) override;
  TObject* Objects(int i) const override;
  void SetObjects(int i, TObject* obj) override;
  void InsertObject(int i, const AnsiString& s, TObject* obj) override;
  void Delete(int i) override;
  void Clear() override;

 private:
  friend class TListItem;
  void Check(int i) const;
  TListItem* item_;
  std::vector<std::pair<AnsiString, TObject*>> items_;
};

enum TItemChange { ctText, ctImage, ctState };

class TListItem : public TObject {
 public:
  explicit TListItem(TListItems* owner);
  ~TListItem() override;
  AnsiString Caption() const { return caption_; }
  void SetCaption(const AnsiString& v);
  TStrings* SubItems() { return &subItems_; }
  const TStrings* SubItems() const { return &subItems_; }
  bool Selected() const { return selected_; }
  void SetSelected(bool v);
  bool Focused() const { return focused_; }
  void SetFocused(bool v);
  int Index() const;
  TListView* ListView() const;
  void* Data() const { return data_; }
  void SetData(void* d) { data_ = d; }
  void MakeVisible(bool partialOk);
  void Delete();

  // Toolkit side.
  void TextChanged(int cell);

 private:
  friend class TListView;
  friend class TListItems;
  // A new row's texts: the caption (when OnChanging lets it change) and the
  // sub-items, heard of as one change.
  void SetTexts(std::span<const AnsiString> cells);
  TListItems* owner_;
  AnsiString caption_;
  TSubItems subItems_{this};
  bool selected_ = false;
  bool focused_ = false;
  void* data_ = nullptr;
};

class TListItems : public TObject {
 public:
  explicit TListItems(TListView* view) : view_(view) {}
  ~TListItems() override;
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;
  int Count() const { return static_cast<int>(items_.size()); }
  // Throws EListError for an index out of range.
  TListItem* Item(int i) const;
  TListItem* operator[](int i) const { return Item(i); }
  TListItem* Add();
  // A row added at the end with its texts, the caption first and then the
  // sub-items: OnChanging (for a caption that is not empty) and OnChange
  // (ctText) run once for the row, where setting its caption and adding its
  // sub-items one by one runs them for every cell.
  TListItem* AddRow(std::span<const AnsiString> cells);
  TListItem* Insert(int i);
  // Removes every row without selection events.
  void Clear();
  void Delete(int i);
  int IndexOf(const TListItem* item) const;
  void BeginUpdate() {}
  void EndUpdate() {}
  TListView* Owner() const { return view_; }

 private:
  TListView* view_;
  std::vector<std::unique_ptr<TListItem>> items_;
};

class TListColumns;

class TListColumn : public TObject {
 public:
  explicit TListColumn(TListColumns* owner) : owner_(owner) {}
  AnsiString Caption() const { return caption_; }
  void SetCaption(const AnsiString& v);
  // 0 hides the column; -2 fits it to its header text (Width then reads the
  // width given); -1 fits it to its widest cell.
  int Width() const { return width_; }
  void SetWidth(int w);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v) { autoSize_ = v; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  int Index() const;

 private:
  friend class TListView;
  TListColumns* owner_;
  AnsiString caption_;
  int width_ = 50;
  bool autoSize_ = false;
  TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TObject {
 public:
  explicit TListColumns(TListView* view) : view_(view) {}
  ~TListColumns() override;
  TListColumns(const TListColumns&) = delete;
  TListColumns& operator=(const TListColumns&) = delete;
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Items(int i) const;
  TListColumn* operator[](int i) const { return Items(i); }
  TListColumn* Add();
  void Clear();
  void Delete(int i);
  int IndexOf(const TListColumn* c) const;
  TListView* Owner() const { return view_; }
  void BeginUpdate() {}
  void EndUpdate() {}

 private:
  TListView* view_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

using TLVSelectItemEvent = TClosure<void(TObject*, TListItem*, bool)>;
using TLVChangeEvent = TClosure<void(TObject*, TListItem*, TItemChange)>;
using TLVChangingEvent = TClosure<void(TObject*, TListItem*, TItemChange, bool&)>;
using TLVItemEvent = TClosure<void(TObject*, TListItem*)>;

// A list view with single selection. Its items and selection live in the
// object, so a hidden list view works in full. Selecting by code fires
// OnChange (ctState) and OnSelectItem for the item losing the selection and
// then for the one gaining it; Items()->Clear() fires nothing.
class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  TListColumns* Columns() { return &columns_; }
  TListItems* Items() { return &items_; }
  const TListItems* Items() const { return &items_; }

  TListItem* Selected() const;
  void SetSelected(TListItem* item);
  int ItemIndex() const;
  void SetItemIndex(int i);
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* item);
  int SelCount() const { return Selected() ? 1 : 0; }
  // The item at a point of the client area, or null.
  TListItem* GetItemAt(int X, int Y) const;
  void Clear() { items_.Clear(); }

  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle v) { viewStyle_ = v; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool v);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool v);
  bool MultiSelect() const { return false; }

  TLVSelectItemEvent OnSelectItem;
  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  // The user pressed the pointer on the row that is selected already: the
  // selection stays as it is, so neither OnChange nor OnSelectItem runs.
  TLVItemEvent OnSelectedItemPressed;

  // Toolkit side.
  void SelectByUser(TListItem* item);
  void ItemAdded(int at);
  void ItemRemoved(int at);
  void ItemsCleared();
  void CellChanged(TListItem* item, int cell);
  // Every text of the item may have changed; one OnChange (ctText).
  void RowTextsChanged(TListItem* item);
  void ColumnsChanged();
  bool AllowChange(TListItem* item, TItemChange c);
  void Changed(TListItem* item, TItemChange c);
  int HeaderHeight() const;

 protected:
  void FontChanged() override;

 private:
  void ChangeSelection(TListItem* item, bool byUser);
  TListColumns columns_{this};
  TListItems items_{this};
  TViewStyle viewStyle_ = vsIcon;
  bool readOnly_ = false;
  bool rowSelect_ = false;
  bool hideSelection_ = true;
  bool gridLines_ = false;
};

class TStatusBar;
class TStatusPanels;

class TStatusPanel : public TObject {
 public:
  explicit TStatusPanel(TStatusPanels* owner) : owner_(owner) {}
  AnsiString Text() const { return text_; }
  void SetText(const AnsiString& v);
  int Width() const { return width_; }
  void SetWidth(int w);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  int Index() const;

 private:
  TStatusPanels* owner_;
  AnsiString text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TStatusPanels : public TObject {
 public:
  explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
  ~TStatusPanels() override;
  TStatusPanels(const TStatusPanels&) = delete;
  TStatusPanels& operator=(const TStatusPanels&) = delete;
  int Count() const { return static_cast<int>(panels_.size()); }
  // A stable pointer; throws EListError ("List index out of bounds (%d)")
  // for an index out of range.
  TStatusPanel* Items(int i) const;
  TStatusPanel* operator[](int i) const { return Items(i); }
  TStatusPanel* Add();
  void Clear();
  void Delete(int i);
  TStatusBar* Owner() const { return bar_; }
  void BeginUpdate() {}
  void EndUpdate() {}

 private:
  friend class TStatusPanel;
  TStatusBar* bar_;
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

// A status bar, aligned to the bottom by default. SimpleText is always
// stored but drawn only while SimplePanel is true; otherwise the panels are
// drawn.
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  TStatusPanels* Panels() { return &panels_; }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v);
  AnsiString SimpleText() const { return simpleText_; }
  void SetSimpleText(const AnsiString& v);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v);
  // What the bar draws now: the simple text or the panel texts (tests).
  AnsiString DisplayedText() const;

 private:
  TStatusPanels panels_{this};
  bool simplePanel_ = false;
  bool sizeGrip_ = true;
  AnsiString simpleText_;
};

// A progress bar. Position stays within Min..Max (changing the range moves
// it inside). StepIt advances by Step and starts again from Min past Max;
// StepBy stops at the ends.
class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int Step() const { return step_; }
  void SetStep(int v) { step_ = v; }
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool v);
  void StepIt();
  void StepBy(int delta);

 private:
  int Clamp(int v) const;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
  bool smooth_ = false;
};
