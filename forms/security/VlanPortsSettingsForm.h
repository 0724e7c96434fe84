// A VLAN that a security feature keeps for itself, as a small group of device
// scalars: its name and member ports (one request, with one port grid), a
// copy of the name as last read (so that an unchanged name is not written
// again) and a delete action. The guest VLAN form and the MAC-based access
// control form are built on it and add their own handlers.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TReadRound;
class TStackingPortUitForm;
class TStatusBar;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

struct TVlanPortsLayout {
  const char* Caption = "";
  const char* NameLabel = "Name";
  const char* NameCopyText = "";
  // Where the port group box begins (rows of the derived form above it).
  int PortTop = 44;
  const VnSNMPVarDesc* SettingsTable = nullptr;  // name (item 0), ports (item 1)
  const VnSNMPVarDesc* NameCopyTable = nullptr;  // name
  const VnSNMPVarDesc* DeleteTable = nullptr;    // "none" / "start"
};

class TVlanPortsSettingsForm : public TForm {
 public:
  // Builds the shared components; the derived form adds its own and scales.
  TVlanPortsSettingsForm(TComponent* AOwner, const TVlanPortsLayout& layout);
  ~TVlanPortsSettingsForm() override;

  TLabel* Label1 = nullptr;
  TEdit* edtName = nullptr;
  TGroupBox* gbStackingPort = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TButton* BT_Get = nullptr;
  TButton* SetBtn = nullptr;
  TButton* DelBtn = nullptr;
  TButton* BT_Close = nullptr;
  // Kept hidden: the delete action (bound) and the name as last read.
  TComboBox* cbxDel = nullptr;
  TEdit* Edit1 = nullptr;

  virtual void FormCreate(TObject* Sender);
  virtual void BT_GetClick(TObject* Sender) = 0;
  virtual void SetBtnClick(TObject* Sender) = 0;
  virtual void DelBtnClick(TObject* Sender);
  void BT_CloseClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> SettingsRequest;
  std::unique_ptr<VnSNMPRequest2Edits> NameCopyRequest;
  std::unique_ptr<VnSNMPRequest2Edits> DeleteRequest;
  // Owned by the form until FormClose frees it.
  TStackingPortUitForm* PortFrame = nullptr;

 protected:
  // A synchronous request over the scalar table, status in panel 0.
  std::unique_ptr<VnSNMPRequest2Edits> NewScalarRequest(const VnSNMPVarDesc* table);
  // Creates and binds the settings, name-copy and delete requests.
  void CreateSettingsRequests();
  void CreateNameCopyRequest();
  void CreateDeleteRequest();
  // Get of the request, one of the round's reads; false when it raised:
  // its message is then in panel 0, where the round keeps it. A read that
  // could not take some values is a failure of the round too.
  bool GetOf(VnSNMPRequest2Edits* request, TReadRound& round);
  // Writes the ports, and the name when it differs from the copy; a failure
  // goes to panel 0 (Refusal) and the fields keep what the user typed.
  // False (nothing sent) when the request was busy.
  bool WriteNameAndPorts();
  // Starts the delete action. False when the request was busy.
  bool StartDelete();
  // Refresh after a write: a refused write keeps its line in panel 0 unless
  // a read of the Refresh fails itself.
  void RefreshAfterWrite();
  // The status line of the last write of the name and ports if it was
  // refused, else empty.
  const AnsiString& Refusal() const { return refusal_; }
  // Every request of the derived form, for closing.
  virtual void StopRequests();

  TVlanPortsLayout layout_;

 private:
  // The status line of the last refused write, until the next write.
  AnsiString refusal_;
  // Set when a Get raised since it was last cleared.
  bool readFailed_ = false;
};
