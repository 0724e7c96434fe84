// How the switch saves its system log: the method (at a time interval, on
// demand, or when a log is triggered) and the interval of the first method.
// The request is synchronous; its status lines and failures go to the first
// panel of the status bar.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TStatusBar;
class VnSNMPRequest2Edits;

class TLogSaveControlForm : public TForm {
 public:
  explicit TLogSaveControlForm(TComponent* AOwner);
  ~TLogSaveControlForm() override;

  TLabel* Label1 = nullptr;  // "Log Save Method"
  TLabel* Label2 = nullptr;  // "Log SaveTime Interval"
  TComboBox* cbxLogSaveMethod = nullptr;
  TEdit* EdLogSavetimeInterval = nullptr;
  TButton* btnRefresh = nullptr;
  TButton* btnSet = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

  void FormCreate(TObject* Sender);
  void cbxLogSaveMethodChange(TObject* Sender);
  void btnRefreshClick(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void InitComponents();
  void ShowFailure(const AnsiString& message);
  // Reads both items; false when the read failed (its message is shown).
  bool Refresh();
  // Set once a read has brought the switch's method.
  bool methodRead_ = false;
};

extern TLogSaveControlForm* LogSaveControlForm;
