// The frame of a generated page: button column, message memo, and the
// content area between them.
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace {

constexpr int kButtonWidth = 96;
constexpr int kButtonGap = 5;
constexpr int kMsgPanelHeight = 50;
constexpr int kSplitterSize = 3;
// The largest client area a page's form grows to.
constexpr int kMaxClientWidth = 800;
constexpr int kMaxClientHeight = 550;

// Gives the button the picture of the glyph file when it is in the current
// folder and can be read; the button then shows the picture only. A file
// that is not a picture leaves the caption.
void LoadGlyph(TBitBtn* button, const char* fileName) {
  const AnsiString path = GetCurrentDir() + "\\" + fileName;
  if (!FileExists(path)) return;
  try {
    button->Glyph()->LoadFromFile(path);
  } catch (const Exception&) {
    return;
  }
  button->SetCaption("");
}

}  // namespace

TCtrlBtnPanel::TCtrlBtnPanel(TWinControl* AOwner)
    : TPanel(AOwner), CtrlList(std::make_unique<TList>()) {
  Samples = new TLabel(this);
  Samples->SetParent(this);
  Samples->SetCaption("Samples");
  CountText = new TStaticText(this);
  CountText->SetParent(this);
  CountText->SetCaption("0");
  struct ButtonDef {
    TBitBtn** field;
    const char* caption;
    const char* glyph;
  };
  const ButtonDef buttons[] = {
      {&RefreshBtn, "Refresh", "Get.bmp"},
      {&EditBtn, "Edit", "Set.bmp"},
      {&SetBtn, "Set Checked", "SetCheck.bmp"},
      {&AddBtn, "Add", "Add.bmp"},
      {&DeleteBtn, "Delete", "Delete.bmp"},
      {&CheckAllBtn, "Check All", "SelectAll.bmp"},
      {&ClearChecksBtn, "Clear Checks", "SelectNone.bmp"},
      {&CloseBtn, "Close", "Close.bmp"},
  };
  for (const ButtonDef& def : buttons) {
    auto* b = new TBitBtn(this);
    b->SetParent(this);
    b->SetCaption(def.caption);
    *def.field = b;
  }
  // The label keeps the column's width so that its text is centred in it.
  Samples->SetAutoSize(false);
  Samples->SetWidth(RefreshBtn->Width());
  Samples->SetAlignment(taCenter);
  CountText->SetAutoSize(false);
  CountText->SetWidth(RefreshBtn->Width());
  CountText->SetAlignment(taCenter);
  CountText->SetBorderStyle(sbsSunken);
  for (const ButtonDef& def : buttons) LoadGlyph(*def.field, def.glyph);
  CtrlList->Add(CountText);
  CtrlList->Add(Samples);
  for (const ButtonDef& def : buttons) CtrlList->Add(*def.field);
  LeftMargin = 10;
  TopMargin = 10;
  AddBtn->Hide();
  DeleteBtn->Hide();
  ArrangeButtons();
  SetWidth(2 * LeftMargin + RefreshBtn->Width());
  SetParent(AOwner);
  SetAlign(alRight);
}

TCtrlBtnPanel::~TCtrlBtnPanel() = default;

void TCtrlBtnPanel::ArrangeButtons() {
  int y = TopMargin;
  for (int i = 0; i < CtrlList->Count(); ++i) {
    auto* c = static_cast<TControl*>(CtrlList->Items(i));
    c->SetBounds(LeftMargin, y, kButtonWidth, c->Height());
    if (c->Visible()) y = c->Top() + c->Height() + kButtonGap;
  }
}

TMsgPanel::TMsgPanel(TWinControl* AOwner) : TPanel(AOwner) {
  SetHeight(kMsgPanelHeight);
  Memo = new TMemo(this);
  Memo->SetParent(this);
  Memo->SetAlign(alClient);
  SetParent(AOwner);
}

TSNMPPanel::TSNMPPanel(TWinControl* AOwner, TMsgPanel* msgPanel, VnSNMPRequest2Edits* request)
    : TPanel(AOwner), Request(request) {
  BtnPanel = new TCtrlBtnPanel(this);
  BtnPanel->RefreshBtn->OnClick = TNotifyEvent(this, &TSNMPPanel::RefreshBtnClick);
  BtnPanel->CloseBtn->OnClick = TNotifyEvent(this, &TSNMPPanel::CloseBtnClick);
  RightSplitter = new TSplitter(this);
  RightSplitter->SetAlign(alNone);
  RightSplitter->SetParent(this);
  // Left of the button column: the Align model keeps the order of places.
  RightSplitter->SetBounds(BtnPanel->Left() - kSplitterSize, 0, kSplitterSize, Height());
  RightSplitter->SetAlign(alRight);
  InnerPanel = new TPanel(this);
  InnerPanel->SetParent(this);
  InnerPanel->SetAlign(alClient);
  // Tab goes through the fields first, then to the buttons; a dialog of
  // the page opens on its first field.
  InnerPanel->SetTabOrder(0);
  if (msgPanel) {
    msgPanel_ = msgPanel;
  } else {
    MsgPanel = new TMsgPanel(InnerPanel);
    MsgPanel->SetAlign(alBottom);
    msgPanel_ = MsgPanel;
  }
  if (Request) Request->SetStatusMemo(msgPanel_->Memo);
  BottomSplitter = new TSplitter(this);
  BottomSplitter->SetAlign(alNone);
  BottomSplitter->SetParent(InnerPanel);
  // Directly above the message panel.
  const int above = MsgPanel ? MsgPanel->Top() - kSplitterSize : InnerPanel->ClientHeight();
  BottomSplitter->SetBounds(0, above, InnerPanel->ClientWidth(), kSplitterSize);
  BottomSplitter->SetAlign(alBottom);
  SetParent(AOwner);
  SetWidth(0);
  SetHeight(0);
}

void TSNMPPanel::SetContent(TControl* control) {
  if (Content) {
    Content->Hide();
    Content->SetAlign(alNone);
  }
  Content = control;
  Content->Show();
  Content->SetAlign(alNone);
  Content->SetParent(InnerPanel);
  SetAlign(alNone);
  const int w = Content->Width() + BtnPanel->Width() + RightSplitter->Width() + 3;
  if (Width() != w) SetWidth(w);
  const int h = Content->Height() + (MsgPanel ? MsgPanel->Height() : 0) + BottomSplitter->Height();
  if (Height() != h) SetHeight(h);
  if (BtnPanel->Height() > Height()) SetHeight(BtnPanel->Height());
  Content->SetAlign(alClient);
}

void TSNMPPanel::AttachToForm(TForm* form) {
  SetAlign(alNone);
  OwnerForm = form;
  form->SetPosition(poMainFormCenter);
  if (form->ClientWidth() < Width()) form->SetClientWidth(Width());
  if (form->ClientHeight() < Height()) form->SetClientHeight(Height());
  if (form->ClientHeight() > kMaxClientHeight) form->SetClientHeight(kMaxClientHeight);
  if (form->ClientWidth() > kMaxClientWidth) form->SetClientWidth(kMaxClientWidth);
  SetAlign(alClient);
}

void TSNMPPanel::RefreshBtnClick(TObject*) {
  if (!Request) return;
  if (!Request->Busy) Request->Get();
}

void TSNMPPanel::CloseBtnClick(TObject*) {
  bool closed = false;
  if (OwnerForm) {
    try {
      OwnerForm->Close();
      closed = true;
    } catch (const Exception&) {
    }
  }
  if (!closed) ShowMessage("Please initial close form");
}
