// The generic configuration page: one form class behind every generated menu
// page. A menu handler creates it, gives it one request over a descriptor
// table and turns it into an editor page or a list page; the form reads the
// device once its modal loop runs.
//
//   TConfigForm* form = new TConfigForm(Application);   // queues the first read
//   auto* request = new VnSNMPRequest2Edits(form);
//   ... request->Request.VarList = VnSNMPVarList(table, itemType, keyCount);
//   form->AddEditorPanel(request);     // or AddListViewPanel(...): the form owns it now
//   form->SetCaption(...);
//   form->ShowModal();                  // closing releases the request
//   delete form;
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Forms.h"
#include "platform/Messages.h"

class TList;
class TSNMPEditorPanel;
class TSNMPListViewPanel;
class VnSNMPRequest2Edits;

// Posted by a configuration form to itself from its constructor; wParam and
// lParam are 0.
constexpr UINT WM_CONFIGFORM_REFRESH = WM_APP + 1234;  // 34002

class TConfigForm : public TForm {
 public:
  enum : std::uint8_t { ftEmpty = 0, ftEditor = 1, ftListView = 2 };

  // Queues WM_CONFIGFORM_REFRESH: the first read runs inside ShowModal.
  explicit TConfigForm(TComponent* AOwner);
  // Deletes the requests still held (a form deleted without being closed).
  ~TConfigForm() override;

  // Makes this an editor page over the request: one edit row per variable.
  // Throws Exception "Can not change Type of a Config Form!" when the form
  // already has a page, before anything changes (the caller still owns the
  // request then). Otherwise the form owns the request from here on, also
  // when building the page fails.
  TSNMPEditorPanel* AddEditorPanel(VnSNMPRequest2Edits* request);
  // Makes this a list page over the table of the request. With an add text,
  // "Add" creates rows by writing it into column addStatusIndex; with a
  // delete text, "Delete" writes that into column deleteStatusIndex. Pass
  // (-1, nullptr, -1, nullptr) for a table without either. Both texts must
  // be options of their column's combo box, else an Exception names the
  // wrong text. Ownership of the request as for AddEditorPanel.
  TSNMPListViewPanel* AddListViewPanel(VnSNMPRequest2Edits* request, int addStatusIndex,
                                       const char* addStatusText, int deleteStatusIndex,
                                       const char* deleteStatusText);

  // Reads the page's request again (Get); its failures go to the page's
  // message memo. Nothing for a form without a page.
  void Refresh();

  // OnClose: stops every request, waits (processing messages) until each is
  // idle, at most 6,000 ms each, and deletes them; what is still outstanding
  // then is withdrawn. The close action stays the default (hide).
  void FormClose(TObject* Sender, TCloseAction& Action);

  void Dispatch(TMessage& Message) override;

  std::uint8_t FormType() const { return formType_; }
  // The requests added to the form (VnSNMPRequest2Edits*), owned by it; null
  // once FormClose has released them.
  TList* RequestList() const { return requestList_.get(); }
  // The request whose Get ran last; null before the first.
  VnSNMPRequest2Edits* CurrentRequest() const { return currentRequest_; }

 protected:
  TSNMPEditorPanel* CreateEditorPanel(VnSNMPRequest2Edits* request);
  TSNMPListViewPanel* CreateListViewPanel(VnSNMPRequest2Edits* request, int addIndex,
                                          const char* addText, int deleteIndex,
                                          const char* deleteText);
  void WMConfigFormRefresh(TMessage& Message);

 private:
  void BuildComponents();
  void CheckEmpty() const;
  void GrowToPanel(const TControl* panel);
  void DeleteRequests();
  void ReleaseRequest(VnSNMPRequest2Edits* request);

  std::uint8_t formType_ = ftEmpty;
  std::unique_ptr<TList> requestList_;
  VnSNMPRequest2Edits* currentRequest_ = nullptr;
};

// The form variable of the unit; the menu handlers use their own instances.
extern TConfigForm* ConfigForm;
