// The common body of the two read-only 802.1X lists of MAC-based
// authentication: one synchronous walk of a counters table, keyed by the
// authenticated MAC address and its port, into a list view, with a status
// memo and a Refresh button. The concrete forms only name their table.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TListView;
class TMemo;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TPaeCounterListForm : public TForm {
 public:
  ~TPaeCounterListForm() override;

  TListView* ListView1 = nullptr;
  TMemo* Memo1 = nullptr;
  TButton* Button1 = nullptr;  // "Refresh"

  // Owned by the form; created in FormCreate, deleted when the form closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

  void FormCreate(TObject* Sender);
  void Button1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  TPaeCounterListForm(TComponent* AOwner, const VnSNMPVarDesc* table, const char* caption);

 private:
  void InitComponents(const char* caption);
  void ReadTable();

  const VnSNMPVarDesc* table_;
};
