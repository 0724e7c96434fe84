// Time range management: lists the device's time range profiles (a name,
// the weekdays and a daily start and end time) and adds, edits and deletes
// one. The request is asynchronous; while it is busy no second request, and
// no close, overlaps it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "forms/common/ListRows.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TListView;
class TPanel;
class TStatusBar;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPError;

class TTimeRangeForm : public TForm {
 public:
  explicit TTimeRangeForm(TComponent* AOwner);
  ~TTimeRangeForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* btnGet = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnAdd = nullptr;
  TButton* btnDelete = nullptr;
  TButton* btnClose = nullptr;
  TButton* btnStop = nullptr;
  TListView* ListView1 = nullptr;
  TPanel* Panel2 = nullptr;  // edit panel
  TLabel* Label1 = nullptr;
  TEdit* edtName = nullptr;
  TLabel* Label2 = nullptr;
  TComboBox* cbxStatus = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* edtweekdays = nullptr;
  TGroupBox* GroupBox1 = nullptr;  // "Daily"
  TLabel* Label4 = nullptr;
  TEdit* edtStart = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TEdit* edtEnd = nullptr;
  TLabel* Label7 = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void btnGetClick(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void btnStopClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  void ClearTimeRangeEdits();

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row buttons and fields following the list.
  TListRows Rows;

 private:
  void BuildComponents();
  // Add's and Edit's checks of the typed texts; false after a message.
  bool TextsGiven();
  // The common guard of Add, Edit and Delete; false after a message.
  bool ReadyToWrite();
  // `first` (the row status a Delete chooses), then the SET, and the answer
  // waited for (Rows.Write): true once the device took the write (the table
  // is read again after it; after a refusal too, quietly, so that the
  // refusal stays in the status bar).
  bool WriteAndRead(const std::function<void()>& first = {});
  // Set, Delete, the name and the status follow whether a row is selected.
  void ShowRowButtons(bool rowSelected);
  void ShowFailure(const AnsiString& text);
};

extern TTimeRangeForm* TimeRangeForm;
