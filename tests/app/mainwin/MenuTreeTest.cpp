// The real menu of the main window, built at start-up against the simulated
// switch, entry by entry against the menu tree's reference data
// (menu-tree.json beside this file): captions, order and nesting, visibility and
// state after start-up, handlers, and what choosing each entry opens.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CatalogueJson.h"
#include "MainWindowTestSupport.h"
#include "app/MainUnit.h"
#include "catalogue/CatalogueTables.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "pages/FormOpeners.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/Files.h"
#include "platform/LaunchServices.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

using cattest::Json;
using Path = std::vector<std::string>;
using Handler = void (TMainForm::*)(TObject*);

const Json* MenuTree() {
  static const std::unique_ptr<Json> tree = [] {
    const std::string path = cattest::SharedFilePath("menu/menu-tree.json");
    if (path.empty()) return std::unique_ptr<Json>();
    return std::make_unique<Json>(cattest::ParseJson(vntest::ReadFile(path)));
  }();
  return tree.get();
}

bool Has(const Json& j, const char* key) { return j.Obj().count(key) && !j[key].IsNull(); }
bool Bool(const Json& j) { return std::get<bool>(j.v); }
std::string Text(const Json& j) { return j.IsNull() ? std::string() : j.Str(); }

Path Strings(const Json& array) {
  Path out;
  for (const Json& s : array.Arr()) out.push_back(s.Str());
  return out;
}

std::string Joined(const Path& path) {
  std::string out;
  for (const std::string& p : path) out += (out.empty() ? "" : " > ") + p;
  return out;
}

// One item of the menu as the reference has it: a top-level menu, a
// sub-menu or an entry.
struct Node {
  Path path;
  const Json* top = nullptr;
  const Json* submenu = nullptr;
  const Json* entry = nullptr;
};

// Every item, depth first in menu order. The reference lists each menu's
// entries in order and its sub-menus apart: a sub-menu stands where its
// first entry does.
std::vector<Node> ReferenceItems(const Json& tree) {
  std::vector<Node> out;
  for (const Json& menu : tree["menus"].Arr()) {
    out.push_back({{menu["caption"].Str()}, &menu, nullptr, nullptr});
    std::map<Path, const Json*> submenus;
    for (const Json& s : menu["submenus"].Arr()) submenus[Strings(s["fullPath"])] = &s;
    std::set<Path> placed;
    for (const Json& e : menu["entries"].Arr()) {
      const Path path = Strings(e["fullPath"]);
      for (std::size_t n = 2; n < path.size(); ++n) {
        const Path above(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(n));
        if (!placed.insert(above).second) continue;
        EXPECT_TRUE(submenus.count(above)) << Joined(above);
        out.push_back({above, nullptr, submenus[above], nullptr});
      }
      out.push_back({path, nullptr, nullptr, &e});
    }
    EXPECT_EQ(placed.size(), submenus.size()) << menu["caption"].Str();
  }
  return out;
}

// Every item of the real menu, depth first; separators left out.
void RealItems(TMenuItem* item, Path& path, std::vector<std::pair<Path, TMenuItem*>>& out) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (child->IsLine()) continue;
    path.push_back(child->Caption().str());
    out.emplace_back(path, child);
    RealItems(child, path, out);
    path.pop_back();
  }
}

const std::map<std::string, Handler>& Handlers() {
  static const std::map<std::string, Handler> handlers = {
#define VN_MENU_HANDLER(name) {#name, &TMainForm::name},
#include "app/MainMenuHandlers.inc"
#undef VN_MENU_HANDLER
      {"RefreshPanel1Click", &TMainForm::RefreshPanel1Click},
      {"Help2Click", &TMainForm::Help2Click},
      {"About1Click", &TMainForm::About1Click},
      {"Bridge1Click", &TMainForm::Bridge1Click},
      {"FanTable1Click", &TMainForm::FanTable1Click},
      {"AgentSupportedConfigFiles1Click", &TMainForm::AgentSupportedConfigFiles1Click},
  };
  return handlers;
}

// The catalogue keys of the tables whose records the list holds.
std::set<std::string> TableKeysOf(const VnSNMPVarList& list) {
  auto same = [](const char* a, const char* b) {
    return std::string(a ? a : "") == std::string(b ? b : "");
  };
  std::set<std::string> keys;
  for (const CatalogueTable& t : CatalogueTables()) {
    if (CountDescriptors(t.Table) != list.Count()) continue;
    bool equal = true;
    for (int i = 0; i < list.Count() && equal; ++i) {
      const VnSNMPVarDesc* item = list.Item(i);
      equal = same(t.Table[i].Oid, item->Oid) && same(t.Table[i].Label, item->Label) &&
              t.Table[i].Syntax == item->Syntax;
    }
    if (equal) keys.insert(t.Key.str());
  }
  return keys;
}

