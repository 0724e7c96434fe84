#include "pages/GUIConfigForm.h"

#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIGenerator.h"
#include "platform/Clock.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TConfigForm* ConfigForm = nullptr;

namespace {

// How long closing waits for a request to end before giving up on it.
constexpr DWORD kCloseWaitMs = 6000;

}  // namespace

TConfigForm::TConfigForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  currentRequest_ = nullptr;
  requestList_ = std::make_unique<TList>();
  SetPosition(poMainFormCenter);
  formType_ = ftEmpty;
  PostMessageA(Handle(), WM_CONFIGFORM_REFRESH, 0, 0);
}

TConfigForm::~TConfigForm() { DeleteRequests(); }

void TConfigForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("ConfigForm")
      .ClientSize(159, 105)
      .Font("MS Sans Serif", -11)
      .OnClose(this, &TConfigForm::FormClose);
  SetName("ConfigForm");
}

void TConfigForm::CheckEmpty() const {
  if (formType_ != ftEmpty) throw Exception("Can not change Type of a Config Form!");
}

void TConfigForm::GrowToPanel(const TControl* panel) {
  if (ClientWidth() < panel->Width()) SetClientWidth(panel->Width());
  if (ClientHeight() < panel->Height()) SetClientHeight(panel->Height());
}

TSNMPEditorPanel* TConfigForm::AddEditorPanel(VnSNMPRequest2Edits* request) {
  CheckEmpty();
  formType_ = ftEditor;
  TSNMPEditorPanel* panel = CreateEditorPanel(request);
  GrowToPanel(panel);
  return panel;
}

TSNMPListViewPanel* TConfigForm::AddListViewPanel(VnSNMPRequest2Edits* request, int addStatusIndex,
                                                  const char* addStatusText, int deleteStatusIndex,
                                                  const char* deleteStatusText) {
  CheckEmpty();
  formType_ = ftListView;
  TSNMPListViewPanel* panel = CreateListViewPanel(request, addStatusIndex, addStatusText,
                                                  deleteStatusIndex, deleteStatusText);
  GrowToPanel(panel);
  return panel;
}

TSNMPEditorPanel* TConfigForm::CreateEditorPanel(VnSNMPRequest2Edits* request) {
  requestList_->Add(request);
  auto* panel = new TSNMPEditorPanel(this, request);
  panel->StatusPanel()->Memo->SetReadOnly(true);
  panel->AttachToForm(this);
  return panel;
}

TSNMPListViewPanel* TConfigForm::CreateListViewPanel(VnSNMPRequest2Edits* request, int addIndex,
                                                     const char* addText, int deleteIndex,
                                                     const char* deleteText) {
  requestList_->Add(request);
  auto* panel = new TSNMPListViewPanel(this, request);
  panel->StatusPanel()->Memo->SetReadOnly(true);
  panel->AttachToForm(this);
  if (addText) panel->SetAddStatus(addIndex, addText);
  if (deleteText) panel->SetDeleteStatus(deleteIndex, deleteText);
  return panel;
}

void TConfigForm::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_CONFIGFORM_REFRESH)
    WMConfigFormRefresh(Message);
  else
    TForm::Dispatch(Message);
}

void TConfigForm::WMConfigFormRefresh(TMessage&) { Refresh(); }

void TConfigForm::Refresh() {
  VnSNMPRequest2Edits* request = nullptr;
  switch (formType_) {
    case ftEmpty:
      return;
    case ftEditor:
    case ftListView:
      // Nothing to read once the requests are released.
      if (!requestList_ || requestList_->Count() == 0) return;
      request = static_cast<VnSNMPRequest2Edits*>(requestList_->Items(0));
      break;
    default:
      throw Exception("Refresh a Form with unknown Form Type!");
  }
  if (currentRequest_) currentRequest_->Stop();
  currentRequest_ = request;
  try {
    request->Get();
  } catch (const Exception& e) {
    request->ShowRequestStatus(e.Message);
  }
}

void TConfigForm::FormClose(TObject*, TCloseAction&) {
  if (!requestList_) return;
  std::unique_ptr<TList> list = std::move(requestList_);
  currentRequest_ = nullptr;
  for (int i = 0; i < list->Count(); ++i) {
    auto* request = static_cast<VnSNMPRequest2Edits*>(list->Items(i));
    request->Stop();
    // A reply in flight or a table walk finishes first (the walk stops
    // after its current row). A silent device is given up on: deleting the
    // request withdraws what is still outstanding, so no completion comes
    // to this form afterwards.
    const DWORD start = GetTickCount();
    while (request->Busy && GetTickCount() - start < kCloseWaitMs) {
      Application->ProcessMessages();
      if (request->Busy) Sleep(1);
    }
    ReleaseRequest(request);
  }
}

void TConfigForm::DeleteRequests() {
  if (!requestList_) return;
  std::unique_ptr<TList> list = std::move(requestList_);
  currentRequest_ = nullptr;
  for (int i = 0; i < list->Count(); ++i)
    ReleaseRequest(static_cast<VnSNMPRequest2Edits*>(list->Items(i)));
}

// The panels lose the request with it: their buttons then do nothing.
void TConfigForm::ReleaseRequest(VnSNMPRequest2Edits* request) {
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* page = dynamic_cast<TSNMPPanel*>(Components(i)))
      if (page->Request == request) page->Request = nullptr;
    if (auto* editor = dynamic_cast<TSNMPEditorPanel*>(Components(i)))
      if (editor->EditsPanel && editor->EditsPanel->Request == request)
        editor->EditsPanel->Request = nullptr;
  }
  delete request;
}
