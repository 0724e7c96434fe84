// The link-aggregation state of every port, and the administrative values
// of the selected one: actor key, partner system ID and key, and the actor
// and partner administrative state bits. One asynchronous table walk.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TEdit;
class TLabel;
class TListItem;
class TListView;
class TMemo;
class TPageControl;
class TStaticText;
class TTabSheet;
class VnSNMPRequest2Edits;

class TAggregatorPortTableForm : public TForm {
 public:
  explicit TAggregatorPortTableForm(TComponent* AOwner);
  ~TAggregatorPortTableForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // "Samples"
  TStaticText* StaticText1 = nullptr;
  TMemo* Memo1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;  // Actor Admin State
  TTabSheet* TabSheet2 = nullptr;  // Actor Oper State (hidden)
  TTabSheet* TabSheet3 = nullptr;  // Partner Admin State
  TTabSheet* TabSheet4 = nullptr;  // Partner Oper State (hidden)
  // CheckBox1..8 actor admin, 9..16 actor oper, 17..24 partner admin,
  // 25..32 partner oper; index 0 is CheckBox1.
  TCheckBox* CheckBoxes[32] = {};
  TLabel* Label2 = nullptr;
  TEdit* edtActorKey = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* edtPartnerID = nullptr;
  TLabel* Label4 = nullptr;
  TEdit* edtPartnerKey = nullptr;
  TButton* GetBtn = nullptr;
  TButton* btnEdit = nullptr;
  TButton* btnStop = nullptr;
  TButton* btnClose = nullptr;

  // Owned by the form; deleted when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // Edit, the row count and the fields following the list.
  TListRows Rows;

  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetBtnClick(TObject* Sender);
  void btnEditClick(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void ListView1Click(TObject* Sender);

 private:
  void BuildComponents();
  // Once the request is idle again, the edits take input again.
  void RequestIdleAgain(class VnSNMPRequest2Controls* Sender);
  // Reads the table again: no row, Edit off and the edits emptied until a
  // row is chosen.
  void ReadAgain();
  // Unticks the visible state boxes and empties the three edits.
  void ClearEdits();
  void SetEditsEnabled(bool enabled);
  void ShowFailure(const AnsiString& message);
};

extern TAggregatorPortTableForm* AggregatorPortTableForm;
