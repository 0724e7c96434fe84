// The dialog that adds an IPv6 static route, or a default route (destination
// :: with prefix 0). It has no request of its own: its controls are bound to
// the route table form's request, and Set creates the route through it, then
// has the table read again.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;

class TIpv6StaticRouteEditForm : public TForm {
 public:
  explicit TIpv6StaticRouteEditForm(TComponent* AOwner);
  ~TIpv6StaticRouteEditForm() override;

  TLabel* Label1 = nullptr;  // "Destination"
  TLabel* Label2 = nullptr;  // "Prefix Length"
  TLabel* Label3 = nullptr;  // "Next Hop"
  TLabel* Label4 = nullptr;  // "Metric"
  TLabel* Label5 = nullptr;  // "Status"
  TLabel* Label6 = nullptr;  // "Interface Name"
  TLabel* Label7 = nullptr;  // "Weight" (hidden)
  TLabel* Label8 = nullptr;  // "Protocol" (hidden)
  TLabel* Label9 = nullptr;  // "Backup State" (hidden)
  TEdit* edtDst = nullptr;
  TEdit* edtPrefix = nullptr;
  TEdit* edtNextHop = nullptr;
  TEdit* edtMetric = nullptr;
  TComboBox* cbxStatus = nullptr;
  TEdit* edtInterface = nullptr;
  TEdit* edtWeight = nullptr;
  TEdit* edtProtocol = nullptr;
  TComboBox* cbxBackup = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnClose = nullptr;

  // Set by the table form before each opening.
  enum : std::int32_t { kAddMode = 1, kAddDefaultMode = 2 };
  std::int32_t EditMode = kAddMode;

  void FormActivate(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

  // The typed route, checked in order; the first failure shows its message,
  // focuses the field and gives false.
  bool ValidateRouteInput();

 private:
  void InitComponents();
};

// Created by the route table form; deleted when it closes.
extern TIpv6StaticRouteEditForm* Ipv6StaticRouteEditForm;
