#include "forms/switching/VLanCurrentTableFormUnit.h"

#include "catalogue/BridgeExtMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

TVLanCurrentTableForm* VLanCurrentTableForm = nullptr;

VN_REGISTER_FORM_OPENER(TVLanCurrentTableForm, &VLanCurrentTableForm);

TVLanCurrentTableForm::TVLanCurrentTableForm(TComponent* AOwner) : TForm(AOwner) {
  InitComponents();
  ScaleFormForScreen(this);
}

TVLanCurrentTableForm::~TVLanCurrentTableForm() = default;

void TVLanCurrentTableForm::InitComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("VLAN Current Table")
      .Size(704, 519)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TVLanCurrentTableForm::FormCreate)
      .OnClose(this, &TVLanCurrentTableForm::FormClose);
  B.Add(LV_dot1qVlanCurrentEntry, "LV_dot1qVlanCurrentEntry")
      .At(8, 8, 576, 200)
      .OnChange(this, &TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryChange)
      .OnSelectItem(this, &TVLanCurrentTableForm::LV_dot1qVlanCurrentEntrySelectItem);
  B.Add(RefreshBtn, "RefreshBtn")
      .At(596, 8, 92, 25)
      .Caption("Refresh")
      .OnClick(this, &TVLanCurrentTableForm::RefreshBtnClick);
  B.Add(SetBtn, "SetBtn").At(596, 40, 92, 25).Caption("Set").Hidden();
  B.Add(Label3, "Label3").At(596, 192).Caption("Samples");
  B.Add(ST_Count2, "ST_Count2").At(646, 192, 42, 17).Caption("0");

  B.Add(GroupBox2, "GroupBox2").At(8, 214, 280, 44);
  B.Add(Label1, "Label1", GroupBox2).At(10, 18).Caption("VLAN Delete Numbers");
  B.Add(VlanNumDeletes, "VlanNumDeletes", GroupBox2).At(140, 18, 120, 17);
  B.Add(Label2, "Label2").At(304, 232).Caption("VLAN Index");
  B.Add(StaticText1, "StaticText1").At(376, 232, 100, 17);

  B.Add(PageControl1, "PageControl1").At(8, 266, 680, 160);
  B.Add(TabSheet1, "TabSheet1").Caption("Egress Port").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", TabSheet1).Align(alClient);
  B.Add(TabSheet2, "TabSheet2").Caption("Untagged Port").PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", TabSheet2).Align(alClient);
  PageControl1->SetActivePageIndex(0);

  B.Add(Memo1, "Memo1").At(8, 432, 680, 52).ReadOnly();
  Memo1->SetScrollBars(ssVertical);
}

void TVLanCurrentTableForm::CreatePortFrame() {
  EgressPortFrame = ::CreatePortFrame(this, ScrollBox1, 12, 12);
  UntaggedPortFrame = ::CreatePortFrame(this, ScrollBox2, 12, 12);
}

void TVLanCurrentTableForm::FormCreate(TObject*) {
  CreatePortFrame();
  const AnsiString elements = PortElementList();

  NumDeletesRequest =
      NewFormRequest(this, VLanCurrentTableVLANNumDeletesVars, VnItemType::SVT_SV, 0, true);
  NumDeletesRequest->BindStaticText(0, VlanNumDeletes);
  NumDeletesRequest->SetStatusMemo(Memo1);
  try {
    NumDeletesRequest->Get();
  } catch (const Exception& e) {
    NumDeletesRequest->ShowRequestStatus(e.Message);
  }

  Request = NewFormRequest(this, VLanCurrentTableFDBIDVars, VnItemType::MVT_UMV, 2, true);
  Request->AttachListView(LV_dot1qVlanCurrentEntry, true);
  Request->BindStaticText(VLanCurrentTableFDBIDItem::kVLANIndex, StaticText1);
  Request->BindElementList(VLanCurrentTableFDBIDItem::kCurrentEgressPorts, elements,
                           EgressPortFrame->PortCheckBoxes.get());
  Request->BindElementList(VLanCurrentTableFDBIDItem::kCurrentUntaggedPorts, elements,
                           UntaggedPortFrame->PortCheckBoxes.get());
  Request->SetStatusMemo(Memo1);
  try {
    Request->Get();
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
  ShowCount();
}

void TVLanCurrentTableForm::ShowCount() { ShowRowCount(LV_dot1qVlanCurrentEntry, ST_Count2); }

void TVLanCurrentTableForm::ClearEntryFields() {
  for (TStackingPortUitForm* frame : {EgressPortFrame, UntaggedPortFrame})
    if (frame) frame->ClearPorts();
  StaticText1->SetCaption("");
}

void TVLanCurrentTableForm::RefreshBtnClick(TObject*) {
  try {
    if (!NumDeletesRequest->Busy) NumDeletesRequest->Get();
  } catch (const Exception& e) {
    NumDeletesRequest->ShowRequestStatus(e.Message);
  }
  try {
    if (!Request->Busy) Request->Get();
  } catch (const Exception& e) {
    Request->ShowRequestStatus(e.Message);
  }
  ShowCount();
  ClearEntryFields();
}

void TVLanCurrentTableForm::LV_dot1qVlanCurrentEntryChange(TObject*, TListItem*, TItemChange) {
  ShowCount();
}

void TVLanCurrentTableForm::LV_dot1qVlanCurrentEntrySelectItem(TObject*, TListItem*,
                                                               bool Selected) {
  if (!Selected) ClearEntryFields();
}

void TVLanCurrentTableForm::FormClose(TObject*, TCloseAction& Action) {
  LV_dot1qVlanCurrentEntry->SetSelected(nullptr);
  for (TStackingPortUitForm** frame : {&EgressPortFrame, &UntaggedPortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  StopWaitDelete(NumDeletesRequest);
  StopWaitDelete(Request);
  Action = caFree;
}
