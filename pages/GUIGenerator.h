// The panels a generated page is assembled from, built at run time around
// one request:
//
//   TSNMPPanel            frame: button column on the right (TCtrlBtnPanel),
//                         content in the middle, message memo (TMsgPanel)
//                         at the bottom receiving the request's status lines
//   TSNMPEditorPanel      a frame whose content is a TEditsPanel: one row
//                         (tick box, label, edit or combo box) per variable,
//                         and "Set Checked" writing the ticked rows
//   TSNMPListViewPanel    an editor panel showing the table in a list view
//                         (TListViewPanel) and lending its TEditsPanel to
//                         modal Add and Edit dialogs
//
// Every panel constructor takes one owner, which is also its parent. Panels
// never own the request; the page's form does.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Closure.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"

class TBitBtn;
class TCheckBox;
class TForm;
class TLabel;
class TList;
class TMemo;
class TScrollBox;
class TSplitter;
class TStaticText;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPError;

// The command buttons of a page, stacked from the top. Which of them show is
// decided by the page (ArrangeCtrlBtn of its content); whoever changes a
// button's visibility calls ArrangeButtons.
class TCtrlBtnPanel : public TPanel {
 public:
  // Buttons whose glyph file ("Get.bmp" ...) is in the current folder show
  // the picture instead of their caption. Add and Delete start hidden.
  explicit TCtrlBtnPanel(TWinControl* AOwner);
  ~TCtrlBtnPanel() override;

  // Stacks the controls of CtrlList from TopMargin down, each 96 wide at
  // LeftMargin and 5 below the previous visible one; hidden controls take
  // no room.
  void ArrangeButtons();

  TLabel* Samples = nullptr;          // "Samples"
  TStaticText* CountText = nullptr;   // the list page's row count
  TBitBtn* RefreshBtn = nullptr;      // "Refresh"
  TBitBtn* EditBtn = nullptr;         // "Edit"
  TBitBtn* SetBtn = nullptr;          // "Set Checked"
  TBitBtn* AddBtn = nullptr;          // "Add"
  TBitBtn* DeleteBtn = nullptr;       // "Delete"
  TBitBtn* CheckAllBtn = nullptr;     // "Check All"
  TBitBtn* ClearChecksBtn = nullptr;  // "Clear Checks"
  TBitBtn* CloseBtn = nullptr;        // "Close"
  int LeftMargin = 10;
  int TopMargin = 10;
  // Count box, label, then the eight buttons: the stacking order.
  std::unique_ptr<TList> CtrlList;
};

// The message memo at the bottom of a page.
class TMsgPanel : public TPanel {
 public:
  explicit TMsgPanel(TWinControl* AOwner);
  TMemo* Memo = nullptr;
};

class TCtrlBtnPanel;

// A frame bound to one request: button column, content and message memo.
class TSNMPPanel : public TPanel {
 public:
  // With an outside message panel the request's status lines go to its
  // memo and the frame makes none of its own.
  TSNMPPanel(TWinControl* AOwner, TMsgPanel* msgPanel, VnSNMPRequest2Edits* request);

  // Shows the control in the content area (hiding the one shown before) and
  // sizes the frame to it.
  void SetContent(TControl* control);
  // Fills the form with the frame; the form grows to the frame, up to a
  // client area of 800 x 550.
  void AttachToForm(TForm* form);

  // "Refresh": activates the request and reads it unless it is busy.
  void RefreshBtnClick(TObject* Sender);
  // "Close": closes the form the frame is attached to.
  void CloseBtnClick(TObject* Sender);

  // The message panel in use: the own one or the outside one.
  TMsgPanel* StatusPanel() const { return msgPanel_; }

