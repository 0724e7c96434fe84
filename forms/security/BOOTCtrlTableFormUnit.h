// The DHCP/BOOTP relay servers of each IP interface (at most four per
// interface). A server is added through the new-entry dialog, whose edits are
// bound to this form's request, and removed by writing "invalid" into its
// state. The request is asynchronous; the form is busy from each start until
// the read that follows it has ended.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TMemo;
struct VnSNMPError;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;

class TBOOTCtrlTableForm : public TForm {
 public:
  explicit TBOOTCtrlTableForm(TComponent* AOwner);
  ~TBOOTCtrlTableForm() override;

  TListView* ListView1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* AddBtn = nullptr;
  TButton* DeleteBtn = nullptr;
  TButton* CloseBtn = nullptr;
  TButton* btnStop = nullptr;
  TComboBox* ComboBox1 = nullptr;  // hidden: the state written

  // Owned by the form; created in FormCreate, deleted when the form closes.
  // The dialog's edits are bound to it.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Delete following the list.
  TListRows Rows;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void AddBtnClick(TObject* Sender);
  void DeleteBtnClick(TObject* Sender);
  void CloseBtnClick(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // A handler's failure: a line of the memo, the form idle again.
  void ShowFailure(const AnsiString& message);

 private:
  void InitComponents();
};

extern TBOOTCtrlTableForm* BOOTCtrlTableForm;
