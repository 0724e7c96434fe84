// Message boxes. Every box goes through one replaceable dialog service.
#pragma once

#include "platform/AnsiString.h"
#include "platform/Controls.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtnBits : unsigned {
  mbYes = 1,
  mbNo = 2,
  mbOK = 4,
  mbCancel = 8,
  mbAbort = 16,
  mbRetry = 32,
  mbIgnore = 64,
  mbAll = 128,
  mbHelp = 256
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// One box as the module asks for it.
struct TDialogRequest {
  enum Kind { ShowMessageBox, MessageDlgBox, MessageBoxABox, ExceptionBox };
  Kind kind = ShowMessageBox;
  AnsiString caption;
  AnsiString text;
  TMsgDlgType type = mtCustom;
  TMsgDlgButtons buttons = mbOK;
  TCustomForm* owner = nullptr;  // the active form, if any
};

// Shows a box and returns the modal result (mrOk, mrCancel, mrYes, mrNo ...).
// Escape answers mrCancel when Cancel is offered, otherwise mrNo, otherwise
// mrOk; the box's close button answers mrCancel.
class IDialogService {
 public:
  virtual ~IDialogService() = default;
  virtual int Show(const TDialogRequest& request) = 0;
};

// Replaces the service (nullptr restores the toolkit's); returns the
// previous one. The caller keeps ownership.
IDialogService* SetDialogService(IDialogService* service);
IDialogService& DialogService();
// The answer that Escape gives for a set of buttons.
int EscapeResult(TMsgDlgButtons buttons);

// Captioned with Application->Title.
void ShowMessage(const AnsiString& Msg);
// Captioned "Warning", "Error", "Information" or "Confirm"
// (Application->Title for mtCustom).
int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
