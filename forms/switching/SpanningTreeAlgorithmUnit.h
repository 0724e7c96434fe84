// Spanning tree on or off for the whole switch. Switching it on takes the
// device a long time, so the form asks first and writes through the timed
// progress dialog, which reaches this form's request through the global
// form pointer.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TLabel;
class TStatusBar;
class VnSNMPRequest2Controls;
class VnSNMPRequest2Edits;
struct VnSNMPError;

class TSpanningTreeAlgorithmForm : public TForm {
 public:
  explicit TSpanningTreeAlgorithmForm(TComponent* AOwner);
  ~TSpanningTreeAlgorithmForm() override;

  TLabel* Label1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TButton* GetButton = nullptr;
  TButton* SetButton = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // Asynchronous; owned by the form, deleted when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void SetButtonClick(TObject* Sender);

 private:
  void BuildComponents();
};

extern TSpanningTreeAlgorithmForm* SpanningTreeAlgorithmForm;
