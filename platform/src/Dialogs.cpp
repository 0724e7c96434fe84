// Message boxes: one service shows them all.
#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <cstdio>

#include "Toolkit.h"

using namespace ui_detail;

namespace {

// The control with the focus gets it back once a box has gone: its window
// is made active again, and an active window gives the focus to the control
// that had it last. Without a window manager nobody else does it: the
// window system leaves its focus on the screen's root, and the keys go to
// whatever window is under the pointer.
class FocusComesBack {
 public:
  FocusComesBack() : control_(QApplication::focusWidget()) {}
  ~FocusComesBack() {
    if (control_ && control_->isVisible()) control_->activateWindow();
  }
  FocusComesBack(const FocusComesBack&) = delete;
  FocusComesBack& operator=(const FocusComesBack&) = delete;

 private:
  QPointer<QWidget> control_;
};

// Application-modal message boxes over the active form; their nested loop
// keeps timers and posted messages running.
class ToolkitDialogs : public IDialogService {
 public:
  int Show(const TDialogRequest& r) override {
    if (!qApp) {
      // No window can show it yet (start-up): the message goes to the error
      // stream, and the box answers as Escape would.
      std::fprintf(stderr, "%s: %s\n", r.caption.c_str(), r.text.c_str());
      std::fflush(stderr);
      return EscapeResult(r.buttons);
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (r.type) {
      case mtWarning:
        icon = QMessageBox::Warning;
        break;
      case mtError:
        icon = QMessageBox::Critical;
        break;
      case mtInformation:
        icon = QMessageBox::Information;
        break;
      case mtConfirmation:
        icon = QMessageBox::Question;
        break;
      default:
        break;
    }
    QMessageBox box(icon, Q(r.caption), Q(r.text), QMessageBox::NoButton, W(r.owner));
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    struct B {
      unsigned bit;
      const char* text;
      int result;
    };
    static const B kButtons[] = {
        {mbYes, "&Yes", mrYes},         {mbNo, "&No", mrNo},          {mbOK, "OK", mrOk},
        {mbCancel, "Cancel", mrCancel}, {mbAbort, "&Abort", mrAbort}, {mbRetry, "&Retry", mrRetry},
        {mbIgnore, "&Ignore", mrIgnore}};
    std::vector<std::pair<QAbstractButton*, int>> map;
    int escape = EscapeResult(r.buttons);
    for (const B& b : kButtons) {
      if (!(r.buttons & b.bit)) continue;
      QPushButton* pb = box.addButton(QString::fromLatin1(b.text), QMessageBox::ActionRole);
      map.emplace_back(pb, b.result);
      if (b.result == escape) box.setEscapeButton(pb);
      if (map.size() == 1) box.setDefaultButton(pb);
    }
    {
      const FocusComesBack focus;
      box.exec();
    }
    for (auto& [button, result] : map)
      if (box.clickedButton() == button) return result;
    return (r.buttons & mbCancel) ? mrCancel : escape;
  }
};

ToolkitDialogs g_toolkitDialogs;
IDialogService* g_service = nullptr;

int ShowBox(TDialogRequest r) {
  if (!r.owner) r.owner = Application->ActiveForm();
  NoteBoxShown();
  return DialogService().Show(r);
}

}  // namespace

IDialogService* SetDialogService(IDialogService* service) {
  IDialogService* old = g_service;
  g_service = service;
  return old;
}

IDialogService& DialogService() { return g_service ? *g_service : g_toolkitDialogs; }

int EscapeResult(TMsgDlgButtons buttons) {
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  return mrOk;
}

void ShowMessage(const AnsiString& Msg) {
  TDialogRequest r;
  r.kind = TDialogRequest::ShowMessageBox;
  r.caption = Application->Title();
  r.text = Msg;
  r.buttons = mbOK;
  ShowBox(r);
}

int MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  TDialogRequest r;
  r.kind = TDialogRequest::MessageDlgBox;
  switch (DlgType) {
    case mtWarning:
      r.caption = "Warning";
      break;
    case mtError:
      r.caption = "Error";
      break;
    case mtInformation:
      r.caption = "Information";
      break;
    case mtConfirmation:
      r.caption = "Confirm";
      break;
    default:
      r.caption = Application->Title();
      break;
  }
  r.text = Msg;
  r.type = DlgType;
  r.buttons = Buttons;
  return ShowBox(r);
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  TDialogRequest r;
  r.kind = TDialogRequest::MessageBoxABox;
  r.caption = lpCaption ? lpCaption : "Error";
  r.text = lpText ? lpText : "";
  switch (uType & 0xF) {
    case MB_OKCANCEL:
      r.buttons = mbOK | mbCancel;
      break;
    case MB_YESNO:
      r.buttons = mbYes | mbNo;
      break;
    default:
      r.buttons = mbOK;
      break;
  }
  switch (uType & 0xF0) {
    case MB_ICONERROR:
      r.type = mtError;
      break;
    case MB_ICONQUESTION:
      r.type = mtConfirmation;
      break;
    case MB_ICONWARNING:
      r.type = mtWarning;
      break;
    case MB_ICONINFORMATION:
      r.type = mtInformation;
      break;
    default:
      break;
  }
  if (TWinControl* w = TWinControl::FromHandle(hWnd)) r.owner = w->TopForm();
  // The modal results and the box results share their numbers.
  return ShowBox(r);
}
