// What the dot3 control and dot3 pause forms share: the port list read by an
// asynchronous request into ListView1, and the selected port's counters read
// by a second, synchronous request into a Name/Value table, once when a port
// is chosen (by the pointer or the keys) and again on every tick of the
// interval timer. A form of the family still writes its layout and its port
// controls: their bindings, their reset and what follows a read
// (BindPortControls, ResetPortControls, PortsRead).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "forms/common/ListRows.h"
#include "platform/Forms.h"

class TButton;
class TComboBox;
class TLabel;
class TListView;
class TMemo;
class TTimer;
class VnSNMPError;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TDot3FormBase : public TForm {
 public:
  ~TDot3FormBase() override;

  TListView* ListView1 = nullptr;  // the ports
  TListView* ListView2 = nullptr;  // Name / Value of the selected port's counters
  TListView* lvChart = nullptr;    // hidden: the counter request's row
  TLabel* Label1 = nullptr;        // "Interval Time"
  TComboBox* cbxInterval = nullptr;
  TTimer* Timer1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* btnGet = nullptr;
  TButton* btnClose = nullptr;

  // Owned by the form; deleted when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;         // the port list
  std::unique_ptr<VnSNMPRequest2Edits> CounterRequest;  // the selected port's counters
  // The ports, the port chosen and what follows it (after the requests).
  TListRows Rows;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void btnGetClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  // The request has shown a newly chosen port: its counters are read.
  void PortChosen(TObject* Sender);
  void cbxIntervalChange(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  // The port list's request is idle again: its read (or the write) has ended.
  void RequestIdleAgain(VnSNMPRequest2Controls* Sender);

  // Timer interval of an interval text; 0 for "none" (and anything else).
  static unsigned IntervalMs(const AnsiString& text);

 protected:
  // The tables of the two requests and the Name/Value rows.
  TDot3FormBase(TComponent* AOwner, const char* name, const VnSNMPVarDesc* portTable,
                const VnSNMPVarDesc* counterTable, std::vector<const char*> counterNames);

  // The form's own part of FormCreate, after the port request is attached.
  virtual void BindPortControls() = 0;
  // The form's own part of the reset view.
  virtual void ResetPortControls() = 0;
  // The form's own part of the get-done handler.
  virtual void PortsRead() = 0;
  // What a chosen port switches on, as the port list and its request
  // stand (TListRows' row state).
  virtual void ShowPortState(bool /*portChosen*/) {}

  // Timer off, "none", value cells emptied, lvChart cleared, the form's part.
  void ResetView();
  // The counter request's row into ListView2; "Get data not completed!" and
  // a reset view when there is none.
  void UpdateChart();
  // The selected port's counters, synchronously.
  void ReadCounters();
  // A handler's failure: its message into Memo1, the form idle again.
  void ReportFailure();
  // A failure's message into Memo1 (the `fail` of the reads and writes).
  void ShowFailure(const AnsiString& message);

  // Where the form's own controls go (right of the port list).
  static constexpr int kSideLeft = 388;

 private:
  void BuildComponents(const char* name);

  const VnSNMPVarDesc* portTable_;
  const VnSNMPVarDesc* counterTable_;
  std::vector<const char*> counterNames_;
  AnsiString port_;  // the port whose counters the counter request reads
};
