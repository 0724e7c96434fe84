// The remote system log servers of the switch (up to four): address, UDP
// port, facility, lowest severity and state. Rows are added and changed
// through the log-host dialog, whose controls are bound to this form's
// request; Delete removes the selected row. The request is asynchronous and
// its busy flag serves as the form's busy flag.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TMemo;
class TPanel;
class TSplitter;
class TStaticText;
class VnSNMPRequest2Edits;

class TSystemLogHostForm : public TForm {
 public:
  explicit TSystemLogHostForm(TComponent* AOwner);
  ~TSystemLogHostForm() override;

  TPanel* Panel1 = nullptr;
  TButton* GetButton = nullptr;  // "Refresh"
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;  // row count
  TPanel* Panel2 = nullptr;
  TListView* ListView1 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TMemo* Memo1 = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  // The log-host dialog's controls are bound to it.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count and buttons following the list.
  TListRows Rows;

  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void GetButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void ListView1DblClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // A failure of a handler: a line of the memo, the row buttons following
  // the list.
  void ShowFailure(const AnsiString& message);

 private:
  void InitComponents();
  void EnableRowButtons(bool enabled);
  void FreeDialogAndRequest();
};

extern TSystemLogHostForm* SystemLogHostForm;
