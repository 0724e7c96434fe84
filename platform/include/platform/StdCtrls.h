// Labels, edits, combo boxes, check boxes, buttons, memos and group boxes.
#pragma once

#include <memory>
#include <vector>

#include "platform/Controls.h"

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A text on its parent. With AutoSize (the default) its Width and Height
// follow the caption and the font at once.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* c) { focusControl_ = c; }
  // With AutoSize the size stays the text's.
  void SetBounds(int l, int t, int w, int h) override;

 protected:
  void SetTextValue(const AnsiString& v) override;
  void FontChanged() override;

 private:
  void AdjustSize();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = false;
  TAlignment alignment_ = taLeftJustify;
  TWinControl* focusControl_ = nullptr;
};

// A text in a window of its own, optionally framed.
class TStaticText : public TWinControl {
 public:
  explicit TStaticText(TComponent* AOwner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle b);
  // With AutoSize the size stays the text's.
  void SetBounds(int l, int t, int w, int h) override;

 protected:
  void SetTextValue(const AnsiString& v) override;
  void FontChanged() override;

 private:
  void AdjustSize();
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  TStaticBorderStyle borderStyle_ = sbsNone;
};

// The bytes behind the text of an edit-like control: those code put in
// last and those the text stands for now. Where the user changes the text,
// what the user types goes out as UTF-8 while the characters left alone
// keep their bytes (text the switch holds need not be UTF-8); a text made
// what code put in again is those bytes again.
struct TTextBytes {
  AnsiString Set;
  AnsiString Now;
  void Put(const AnsiString& v) { Set = Now = v; }
};

// A one-line edit box. SetText with a different text fires OnChange at once
// (also from inside OnChange); the same text fires nothing. MaxLength limits
// typing and pasting only: code may put a longer text. Modified is set when
// the user types, deletes or pastes (before OnChange runs) and cleared when
// code sets the text, so that OnChange can tell the two apart. MaxLength
// counts the octets the text stands for (TTextBytes).
// Typing or pasting that would make an edit's text longer than MaxLength:
// the handler may put a shorter writing of the same into Text and return
// true to have that taken; false refuses the input, as without a handler.
using TEditOverflowEvent = TClosure<bool(TObject* Sender, AnsiString& Text)>;

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);
  ~TEdit() override;
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c);
  int SelStart() const;
  void SetSelStart(int v);
  int SelLength() const;
  void SetSelLength(int v);
  void SelectAll();
  void Clear() { SetText(""); }
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  TNotifyEvent OnChange;
  TEditOverflowEvent OnOverflow;

  // Toolkit side: the user changed the text.
  void UserEdited();

 protected:
  AnsiString GetText() const override;
  void SetTextValue(const AnsiString& v) override;

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool modified_ = false;
  char passwordChar_ = 0;
  TTextBytes text_;
};

class TComboBox;

// The items of a combo box; changes write through to the control.
// Inserting or deleting keeps the selected item selected; deleting the
// selected item leaves no selection. No change fires OnChange.
class TComboItems : public TStrings {
 public:
  explicit TComboItems(TComboBox* box) : box_(box) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  AnsiString Strings(int i) const override;
  void SetStrings(int i, const AnsiString& s) override;
  TObject* Objects(int i) const override;
  void SetObjects(int i, TObject* obj) override;
  void InsertObject(int i, const AnsiString& s, TObject* obj) override;
  void Delete(int i) override;
  void Clear() override;

 private:
  void Check(int i) const;
  TComboBox* box_;
  std::vector<std::pair<AnsiString, TObject*>> items_;
};

// A combo box. OnChange fires for the user's choices (and typing in
// csDropDown), never for changes made by code.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  TStrings* Items() { return &items_; }
  const TStrings* Items() const { return &items_; }
  void SetItems(const TStrings& s) { items_.Assign(s); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  // Limits the octets the user types or pastes into a drop-down (0: no
  // limit); text set by code may be longer.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v) { dropDownCount_ = v; }
  bool Sorted() const { return false; }
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;

  // Toolkit side.
  void UserPicked(int index);
  void UserTyped(const AnsiString& text);
  void ItemsInserted(int at);
  void ItemsDeleted(int at);
  void ItemsCleared();
  void ItemChanged(int at);

 protected:
  AnsiString GetText() const override;
  void SetTextValue(const AnsiString& v) override;

 private:
  void ShowIndex();
  void HookEdit();
  TComboItems items_{this};
  TComboBoxStyle style_ = csDropDown;
  int itemIndex_ = -1;
  int maxLength_ = 0;
  int dropDownCount_ = 8;
  TTextBytes editText_;
};

// A check box. SetChecked with a different state fires OnClick, as a click
// by the user does.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; }

  // Toolkit side: the user toggled the box.
  void UserToggled(bool checked);

 protected:
  void SetTextValue(const AnsiString& v) override;

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

// A push button; a non-zero ModalResult closes a modal form when clicked.
class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* AOwner);
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r) { modalResult_ = r; }
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  void Click() override;

 protected:
  void SetTextValue(const AnsiString& v) override;

 private:
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
  bool cancel_ = false;
};

class TMemo;

// The lines of a memo; Add appends a line and scrolls it into view.
class TMemoLines : public TStrings {
 public:
  explicit TMemoLines(TMemo* memo) : memo_(memo) {}
  int Count() const override { return static_cast<int>(lines_.size()); }
  AnsiString Strings(int i) const override;
  void SetStrings(int i, const AnsiString& s) override;
  TObject* Objects(int i) const override;
  void SetObjects(int i, TObject* obj) override;
  void InsertObject(int i, const AnsiString& s, TObject* obj) override;
  void Delete(int i) override;
  void Clear() override;
  void BeginUpdate() override { ++updating_; }
  void EndUpdate() override;

  // Toolkit side: the user edited the text.
  void Reload(const AnsiString& text);

 private:
  friend class TMemo;
  void Check(int i) const;
  void Changed(int appendedAt);
  TMemo* memo_;
  std::vector<AnsiString> lines_;
  int updating_ = 0;
};

// A multi-line edit box.
class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  TStrings* Lines() { return &lines_; }
  const TStrings* Lines() const { return &lines_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);
  // Limits what the user types or pastes (0: no limit), counting the
  // octets of Text (a line break is CR LF, two); text set by code may be
  // longer.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }
  void Clear() { lines_.Clear(); }

  TNotifyEvent OnChange;

  // Toolkit side.
  void Publish(int appendedAt);
  void UserEdited();
  // The lines joined with line feeds, as code showed them last and now.
  TTextBytes HeldText() const;

 protected:
  AnsiString GetText() const override;
  void SetTextValue(const AnsiString& v) override;

 private:
  AnsiString Joined(const char* lineBreak) const;
  TMemoLines lines_{this};
  AnsiString shown_;  // the lines code showed last, joined with line feeds
  bool readOnly_ = false;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = ssNone;
  int maxLength_ = 0;
};

// A framed box with a caption that groups controls.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* AOwner);

 protected:
  TRect AlignRect() const override;
  void SetTextValue(const AnsiString& v) override;
};
