// What the main window's menu entries open: generic configuration pages,
// dedicated feature forms and the table viewer.
#include <cstring>
#include <memory>

#include "app/AboutForm.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "catalogue/DeviceMib.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

#define VN_MENU_HANDLER(name) \
  void TMainForm::name(TObject*) { RunMenuEntry(*FindMenuEntry(&TMainForm::name)); }
#include "app/MainMenuHandlers.inc"
#undef VN_MENU_HANDLER

const TMainMenuEntry* FindMenuEntry(void (TMainForm::*handler)(TObject*)) {
  for (int i = 0; i < kMainMenuEntryCount; ++i)
    if (kMainMenuEntries[i].OnClick == handler) return &kMainMenuEntries[i];
  return nullptr;
}

const TMainMenuEntry* FindMenuEntryByName(const char* name) {
  for (int i = 0; i < kMainMenuEntryCount; ++i)
    if (std::strcmp(kMainMenuEntries[i].Name, name) == 0) return &kMainMenuEntries[i];
  return nullptr;
}

namespace {

// A length of the page, multiplied by the window's scale and truncated.
int Scaled(int length, float scale) { return static_cast<int>(static_cast<float>(length) * scale); }

// Puts SnmpVersion back when the page is gone, however the handler ends.
class VersionRestore {
 public:
  explicit VersionRestore(bool active) : active_(active), saved_(SnmpVersion) {}
  ~VersionRestore() {
    if (active_) SnmpVersion = saved_;
  }
  VersionRestore(const VersionRestore&) = delete;
  VersionRestore& operator=(const VersionRestore&) = delete;

 private:
  bool active_;
  std::uint8_t saved_;
};

}  // namespace

void TMainForm::RunMenuEntry(const TMainMenuEntry& entry) {
  switch (entry.Opens) {
    case TEntryOpens::Page:
      OpenConfigPage(entry);
      break;
    case TEntryOpens::Form:
      OpenFeatureForm(entry);
      break;
    case TEntryOpens::Viewer:
      LaunchMibViewer(entry.Target);
      break;
    default:
      break;
  }
}

void TMainForm::RefreshStpVersion() {
  try {
    if (StpVersionRequest()) StpVersionRequest()->Get();
  } catch (const Exception& e) {
    ShowStatus(e.Message);
  }
}

void TMainForm::OpenConfigPage(const TMainMenuEntry& entry) {
  const TPageSpec& spec = entry.Page;
  // A page read with SNMPv2c leaves the version as it was, also when
  // building the page fails.
  VersionRestore restore((entry.Marks & emV2c) != 0);
  if (entry.Marks & emV2c) SnmpVersion = 1;
  if (entry.Marks & emStpFirst) RefreshStpVersion();

  PageCaption = entry.Separator ? AnsiString(entry.Title) : entry.Title + AgentAddress;
  std::unique_ptr<TConfigForm> form(new TConfigForm(Application));
  auto request = std::make_unique<VnSNMPRequest2Edits>(form.get());
  {
    const VnSNMPVarList list(spec.Table, spec.ItemType, spec.KeyCount);
    request->Request.VarList = list;
  }

  TSNMPEditorPanel* panel = nullptr;
  TSNMPListViewPanel* listPanel = nullptr;
  if (spec.List) {
    listPanel = form->AddListViewPanel(request.release(), spec.AddIndex, spec.AddText,
                                       spec.DeleteIndex, spec.DeleteText);
    panel = listPanel;
  } else {
    panel = form->AddEditorPanel(request.release());
  }

  if (spec.Height) form->SetHeight(spec.HeightScaled ? Scaled(spec.Height, Scale) : spec.Height);
  if (spec.HeightGrow) form->SetHeight(form->Height() + Scaled(spec.HeightGrow, Scale));
  if (spec.WidthGrow) form->SetWidth(form->Width() + Scaled(spec.WidthGrow, Scale));
  if (spec.EditWidth) panel->SetEditWidth(Scaled(spec.EditWidth, Scale));
  if (spec.EditWidthGrow && panel->EditsPanel && panel->EditsPanel->RowCount() > 0)
    panel->SetEditWidth(panel->EditsPanel->Row(0).EditCtrl->Width() +
                        Scaled(spec.EditWidthGrow, Scale));
  if (spec.RowEditWidth && panel->EditsPanel) panel->EditsPanel->SetEditWidth(spec.RowEditWidth, 2);
  if ((entry.Marks & emNoEdit) && listPanel) {
    listPanel->BtnPanel->EditBtn->Hide();
    listPanel->BtnPanel->ArrangeButtons();
  }
  for (const TVarFormat& f : spec.Formats)
    if (f.Format) panel->SetVarFormat(f.Row, f.Format);
  if ((entry.Marks & emNote) && panel->EditsPanel) {
    panel->EditsPanel->ShowNote("Note:Each bit means one VID unit in VLAN range list!", clRed, 10);
    if (spec.EditsPanelHeight) panel->EditsPanel->SetHeight(spec.EditsPanelHeight);
  }
  if (entry.Marks & emRmonClose)
    form->OnClose = TCloseEvent(this, &TMainForm::RmonControlFormClose);

  form->SetCaption(entry.Separator ? PageCaption + entry.Separator + AgentAddress : PageCaption);
  form->ShowModal();
  form.reset();
  if (entry.Marks & em8021xAfter) UpdateDot1xMenuState();
}

