// The authentication servers the device knows: one row per server address
// and protocol with its port, key, timeout and retry count; servers are
// added, changed and deleted through the row status.
#pragma once

#include <functional>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TPanel;
class TStaticText;
class VnSNMPRequest2Edits;

class TServerInformationForm : public TForm {
 public:
  explicit TServerInformationForm(TComponent* AOwner);
  ~TServerInformationForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TPanel* Panel2 = nullptr;  // edit panel
  TListView* ListView1 = nullptr;
  TEdit* IPEdit = nullptr;
  TComboBox* ProtocolComboBox = nullptr;
  TEdit* PortEdit = nullptr;
  TEdit* KeyEdit = nullptr;
  TEdit* TimeoutEdit = nullptr;
  TEdit* RetryCEdit = nullptr;
  TComboBox* RowComboBox = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TStaticText* Static = nullptr;
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);

  void ClearServerEdits();

  // The server table, read and written synchronously. Owned by the form.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, buttons and fields following the list.
  TListRows Rows;

 private:
  void InitComponents();
  // Edit, Delete, Add and the key fields follow whether a row is selected.
  void ShowRowState(bool rowSelected);
  void ShowNewServer();
  void ShowFailure(const AnsiString& message);
  // Port, key, timeout and retry count left out of the next SET when empty.
  void LeaveOutEmptyFields(class TSavedAccess& saved);
  // The SET of the bound values (Rows.Write), then the table read again.
  // False when the SET failed: the typed fields stay.
  bool WriteAndReread(class TSavedAccess& saved, const std::function<void()>& first = {});
  void DestroyRow();
};

extern TServerInformationForm* ServerInformationForm;