// What a feature form's opener was given.
struct Opened {
  int count = 0;
  TComponent* owner = nullptr;
  AnsiString caption;
  AnsiString stpVersion;
};
Opened g_opened;
void RecordOpening(TComponent* owner, const AnsiString& caption) {
  ++g_opened.count;
  g_opened.owner = owner;
  g_opened.caption = caption;
  g_opened.stpVersion = MainForm->ST_STPVersion->Caption();
}

class MenuTreeTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    tree_ = MenuTree();
    if (!tree_) VN_REFERENCE_MISSING("menu tree: tests/app/mainwin/menu-tree.json");
    // SNMPv1, so that the pages read with SNMPv2c stand out.
    WriteConfig("", "127.0.0.1",
                {"AgentPort=" + std::to_string(Sim().Port()), "Version=0", "SecurityModel=1"});
    CreateMainWindow({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
    TestKit::ShowAndActivate(window_);
  }

  TNotifyEvent HandlerEvent(const Json& name) {
    const auto it = Handlers().find(name.Str());
    if (it == Handlers().end()) return TNotifyEvent();
    return TNotifyEvent(window_, it->second);
  }

  // The state a runtime rule of the reference gives the item after start-up.
  bool RuleValue(const std::string& value) const {
    if (value == "true" || value == "false") return value == "true";
    if (value == "SnmpVersion == 3") return SnmpVersion == 3;
    const AnsiString state = value.rfind("RMON state", 0) == 0 ? window_->ST_RmonState->Caption()
                                                               : window_->ST_8021xStatus->Caption();
    EXPECT_TRUE(state == "enabled" || state == "disabled") << value << ": " << state;
    return state == "enabled";
  }

  void CheckItem(const Node& node, TMenuItem* item) {
    const std::string where = Joined(node.path);
    const Json& row = node.top ? *node.top : node.submenu ? *node.submenu : *node.entry;
    if (Has(row, "component")) {
      EXPECT_EQ(item->Name().str(), row["component"].Str()) << where;
    }
    const bool hasHandler = !node.submenu && Has(row, "handler");
    EXPECT_EQ(static_cast<bool>(item->OnClick), hasHandler) << where;
    if (hasHandler) {
      EXPECT_TRUE(item->OnClick == HandlerEvent(row["handler"])) << where;
    }

    bool visible = node.entry ? !Bool(row["hidden"]) : true;
    bool enabled = true;
    for (const Json& rule : row["runtime"].Arr()) {
      const std::string property = rule["property"].Str();
      (property == "Visible" ? visible : enabled) = RuleValue(rule["value"].Str());
    }
    if (node.submenu && Bool(row["allEntriesHidden"])) {
      // Nothing to offer: the sub-menu is hidden, or all that it holds.
      bool offers = false;
      for (int i = 0; i < item->Count(); ++i) offers = offers || item->Items(i)->Visible();
      EXPECT_FALSE(item->Visible() && offers) << where;
    } else {
      EXPECT_EQ(item->Visible(), visible) << where;
    }
    EXPECT_EQ(item->Enabled(), enabled) << where;
  }

  // The page as the entry's row says: caption, kind, table, item type and
  // key count, Add and Delete, SNMP version, and the layout marks.
  void CheckPage(TConfigForm* page, const Json& opens, const std::string& where) {
    EXPECT_EQ(page->Caption().str(),
              opens["captionTitle"].Str() + Text(opens["separator"]) + "127.0.0.1")
        << where;
    const bool list = opens["page"].Str() == "list";
    EXPECT_EQ(page->FormType(), list ? TConfigForm::ftListView : TConfigForm::ftEditor) << where;
    ASSERT_TRUE(page->RequestList() && page->RequestList()->Count() == 1) << where;
    auto* request = static_cast<VnSNMPRequest2Edits*>(page->RequestList()->Items(0));
    const VnSNMPVarList& vars = request->Request.VarList;
    EXPECT_TRUE(TableKeysOf(vars).count(opens["key"].Str())) << where;
    EXPECT_EQ(static_cast<int>(vars.ItemType), opens["itemType"].Int()) << where;
    EXPECT_EQ(vars.KeyCount, static_cast<std::uint32_t>(opens["keyCount"].Int())) << where;
    EXPECT_EQ(request->Request.Security.Version, Bool(opens["flags"]["v2c"]) ? 1 : 0) << where;

    TSNMPEditorPanel* panel = nullptr;
    for (int i = 0; i < page->ControlCount() && !panel; ++i)
      panel = dynamic_cast<TSNMPEditorPanel*>(page->Controls(i));
    ASSERT_NE(panel, nullptr) << where;
    if (auto* listPanel = dynamic_cast<TSNMPListViewPanel*>(panel)) {
      const TListViewPanel* lv = listPanel->ListViewPanel;
      EXPECT_EQ(lv->AddStatusIndex, opens["add"]["index"].Int()) << where;
      EXPECT_EQ(lv->AddStatusText.str(), Text(opens["add"]["text"])) << where;
      EXPECT_EQ(lv->DeleteStatusIndex, opens["delete"]["index"].Int()) << where;
      EXPECT_EQ(lv->DeleteStatusText.str(), Text(opens["delete"]["text"])) << where;
    }
    bool relative = false;
    for (const Json& mark : opens["adjustments"].Arr())
      relative = relative || (Has(mark, "relative") && Bool(mark["relative"]));
    const Sizes bare = relative ? BareSizes(opens) : Sizes();
    TEditsPanel* rows = panel->EditsPanel;
    for (const Json& mark : opens["adjustments"].Arr()) {
      const std::string m = mark["mark"].Str();
      auto length = [&](const Json& j) {
        return Bool(j["scaled"])
                   ? static_cast<int>(static_cast<float>(j["value"].Int()) * window_->Scale)
                   : static_cast<int>(j["value"].Int());
      };
      const std::string what = where + " (" + mark["text"].Str() + ")";
      if (m == "H") {
        EXPECT_EQ(page->Height(), length(mark) + (Bool(mark["relative"]) ? bare.height : 0))
            << what;
      } else if (m == "W") {
        EXPECT_EQ(page->Width(), length(mark) + bare.width) << what;
      } else if (m == "EW") {
        EXPECT_EQ(rows->EditWidth, length(mark) + (Bool(mark["relative"]) ? bare.editWidth : 0))
            << what;
      } else if (m == "RW") {
        EXPECT_EQ(rows->EditWidth, length(mark)) << what;
      } else if (m == "RH") {
        EXPECT_EQ(rows->Height(), length(mark)) << what;
      } else if (m == "noEdit") {
        EXPECT_FALSE(panel->BtnPanel->EditBtn->Visible()) << what;
      } else if (m == "fmt") {
        EXPECT_EQ(rows->Row(static_cast<int>(mark["index"].Int())).EditFormat.str(),
                  mark["format"].Str())
            << what;
      } else if (m == "note") {
        ASSERT_NE(rows->NoteLabel, nullptr) << what;
        EXPECT_EQ(rows->NoteLabel->Caption().str(), mark["noteText"].Str()) << what;
        EXPECT_EQ(rows->NoteLabel->Font()->Color(), clRed) << what;
        EXPECT_EQ(rows->NoteLabel->Font()->Size(), mark["fontSize"].Int()) << what;
      } else {
        ADD_FAILURE() << what << ": unknown mark";
      }
    }
  }

  // The sizes of the same page without its layout marks.
  struct Sizes {
    int height = 0;
    int width = 0;
    int editWidth = 0;
  };
  static Sizes BareSizes(const Json& opens) {
    std::unique_ptr<TConfigForm> form(new TConfigForm(Application));
    auto request = std::make_unique<VnSNMPRequest2Edits>(form.get());
    const std::string key = opens["key"].Str();
    for (const CatalogueTable& t : CatalogueTables())
      if (t.Key.str() == key)
        request->Request.VarList =
            VnSNMPVarList(t.Table, static_cast<VnItemType>(opens["itemType"].Int()),
                          static_cast<std::uint32_t>(opens["keyCount"].Int()));
    TSNMPEditorPanel* panel = nullptr;
    if (opens["page"].Str() == "list") {
      const std::string add = Text(opens["add"]["text"]), del = Text(opens["delete"]["text"]);
      panel = form->AddListViewPanel(
          request.release(), static_cast<int>(opens["add"]["index"].Int()),
          add.empty() ? nullptr : add.c_str(), static_cast<int>(opens["delete"]["index"].Int()),
          del.empty() ? nullptr : del.c_str());
    } else {
      panel = form->AddEditorPanel(request.release());
    }
    Sizes s{form->Height(), form->Width(), 0};
    if (panel->EditsPanel && panel->EditsPanel->RowCount() > 0)
      s.editWidth = panel->EditsPanel->Row(0).EditCtrl->Width();
    return s;
  }

  // Chooses the entry (enabling it for the moment when start-up disabled
  // it) and checks what opens.
  void CheckOpening(const Json& row, TMenuItem* item, const std::string& where) {
    const Json& opens = row["opens"];
    const std::string kind = opens["kind"].Str();
    const Json* flags = Has(opens, "flags") ? &opens["flags"] : nullptr;
    window_->ST_STPVersion->SetCaption("");
    window_->ST_RmonState->SetCaption("");
    window_->ST_8021xStatus->SetCaption("");
    launcher_.Calls.clear();
    g_opened = Opened();
    const std::uint8_t version = SnmpVersion;
    bool pageSeen = false;
    AnsiString stpAtOpening;
    if (kind == "generic") {
      TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
        pageSeen = true;
        stpAtOpening = window_->ST_STPVersion->Caption();
        CheckPage(page, opens, where);
        page->Close();
      });
    } else if (kind == "form") {
      EXPECT_TRUE(RegisterFormOpener(opens["class"].Str().c_str(), &RecordOpening)) << where;
    } else if (kind == "special" && opens["which"].Str() == "refreshPanel") {
      boxes_.Expect("Refresh panel may take a long time. Are you sure?", mrCancel);
    } else if (kind == "special" && opens["which"].Str() == "help") {
      // No help file beside the test program.
      boxes_.Expect("The help file \"" + ExtractFilePath(Application->ExeName()) +
                    "KXR-5800-10 kelvane.hlp\" was not found.");
    } else if (kind == "special" && opens["which"].Str() == "about") {
      TestKit::OnNextModal([&](TCustomForm* f) {
        pageSeen = "T" + f->Name().str() == opens["form"]["class"].Str();
        f->Close();
      });
    }

    const bool enabled = item->Enabled();
    item->SetEnabled(true);
    try {
      item->Click();
    } catch (const Exception& e) {
      ADD_FAILURE() << where << ": " << e.Message;
    }
    item->SetEnabled(enabled);
    boxes_.Verify();

    if (kind == "generic") {
      EXPECT_TRUE(pageSeen) << where;
      EXPECT_EQ(SnmpVersion, version) << where;
      EXPECT_EQ(stpAtOpening != "", Bool((*flags)["stpFirst"])) << where;
      EXPECT_EQ(window_->ST_RmonState->Caption() != "", Bool((*flags)["rmonClose"])) << where;
      EXPECT_EQ(window_->ST_8021xStatus->Caption() != "", Bool((*flags)["dot1xAfter"])) << where;
    } else if (kind == "form") {
      UnregisterFormOpener(opens["class"].Str().c_str());
      EXPECT_EQ(g_opened.count, 1) << where;
      TComponent* owner =
          opens["owner"].Str() == "MainWindow" ? static_cast<TComponent*>(window_) : Application;
      EXPECT_EQ(g_opened.owner, owner) << where;
      EXPECT_EQ(g_opened.caption.str(),
                opens["captionTitle"].Str() + Text(opens["separator"]) + "127.0.0.1")
          << where;
      EXPECT_EQ(g_opened.stpVersion != "", Bool((*flags)["stpFirst"])) << where;
    } else if (kind == "viewer") {
      ASSERT_EQ(launcher_.Calls.size(), 1u) << where;
      EXPECT_EQ(launcher_.Calls[0].front().str(), opens["viewerName"].Str()) << where;
      EXPECT_EQ(launcher_.Calls[0].back().str(), opens["switch"].Str()) << where;
    } else if (kind == "special" && opens["which"].Str() == "about") {
      EXPECT_TRUE(pageSeen) << where;
    } else if (kind == "nothing") {
      EXPECT_TRUE(launcher_.Calls.empty()) << where;
    }
  }

  const Json* tree_ = nullptr;
  TRecordingLauncher launcher_;
  TestKit::DialogScript boxes_;
};

