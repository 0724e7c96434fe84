// The About box: the module's name and release, the 10-port model's icon
// and an OK button. Shift+Alt+F3 on the button shows the build date.
#pragma once

#include "platform/Forms.h"

class TButton;
class TImage;
class TLabel;

class TAboutForm : public TForm {
 public:
  explicit TAboutForm(TComponent* AOwner);

  TLabel* AboutLabel = nullptr;
  TLabel* VersionLabel = nullptr;
  TLabel* CopyrightLabel = nullptr;
  TButton* BT_Ok = nullptr;
  TImage* Image5810 = nullptr;
  TImage* Image5816 = nullptr;
  TLabel* AboutLabe2 = nullptr;

  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void BT_OkClick(TObject* Sender);
  void BT_OkKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void BuildComponents();
};

// The open About box; null when none is open.
extern TAboutForm* AboutForm;

// What the main window's "About" entry does: a new About box owned by the
// application, kept in AboutForm while it is shown modally, then deleted.
void ShowAboutBox();
