#include "app/MainUnit.h"

#include <vector>

#include "app/MainMenuTree.h"
#include "app/PanelForm.h"
#include "catalogue/DeviceMib.h"
#include "catalogue/PaeMib.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPSession.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/FormBuilder.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
  Scale = Screen->PixelsPerInch() == 96 ? 1.0f : 1.25f;
  SetWidth(800);
  InitSnmpSession("");
  SnmpVersion = 0;
  ReadStartupSettings();
  VACM1->SetEnabled(SnmpVersion == 3);
  // Last: a constructor that raised leaves no host behind.
  RegisterFormHost(this);
}

TMainForm::~TMainForm() {
  WithdrawFormHost(this);
  // The status requests go before the static texts they are bound to.
  rmonState_.reset();
  dot1xState_.reset();
  stpVersion_.reset();
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .BorderStyle(bsSingle)
      .BorderIcons(biSystemMenu | biMinimize)
      .Position(poScreenCenter)
      .ClientSize(783, 155)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TMainForm::FormCreate)
      .OnActivate(this, &TMainForm::FormActivate)
      .OnClose(this, &TMainForm::FormClose);
  SetName("MainForm");
  B.Add(StatusBar, "StatusBar").Align(alBottom).Panels({50});
  B.Add(ScrollBox1, "ScrollBox1").Align(alClient).AutoScroll(false);
  B.Add(ST_RmonState, "ST_RmonState").At(8, 8).Caption("").Hidden();
  B.Add(ST_STPVersion, "ST_STPVersion").At(8, 24).Caption("").Hidden();
  B.Add(ST_8021xStatus, "ST_8021xStatus").At(8, 40).Caption("").Hidden();
  B.Add(PortInfoPopupMenu, "PortInfoPopupMenu");
  PortInformation2 = AddMenuEntry(PortInfoPopupMenu, "Port Information", "PortInformation2",
                                  TNotifyEvent(this, &TMainForm::PortInformation2Click));
  PortConfiguration1 = AddMenuEntry(PortInfoPopupMenu, "Port Configuration", "PortConfiguration1",
                                    TNotifyEvent(this, &TMainForm::PortConfiguration1Click));
  B.Add(MainMenu1, "MainMenu1");
  BuildMainMenu();
  SetMenu(MainMenu1);
}

void TMainForm::BuildMainMenu() {
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    const TMainMenuEntry& e = kMainMenuEntries[i];
    TNotifyEvent click;
    if (e.OnClick) click = TNotifyEvent(this, e.OnClick);
    AddMenuEntry(MainMenu1, e.Path, e.Name, click, e.Visible);
  }
  VACM1 = MainMenu1->FindItem("VACM1");
  Statistics1 = MainMenu1->FindItem("Statistics1");
  History1 = MainMenu1->FindItem("History1");
  AlarmEvent1 = MainMenu1->FindItem("AlarmEvent1");
  Auth1 = MainMenu1->FindItem("Auth1");
  FanTable1 = MainMenu1->FindItem("FanTable1");
  FileSystem1 = MainMenu1->FindItem("FileSystem1");
  AgentSupportedConfigFiles1 = MainMenu1->FindItem("AgentSupportedConfigFiles1");
  Multipleimagemanagement1 = MainMenu1->FindItem("Multipleimagemanagement1");
  MultipleConfigManagement1 = MainMenu1->FindItem("MultipleConfigManagement1");
}

void TMainForm::ReadStartupSettings() {
  bool opened = false;
  const AnsiString helpPath = ReadHelpPath(opened);
  if (opened) AdjustMenuVisibility();
  LoadMessageFiles(ModuleFolderOf(helpPath));
  const AnsiString configFolder = ReadConfigFolder();

  ResetConnectionFlags();
  if (ParamCount() == 0) {
    ShowMessage("No parameter input");
    Application->Terminate();
    return;
  }
  std::vector<AnsiString> args;
  for (int i = 1; i <= ParamCount(); ++i) args.push_back(ParamStr(i));
  ApplyConnectionArguments(*this, args, configFolder);
}

void TMainForm::AdjustMenuVisibility() {
  FileSystem1->SetVisible(false);
  AgentSupportedConfigFiles1->SetVisible(false);
  Multipleimagemanagement1->SetVisible(true);
  MultipleConfigManagement1->SetVisible(true);
}

void TMainForm::FormCreate(TObject*) {
  try {
    SetCaption(AgentAddress);
    portButtons_ = std::make_unique<TList>();
    panelForms_ = std::make_unique<TList>();
    ModelNames[0] = "KXR-5810";
    ModelNames[1] = "KXR-5816";
    FanTable1->SetVisible(false);
    CreateStatusRequests();
  } catch (const Exception& e) {
    ShowStatus(e.Message);
  }
}

void TMainForm::CreateStatusRequests() {
  struct StatusRequest {
    std::unique_ptr<VnSNMPRequest2Edits>& slot;
    const VnSNMPVarDesc* table;
    TStaticText* text;
  };
  const StatusRequest requests[] = {
      {rmonState_, RMONControlVars, ST_RmonState},
      {stpVersion_, StpVersionVars, ST_STPVersion},
      {dot1xState_, SystemAuthenticationControlVars, ST_8021xStatus},
  };
  for (const StatusRequest& r : requests) {
    r.slot = std::make_unique<VnSNMPRequest2Edits>(this);
    r.slot->AsyncMode = false;
    r.slot->Request.VarList = VnSNMPVarList(r.table, VnItemType::SVT_SV, 0);
    r.slot->BindStaticText(0, r.text);
  }
}

