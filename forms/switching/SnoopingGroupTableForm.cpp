#include "forms/switching/SnoopingGroupTableForm.h"

#include "catalogue/DeviceMib.h"
#include "catalogue/MldSnoopingMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Exceptions.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"

namespace {
// Columns shared by both group tables; the first three are the index.
namespace Igmp = IGMPSnoopingGroupTableItem;
namespace Mld = MLDSnoopingGroupTableItem;
constexpr int kVlan = Igmp::kIGMPSnoopingGroupVLANID;
constexpr int kGroup = Igmp::kIGMPSnoopingGroupGroupAddress;
constexpr int kSource = Igmp::kIGMPSnoopingGroupSourceAddress;
constexpr int kInclude = Igmp::kIGMPSnoopingGroupIncludePortMap;
constexpr int kExclude = Igmp::kIGMPSnoopingGroupExcludePortMap;
static_assert(Mld::kMLDSnoopingGroupVLANID == kVlan &&
              Mld::kMLDSnoopingGroupGroupAddress == kGroup &&
              Mld::kMLDSnoopingGroupSourceAddress == kSource &&
              Mld::kMLDSnoopingGroupIncludePortMap == kInclude &&
              Mld::kMLDSnoopingGroupExcludePortMap == kExclude);
constexpr int kRowHeight = 24;
}  // namespace

TSnoopingGroupTableForm::TSnoopingGroupTableForm(TComponent* AOwner, const VnSNMPVarDesc* table,
                                                 const char* caption, int width, int height)
    : TForm(AOwner), table_(table), caption_(caption), width_(width), height_(height) {}

TSnoopingGroupTableForm::~TSnoopingGroupTableForm() = default;

void TSnoopingGroupTableForm::BuildComponents(int extraRows) {
  TFormBuilder B(this);
  B.Form()
      .Caption(caption_)
      .Size(width_, height_)
      .Position(poMainFormCenter)
      .BorderStyle(bsSingle)
      .OnCreate(this, &TSnoopingGroupTableForm::FormCreate)
      .OnClose(this, &TSnoopingGroupTableForm::FormClose);
  const int inner = width_ - 16;
  B.Add(ListView1, "ListView1").At(8, 8, inner - 100, 170);
  B.Add(btnGet, "btnGet")
      .At(inner - 84, 8, 92, 25)
      .Caption("Refresh")
      .OnClick(this, &TSnoopingGroupTableForm::btnGetClick);
  int y = 188;
  B.Add(Label1, "Label1").At(8, y).Caption("VID");
  B.Add(stVlanID, "stVlanID").At(110, y, 80, 17);
  y += kRowHeight;
  B.Add(Label2, "Label2").At(8, y).Caption("Group Address");
  B.Add(stGroupAddress, "stGroupAddress").At(110, y, 260, 17);
  y += kRowHeight;
  B.Add(Label3, "Label3").At(8, y).Caption("Source Address");
  B.Add(stSourceAddress, "stSourceAddress").At(110, y, 260, 17);
  y += kRowHeight * (1 + extraRows);
  const int tabsHeight = height_ - y - 70;
  B.Add(PageControl1, "PageControl1").At(8, y, inner, tabsHeight);
  B.Add(tbsInclude, "tbsInclude").Caption("Include Ports").PageControl(PageControl1);
  B.Add(ScrollBox1, "ScrollBox1", tbsInclude).Align(alClient);
  B.Add(tbsExculude, "tbsExculude").Caption("Exclude Ports").PageControl(PageControl1);
  B.Add(ScrollBox2, "ScrollBox2", tbsExculude).Align(alClient);
  PageControl1->SetActivePageIndex(0);
  B.Add(StatusBar1, "StatusBar1");
}

void TSnoopingGroupTableForm::FormCreate(TObject*) {
  try {
    IncludePortFrame = CreatePortFrame(this, ScrollBox1);
    ExcludePortFrame = CreatePortFrame(this, ScrollBox2);
    const AnsiString elements = PortElementList();
    Request = NewFormRequest(this, table_, VnItemType::MVT_FMV, 3);
    Request->AttachListView(ListView1, true);
    Request->BindStaticText(kVlan, stVlanID);
    Request->BindStaticText(kGroup, stGroupAddress);
    Request->BindStaticText(kSource, stSourceAddress);
    Request->BindElementList(kInclude, elements, IncludePortFrame->PortCheckBoxes.get());
    Request->BindElementList(kExclude, elements, ExcludePortFrame->PortCheckBoxes.get());
    BindExtras();
    SetStatusTargetShown(*Request, StatusBar1);
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

void TSnoopingGroupTableForm::btnGetClick(TObject*) {
  if (!Request) return;
  try {
    Request->Get();
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
}

// The walk is stopped and released with the form: an answer arriving later
// must not reach controls that are gone.
void TSnoopingGroupTableForm::FormClose(TObject*, TCloseAction& Action) {
  ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  for (TStackingPortUitForm** frame : {&IncludePortFrame, &ExcludePortFrame}) {
    delete *frame;
    *frame = nullptr;
  }
  Action = caFree;
}