void TMainForm::RmonControlFormClose(TObject* Sender, TCloseAction& Action) {
  if (auto* page = dynamic_cast<TConfigForm*>(Sender)) page->FormClose(Sender, Action);
  // The page closes whatever the device answers: a failed reading is shown
  // as any other error and the entries keep their state.
  try {
    UpdateRmonMenuState();
  } catch (...) {
    HandleCurrentException(this);
  }
}

void TMainForm::OpenFeatureForm(const TMainMenuEntry& entry) {
  if (entry.Marks & emStpFirst) RefreshStpVersion();
  const TFormOpener opener = FindFormOpener(entry.Target);
  if (!opener) {
    ShowMessage(kPageNotAvailable);
    return;
  }
  TComponent* owner = entry.Owner == TFormOwner::MainWindow ? static_cast<TComponent*>(this)
                                                            : static_cast<TComponent*>(Application);
  opener(owner, entry.Title + AgentAddress);
}

void TMainForm::About1Click(TObject*) { ShowAboutBox(); }

void TMainForm::PortInformation2Click(TObject* Sender) {
  OpenPortPage(Sender, "Port Information Table", false);
}

void TMainForm::PortConfiguration1Click(TObject* Sender) {
  OpenPortPage(Sender, "Port Configuration", true);
}

void TMainForm::OpenPortPage(TObject*, const AnsiString& caption, bool configuration) {
  auto* button = dynamic_cast<TSpeedButton*>(PortInfoPopupMenu->PopupComponent());
  if (!button) return;
  ReleasePortButtons();
  button->SetDown(true);
  PageCaption = caption;
  std::unique_ptr<TConfigForm> form(new TConfigForm(Application));
  auto request = std::make_unique<VnSNMPRequest2Edits>(form.get());
  {
    const VnSNMPVarList list(configuration ? PortConfigurationVars : PortInformationVars,
                             VnItemType::MVT_SV, 0);
    request->Request.VarList = list;
  }
  const AnsiString port = button->Caption();
  request->Request.VarList.InstanceSuffix = port;
  form->AddEditorPanel(request.release());
  // The button's text is the port number, a "." and one medium digit.
  if (const int dot = port.Pos(".")) {
    const AnsiString medium = port.SubString(dot + 1, port.Length());
    if (medium == "1" || medium == "2")
      form->SetCaption(PageCaption + " : " + AgentAddress + " / " + "Port" + " " +
                       port.SubString(1, dot - 1));
  }
  form->ShowModal();
}