void TMainForm::FormActivate(TObject*) {
  if (Activated) return;
  Activated = true;
  FirstPanelBuild();
}

void TMainForm::FirstPanelBuild() {
  BuildFrontPanel();
  AttachPortPopup();
  HookPortButtons();
  UpdateRmonMenuState();
  UpdateDot1xMenuState();
}

void TMainForm::FollowState(const AnsiString& text, std::initializer_list<TMenuItem*> items) {
  if (text != "disabled" && text != "enabled") return;
  for (TMenuItem* item : items)
    if (item) item->SetEnabled(text == "enabled");
}

void TMainForm::UpdateRmonMenuState() {
  if (!RmonStateRequest()) return;
  RmonStateRequest()->Get();
  FollowState(ST_RmonState->Caption(), {Statistics1, History1, AlarmEvent1});
}

void TMainForm::UpdateDot1xMenuState() {
  if (!Dot1xStateRequest()) return;
  Dot1xStateRequest()->Get();
  FollowState(ST_8021xStatus->Caption(), {Auth1});
}

void TMainForm::BuildFrontPanel() {
  auto* panel = Create<TKXR5810PanelForm>(this);
  KXR5810PanelForm = panel;
  const int panelClientHeight = panel->ClientHeight();
  const int panelClientWidth = panel->ClientWidth();
  panel->SetupPanelLeds(StatusBar->Panels()->Items(0));
  panel->CollectPortImages();
  panel->SetParent(ScrollBox1);
  panel->SetLeft(0);
  panel->SetTop(0);
  ScrollBox1->SetAlign(alNone);
  SetClientWidth(panelClientWidth + 3);
  CurrentPanelForm = panel;
  const int formsBefore = PanelForms() ? PanelForms()->Count() : 0;
  SetClientHeight(panel->Top() + panelClientHeight + StatusBar->Height() + formsBefore + 3);
  ScrollBox1->SetAlign(alClient);
  ScrollBox1->SetAutoScroll(false);
  panel->Show();
  if (panel->Width() > Width()) SetWidth(panel->Width() + 4);
  if (PanelForms()) PanelForms()->Add(panel);
}

void TMainForm::ClosePanelForms() {
  if (!PanelForms()) return;
  for (int i = 0; i < PanelForms()->Count(); ++i) {
    auto* form = static_cast<TForm*>(PanelForms()->Items(i));
    form->Close();
    delete form;
  }
  PanelForms()->Clear();
}

void TMainForm::RefreshPanel1Click(TObject*) {
  if (MessageDlg("Refresh panel may take a long time. Are you sure?", mtConfirmation, mbOKCancel,
                 0) != mrOk)
    return;
  ClosePanelForms();
  if (PortButtons()) PortButtons()->Clear();
  CurrentPanelForm = nullptr;
  FirstPanelBuild();
}

void TMainForm::AttachPortPopup() {
  if (!PortButtons()) return;
  for (int i = 0; i < PortButtons()->Count(); ++i)
    static_cast<TSpeedButton*>(PortButtons()->Items(i))->SetPopupMenu(PortInfoPopupMenu);
}

void TMainForm::HookPortButtons() {
  if (!PortButtons()) return;
  for (int i = 0; i < PortButtons()->Count(); ++i)
    static_cast<TSpeedButton*>(PortButtons()->Items(i))->OnClick =
        TNotifyEvent(this, &TMainForm::PortButtonClick);
}

void TMainForm::ReleasePortButtons() {
  if (!PortButtons()) return;
  for (int i = 0; i < PortButtons()->Count(); ++i)
    static_cast<TSpeedButton*>(PortButtons()->Items(i))->SetDown(false);
}

void TMainForm::PortButtonClick(TObject* Sender) {
  if (!PortButtons()) return;
  for (int i = 0; i < PortButtons()->Count(); ++i) {
    auto* button = static_cast<TSpeedButton*>(PortButtons()->Items(i));
    if (button != Sender) button->SetDown(false);
  }
}

void TMainForm::FormClose(TObject*, TCloseAction& Action) {
  Action = caFree;
  if (portButtons_) portButtons_->Clear();
  if (panelForms_) panelForms_->Clear();
  portButtons_.reset();
  panelForms_.reset();
}

void TMainForm::ShowStatus(const AnsiString& text) {
  if (StatusBar && StatusBar->Panels()->Count() > 0) StatusBar->Panels()->Items(0)->SetText(text);
}

AnsiString TMainForm::Address() const { return AgentAddress; }

AnsiString TMainForm::StpVersion() const { return ST_STPVersion->Caption(); }

void TMainForm::SetStpVersion(const AnsiString& version) { ST_STPVersion->SetCaption(version); }

TSharedIdleFlags& TMainForm::IdleFlags() { return idleFlags_; }

void TMainForm::Bridge1Click(TObject*) {}
void TMainForm::FanTable1Click(TObject*) {}
void TMainForm::AgentSupportedConfigFiles1Click(TObject*) {}
