// The main window's menu tree as data: every entry with its caption path,
// component name, handler, visibility and what it opens.
#pragma once

#include <cstdint>

class TMainForm;
class TObject;
struct VnSNMPVarDesc;
enum class VnItemType : std::uint8_t;

enum class TEntryOpens : std::uint8_t {
  Submenu,       // an item with entries below it
  Nothing,       // an entry without behaviour
  Page,          // a generic configuration page
  Form,          // a dedicated feature form
  Viewer,        // the host's external table viewer
  RefreshPanel,  // rebuilds the front panel
  Help,          // the help file
  About,         // the About box
};

// Who owns a dedicated feature form while it is shown.
// GCC 12 takes a scoped enumerator for a rival of the global Application.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
enum class TFormOwner : std::uint8_t { Application, MainWindow };
#pragma GCC diagnostic pop

// What a handler does besides opening its page or form.
enum TEntryMarks : unsigned {
  emRmonClose = 1,   // the page's close handler also updates the RMON entries
  em8021xAfter = 2,  // the 802.1X entry follows the device once the page is gone
  emV2c = 4,         // the page's request is made with SNMPv2c
  emStpFirst = 8,    // the spanning-tree version is read before anything else
  emNoEdit = 16,     // the list page's Edit button is hidden
  emNote = 32,       // the list page's rows show the VLAN range note
};

// One edit format given to a page row (TSNMPEditorPanel::SetVarFormat).
struct TVarFormat {
  int Row = -1;
  const char* Format = nullptr;
};

// A generic page: its descriptor table and how it is laid out. Widths and
// heights marked "scaled" are multiplied by the window's Scale and
// truncated toward zero.
struct TPageSpec {
  const VnSNMPVarDesc* Table = nullptr;
  VnItemType ItemType{};  // VnItemType::SVT_SV unless given
  std::uint32_t KeyCount = 0;
  bool List = false;  // list page, else editor page
  int AddIndex = -1;
  const char* AddText = nullptr;
  int DeleteIndex = -1;
  const char* DeleteText = nullptr;
  int Height = 0;  // the form's height, when not 0
  bool HeightScaled = false;
  int HeightGrow = 0;        // added to the form's height, scaled
  int WidthGrow = 0;         // added to the form's width, scaled
  int EditWidth = 0;         // the editor panel's edit width, scaled
  int EditWidthGrow = 0;     // added to the first row's edit width, scaled
  int RowEditWidth = 0;      // a list page's edit rows' width (not scaled)
  int EditsPanelHeight = 0;  // a list page's edit rows' panel height
  TVarFormat Formats[8] = {};
};

struct TMainMenuEntry {
  const char* Path = "";  // captions from the top level down, " > " between
  const char* Name = "";  // the item's component name
  void (TMainForm::*OnClick)(TObject*) = nullptr;
  bool Visible = true;
  TEntryOpens Opens = TEntryOpens::Nothing;
  const char* Title = nullptr;      // caption title
  const char* Separator = nullptr;  // joined between title and address when given
  const char* Target = nullptr;     // viewer table switch, or feature form class
  TFormOwner Owner = TFormOwner::Application;
  const char* Global = nullptr;  // the feature form's global variable, if it has one
  unsigned Marks = 0;
  TPageSpec Page = {};
};

extern const TMainMenuEntry kMainMenuEntries[];
extern const int kMainMenuEntryCount;

// The entry whose handler this is (the first one when two share it); null
// when none.
const TMainMenuEntry* FindMenuEntry(void (TMainForm::*handler)(TObject*));
// The entry with this component name; null when none.
const TMainMenuEntry* FindMenuEntryByName(const char* name);