TEST_F(MenuTreeTest, EveryEntryAsTheReferenceHasIt) {
  const Json& counts = (*tree_)["counts"];
  const std::vector<Node> want = ReferenceItems(*tree_);
  std::vector<std::pair<Path, TMenuItem*>> real;
  Path path;
  RealItems(window_->MainMenu1->Items(), path, real);

  // Captions byte for byte, order and nesting: the same paths in the same
  // order.
  int entries = 0;
  for (const Node& n : want) entries += n.entry != nullptr;
  EXPECT_EQ(entries, counts["entries"].Int());
  ASSERT_EQ(real.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i)
    ASSERT_EQ(Joined(real[i].first), Joined(want[i].path)) << "item " << i;

  // Names, handlers and states after start-up.
  for (std::size_t i = 0; i < want.size(); ++i) CheckItem(want[i], real[i].second);

  // What each entry opens (the help entry's file: ViewerTest).
  TLauncherOverride launch(launcher_);
  registry_.CreateKey(
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
      "Paths\\kelvane51.exe");
  for (std::size_t i = 0; i < want.size(); ++i) {
    const Json* row = want[i].entry;
    if (want[i].top && Has(*want[i].top, "selfRow")) row = &(*want[i].top)["selfRow"];
    if (row && Has(*row, "handler")) CheckOpening(*row, real[i].second, Joined(want[i].path));
  }
}

}  // namespace