  VnSNMPRequest2Edits* Request = nullptr;  // not owned
  TCtrlBtnPanel* BtnPanel = nullptr;
  TPanel* InnerPanel = nullptr;
  TMsgPanel* MsgPanel = nullptr;  // own message panel; null with an outside one
  TForm* OwnerForm = nullptr;     // set by AttachToForm
  TControl* Content = nullptr;    // not owned
  TSplitter* RightSplitter = nullptr;
  TSplitter* BottomSplitter = nullptr;

 private:
  TMsgPanel* msgPanel_ = nullptr;
};

// One edit row.
struct UISnmpVar {
  // 1 read-only text, 2 writable text, 3 writable option list (combo box),
  // 4 read-only option list (shown as text).
  std::uint32_t Kind = 0;
  AnsiString EditFormat;            // handed to BindEdits
  TWinControl* EditCtrl = nullptr;  // TEdit, or TComboBox for kind 3
  TCheckBox* CheckBox = nullptr;
  TLabel* Label = nullptr;
};

// The rows of one request's variable list, in a scroll box.
class TEditsPanel : public TPanel {
 public:
  enum : std::uint32_t { rkReadOnlyText = 1, rkText = 2, rkOptions = 3, rkReadOnlyOptions = 4 };

  // Creates and binds one row per variable (binding errors of the library
  // propagate) and lays them out one per line.
  TEditsPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request);
  ~TEditsPanel() override;

  // Chooses the buttons of an editor page. Throws Exception
  // "TEditsPanel:ArrangeCtrlBtn - EditCtrl is NULL!" without a request.
  virtual void ArrangeCtrlBtn(TCtrlBtnPanel* btnPanel);

  void BuildRowTable();
  void CreateRowControls(VnSNMPRequest2Edits* request);
  // Writable rows that are not index rows get the writable look with
  // `defaultTick`, all others the read-only look.
  void ApplyRowLooks(bool defaultTick);
  void SetRowReadOnlyLook(int i);
  void SetRowWritableLook(int i);
  void SetReadOnlyColours(TColor fontColour, TColor background);
  // Layout 1: all rows on one line; layout 2: one row per line.
  void SetEditWidth(int width, int layout);
  void ArrangeRows(int layout, bool resize);
  void ReparentRows(TWinControl* parent);
  void CreateNoteLabel();
  // The tick boxes' OnClick: "Set Checked" follows whether a row is ticked.
  void RowCheckClick(TObject* Sender);

  void HideRow(int i);
  void ShowRow(int i);
  void UncheckRow(int i);
  void ClearField(int i);
  void ClearAllFields();
  void SetFieldText(int i, const AnsiString& text);
  bool IsReadOnlyRow(int i) const;
  bool IsIndexRow(int i) const;
  bool IsFieldEmpty(int i) const;
  // The field is empty and that is the user's input: a new entry's field
  // (`newEntry`), one whose row showed no value yet, or one the user changed
  // since its value was shown. An empty value the page showed and the user
  // left alone is no empty input.
  bool IsEmptyInput(int i, bool newEntry) const;
  bool HasNoEditableRow() const;
  int TickableRowCount() const;
  int CheckedRowCount() const;
  void ShowNote(const AnsiString& text, TColor colour, int fontSize);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Throws EListError for an index out of range.
  UISnmpVar& Row(int i);
  const UISnmpVar& Row(int i) const;
  // The button column of the frame that shows this panel now, or null.
  TCtrlBtnPanel* HostButtons() const;

  TLabel* NoteLabel = nullptr;
  TScrollBox* ScrollBox = nullptr;
  int EditWidth = 121;
  TColor ReadOnlyFontColour = clBlack;
  TColor ReadOnlyBackground = clBtnFace;
  VnSNMPRequest2Edits* Request = nullptr;  // not owned
  bool DefaultTick = false;

 private:
  bool IsHiddenRow(int i) const;
  void EnableSetButton();

  std::vector<UISnmpVar> rows_;
};

