// The main window: start-up from the command line, the registry and the
// device's configuration file, the front panel in its client area, the menu
// tree whose entries open every page of the module, and the three hidden
// status readings that enable or disable menu entries. It is the feature
// forms' host from its construction to its destruction.
#pragma once

#include <initializer_list>
#include <memory>

#include "app/ConnectionParameters.h"
#include "pages/FormHost.h"
#include "pages/PortCount.h"
#include "platform/Forms.h"

class TList;
class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TStaticText;
class TStatusBar;
class VnSNMPRequest2Edits;
struct TMainMenuEntry;

class TMainForm : public TForm, public TConnectionTexts, public TFormHost {
 public:
  // Runs the whole start-up (SNMP session, registry, message files,
  // connection parameters). Failures raise; with no argument at all the
  // window is still made and the application is asked to end.
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;

  TScrollBox* ScrollBox1 = nullptr;
  TStaticText* ST_RmonState = nullptr;
  TStaticText* ST_STPVersion = nullptr;
  TStaticText* ST_8021xStatus = nullptr;
  TStatusBar* StatusBar = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PortInfoPopupMenu = nullptr;
  TMenuItem* PortInformation2 = nullptr;
  TMenuItem* PortConfiguration1 = nullptr;
  // Menu entries whose state the logic changes.
  TMenuItem* VACM1 = nullptr;
  TMenuItem* Statistics1 = nullptr;
  TMenuItem* History1 = nullptr;
  TMenuItem* AlarmEvent1 = nullptr;
  TMenuItem* Auth1 = nullptr;
  TMenuItem* FanTable1 = nullptr;
  TMenuItem* FileSystem1 = nullptr;
  TMenuItem* AgentSupportedConfigFiles1 = nullptr;
  TMenuItem* Multipleimagemanagement1 = nullptr;
  TMenuItem* MultipleConfigManagement1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Read the RMON (802.1X) state and enable or disable the entries that
  // depend on it; a text other than "enabled" or "disabled" changes nothing.
  // A failed reading raises as a synchronous Get does.
  void UpdateRmonMenuState() override;
  void UpdateDot1xMenuState();

  void BuildFrontPanel();
  void ClosePanelForms();
  void AttachPortPopup();
  void HookPortButtons();
  void ReleasePortButtons();
  void AdjustMenuVisibility();
  void PortButtonClick(TObject* Sender);

  // Menu handlers of the window itself.
  void RefreshPanel1Click(TObject* Sender);
  void PortInformation2Click(TObject* Sender);
  void PortConfiguration1Click(TObject* Sender);
  void Help2Click(TObject* Sender);
  void About1Click(TObject* Sender);
  void Bridge1Click(TObject* Sender);
  void FanTable1Click(TObject* Sender);
  void AgentSupportedConfigFiles1Click(TObject* Sender);
  // The close handler of the RMON control page: the page's own, then the
  // RMON entries follow the state the switch reports. A failed reading is
  // shown and does not keep the page open.
  void RmonControlFormClose(TObject* Sender, TCloseAction& Action);

  // The external table viewer (19 entries).
  AnsiString MakeViewerCommandLine(const AnsiString& tableSwitch);
  void LaunchMibViewer(const AnsiString& tableSwitch);

  // Every handler of the menu table that opens a page, a form or a viewer.
#define VN_MENU_HANDLER(name) void name(TObject* Sender);
#include "app/MainMenuHandlers.inc"
#undef VN_MENU_HANDLER

  // What a menu handler does: opens the entry's page, form or viewer.
  void RunMenuEntry(const TMainMenuEntry& entry);
  // Status-bar panel 0: errors of the window's own actions.
  void ShowStatus(const AnsiString& text);

  // The forms' host: AgentAddress, the text of ST_STPVersion, and the idle
  // flags below.
  AnsiString Address() const override;
  AnsiString StpVersion() const override;
  void SetStpVersion(const AnsiString& version) override;
  TSharedIdleFlags& IdleFlags() override;

  AnsiString PageCaption;
  AnsiString ModelNames[2];
  bool Activated = false;
  float Scale = 1.0f;
  // TSpeedButton*: the front panel of the supported models adds none. Null
  // before FormCreate and after FormClose.
  TList* PortButtons() const { return portButtons_.get(); }
  // TForm*: the hosted front-panel forms (owned by this window). Null before
  // FormCreate and after FormClose.
  TList* PanelForms() const { return panelForms_.get(); }
  TForm* CurrentPanelForm = nullptr;
  // The three status requests; null before FormCreate.
  VnSNMPRequest2Edits* RmonStateRequest() const { return rmonState_.get(); }
  VnSNMPRequest2Edits* Dot1xStateRequest() const { return dot1xState_.get(); }
  VnSNMPRequest2Edits* StpVersionRequest() const { return stpVersion_.get(); }

 private:
  void BuildComponents();
  void BuildMainMenu();
  void ReadStartupSettings();
  void CreateStatusRequests();
  void FirstPanelBuild();
  void RefreshStpVersion();
  void OpenConfigPage(const TMainMenuEntry& entry);
  void OpenFeatureForm(const TMainMenuEntry& entry);
  void OpenPortPage(TObject* Sender, const AnsiString& caption, bool configuration);
  // Enables the entries when the text is "enabled", disables them when it
  // is "disabled".
  static void FollowState(const AnsiString& text, std::initializer_list<TMenuItem*> items);

  // Owned; they live as long as the window.
  std::unique_ptr<VnSNMPRequest2Edits> rmonState_;
  std::unique_ptr<VnSNMPRequest2Edits> dot1xState_;
  std::unique_ptr<VnSNMPRequest2Edits> stpVersion_;
  std::unique_ptr<TList> portButtons_;
  std::unique_ptr<TList> panelForms_;
  TSharedIdleFlags idleFlags_;
};

// The one main window; null before it is created.
extern TMainForm* MainForm;
