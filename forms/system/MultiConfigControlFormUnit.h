// The two stored configurations of the switch and the action to take on
// each (make it active, delete, apply, make it the boot-up configuration).
// The rows are changed through the edit dialog, which writes through this
// form's request.
#pragma once

#include <memory>

#include "forms/common/ListRows.h"
#include "platform/Forms.h"

class TButton;
class TListView;
class TMemo;
class VnSNMPRequest2Edits;

class TMultipleConfigControlForm : public TForm {
 public:
  explicit TMultipleConfigControlForm(TComponent* AOwner);
  ~TMultipleConfigControlForm() override;

  TListView* ListView1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* btnEdit = nullptr;
  TButton* btnGet = nullptr;  // "Refresh"
  TButton* btnClose = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  // The edit dialog's controls are bound to it.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Edit following the list.
  TListRows Rows;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnEditClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void ListView1DblClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void InitComponents();
  void FreeDialogAndRequest();
};

extern TMultipleConfigControlForm* MultipleConfigControlForm;