// A frame whose content is a TEditsPanel: the page of a scalar group or of
// one table row.
class TSNMPEditorPanel : public TSNMPPanel {
 public:
  TSNMPEditorPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request);

  // Widens every row's edit; the frame and its form follow.
  void SetEditWidth(int width);
  // Binds the row's edit again with an edit format ("%i{n1x4094l4}").
  // Throws Exception "Can not set Var format to a ComboBox!" for a combo-box
  // row and "Unknow UI Control type!" for a row of another kind; the row's
  // binding is kept then.
  void SetVarFormat(int row, const AnsiString& format);

  // "Set Checked": writes the ticked rows only, synchronously. A ticked row
  // left empty by the user (IsEmptyInput) refuses with "Some items are
  // empty!"; an empty value the switch holds, left alone, goes back empty.
  // A button with
  // Tag 1 (the Add and Edit dialogs') closes its form after the write; when
  // the write fails, the form stays and a message box shows the error.
  void SetBtnClick(TObject* Sender);
  void CheckAllBtnClick(TObject* Sender);
  void ClearChecksBtnClick(TObject* Sender);

  TEditsPanel* EditsPanel = nullptr;  // owned by the inner panel
  // The last SET of Set Checked failed (the request reads the table again
  // by itself then, and that read shows no "Ok!").
  bool LastSetFailed = false;
  // Set Checked writes a new entry (the list page's Add dialog is open):
  // every field holds what the user gave it.
  bool WritingNewEntry = false;
};

// The list view of a list page.
class TListViewPanel : public TPanel {
 public:
  TListViewPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request);
  // Chooses the buttons of a list page.
  virtual void ArrangeCtrlBtn(TCtrlBtnPanel* btnPanel);

  TListView* ListView = nullptr;
  int DeleteStatusIndex = -1;  // -1: no Delete
  int AddStatusIndex = -1;     // -1: no Add
  AnsiString AddStatusText;
  AnsiString DeleteStatusText;
};

// A list page: the table in a list view, with Add, Edit and Delete through
// the table's row-status column.
class TSNMPListViewPanel : public TSNMPEditorPanel {
 public:
  TSNMPListViewPanel(TWinControl* AOwner, VnSNMPRequest2Edits* request);

  // The text must be an item of row `index`'s combo box, else Exception
  // "TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:" + text (and
  // "...SetDeleteStatus - Wrong DeleteStatusValue:" + text).
  void SetAddStatus(int index, const char* text);
  void SetDeleteStatus(int index, const char* text);

  void RefreshBtnClick(TObject* Sender);
  void AddBtnClick(TObject* Sender);
  void EditBtnClick(TObject* Sender);
  void DeleteBtnClick(TObject* Sender);
  void ShowAddDialog();
  void ShowEditDialog();
  void ClearFieldsHook(TObject* Sender);

  void ListClick(TObject* Sender);
  void ListDblClick(TObject* Sender);
  void ListChange(TObject* Sender, TListItem* Item, TItemChange Change);
  void ListMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  // The end of every read of the list (the request's OnGetDone): a read
  // empties the list first, so Edit and Delete go off unless a row was
  // chosen meanwhile, and the count shows the rows there are; the fields
  // keep what they hold. The request's own
  // OnGetDone, set before the page was made, runs after.
  void ListRead(VnSNMPRequest2Controls* Sender, const VnSNMPError& Record);

  TListViewPanel* ListViewPanel = nullptr;
  // Called with the button as Sender around the Add and Edit dialogs when set.
  TNotifyEvent BeforeAdd;  // ClearFieldsHook from the constructor
  TNotifyEvent AfterAdd;
  TNotifyEvent BeforeEdit;
  TNotifyEvent AfterEdit;

 private:
  class Dialog;
  void CheckStatusText(int index, const char* text, const char* message) const;
  // After a dialog or Delete: the table read again, unless the last write
  // failed (its request reads the table again itself then, showing no
  // "Ok!").
  void ReadAfterWrite();

  TClosure<void(VnSNMPRequest2Controls*, const VnSNMPError&)> ownerGetDone_;
};
