#include "CheckedForms.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>

#include "FormView.h"
#include "MenuWindow.h"
#include "app/MainMenuTree.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace formcheck {

namespace {

bool OpensSomething(const TMainMenuEntry& e) {
  return e.Opens == TEntryOpens::Form || e.Opens == TEntryOpens::Page;
}

std::vector<std::string> CaptionsOf(const std::string& path) {
  std::vector<std::string> captions;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = path.find(" > ", from);
    captions.push_back(path.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return captions;
    from = at + 3;
  }
}

std::string CamelCase(const std::string& caption) {
  std::string out;
  bool start = true;
  for (char c : caption) {
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      start = true;
      continue;
    }
    out += start ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    start = false;
  }
  return out;
}

// The name of the last `n` captions.
std::string NameFrom(const std::vector<std::string>& captions, std::size_t n) {
  std::string name;
  for (std::size_t i = captions.size() - std::min(n, captions.size()); i < captions.size(); ++i)
    name += CamelCase(captions[i]);
  return name;
}

}  // namespace

const TMainMenuEntry* MenuEntryAt(const std::string& path) {
  for (int i = 0; i < kMainMenuEntryCount; ++i)
    if (path == kMainMenuEntries[i].Path) return &kMainMenuEntries[i];
  return nullptr;
}

std::string TestNameOf(const std::string& path, const std::string& component) {
  // Two entries of one path (one of them hidden) are told apart by their
  // components.
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    const TMainMenuEntry& e = kMainMenuEntries[i];
    if (OpensSomething(e) && path == e.Path && !component.empty() && component != e.Name)
      return TestNameOf(path, "") + "_" + component;
  }
  const std::vector<std::string> captions = CaptionsOf(path);
  for (std::size_t n = 1; n <= captions.size(); ++n) {
    const std::string name = NameFrom(captions, n);
    bool unique = true;
    for (int i = 0; i < kMainMenuEntryCount && unique; ++i) {
      const TMainMenuEntry& e = kMainMenuEntries[i];
      if (OpensSomething(e) && path != e.Path && NameFrom(CaptionsOf(e.Path), n) == name)
        unique = false;
    }
    if (unique) return name;
  }
  return NameFrom(captions, captions.size());
}

void CloseDialog(TCustomForm* dialog) {
  if (dialog->ModalResult() != mrNone) return;
  if (TButton* close = ButtonOf(dialog, "Close"); close && close->Enabled())
    TestKit::Click(close);
  else
    dialog->Close();
}

namespace {

// Closes the form as the user does; a form that refuses is reported (with
// the boxes it showed) and closed all the same, once the loop has run its
// close handlers. `refused` outlives the form.
void CloseAsTheUser(TCustomForm* form, const std::shared_ptr<bool>& refused) {
  TCloseQueryEvent own = form->OnCloseQuery;
  form->OnCloseQuery = TCloseQueryEvent([own, refused](TObject* sender, bool& canClose) {
    if (own) own(sender, canClose);
    if (!canClose) *refused = true;
    canClose = true;
  });
  if (TButton* close = ButtonOf(form, "Close"); close && close->Enabled())
    TestKit::Click(close);
  else
    form->Close();
}

}  // namespace

namespace {

// Each row of a page's edits in the window.
void ForEachRow(TWinControl* window, const std::function<void(TEditsPanel&, int)>& row) {
  for (int i = 0; i < window->ControlCount(); ++i) {
    TControl* c = window->Controls(i);
    if (auto* rows = dynamic_cast<TEditsPanel*>(c)) {
      for (int r = 0; r < rows->RowCount(); ++r) row(*rows, r);
    } else if (auto* inner = dynamic_cast<TWinControl*>(c)) {
      ForEachRow(inner, row);
    }
  }
}

bool Tickable(TCheckBox* box) { return box && box->Showing() && box->Enabled(); }

// A write of the one row its change ticks: every other row unticked first.
void UntickEveryRow(TWinControl* window) {
  if (TButton* clear = ButtonOf(window, "Clear Checks"); clear && clear->Enabled())
    TestKit::Click(clear);
  ForEachRow(window, [](TEditsPanel& rows, int r) {
    TCheckBox* box = rows.Row(r).CheckBox;
    if (Tickable(box) && box->Checked()) TestKit::Click(box);
  });
}

}  // namespace

TWrite PressButton(std::string caption, bool page) {
  return [caption, page](TOpen& open, const TPress& press, std::string& why) {
    TButton* all = ButtonOf(open.Form, "Check All");
    if (!press.Partial && all && all->Enabled()) TestKit::Click(all);
    if (press.Partial && page) UntickEveryRow(open.Form);
    if (press.Change) press.Change();
    // "A|B": the first of the captions on the screen.
    TButton* button = nullptr;
    for (std::size_t from = 0; !button && from <= caption.size();) {
      const std::size_t bar = std::min(caption.find('|', from), caption.size());
      button = ButtonOf(open.Form, caption.substr(from, bar - from).c_str());
      from = bar + 1;
    }
    if (!button) {
      why = "no button \"" + caption + "\" on the screen";
      return false;
    }
    if (!button->Enabled()) {
      why = "\"" + caption + "\" is disabled";
      return false;
    }
    QueueProgressDialogs();
    TestKit::Click(button);
    if (press.After) {
      WaitQuiet(open);
      press.After(open.Form);
    }
    return true;
  };
}

void TickEveryRow(TWinControl* window) {
  ForEachRow(window, [](TEditsPanel& rows, int r) {
    TCheckBox* box = rows.Row(r).CheckBox;
    if (Tickable(box) && !box->Checked()) TestKit::Click(box);
  });
}

TWrite ThroughDialog(std::string caption, std::vector<std::string> ticks) {
  return [caption, ticks](TOpen& open, const TPress& press, std::string& why) {
    TButton* button = ButtonOf(open.Form, caption.c_str());
    if (!button || !button->Enabled()) {
      why = "\"" + caption + "\" is " + (button ? "disabled" : "not on the screen");
      return false;
    }
    bool shown = false;
    TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* dialog) {
      shown = true;
      if (!press.Partial) {
        if (TButton* all = ButtonOf(dialog, "Check All"); all && all->Enabled())
          TestKit::Click(all);
        else
          TickEveryRow(dialog);
      }
      for (const std::string& name : ticks)
        if (auto* box = dynamic_cast<TCheckBox*>(dialog->FindComponent(name.c_str()));
            box && box->Showing() && box->Enabled() && !box->Checked())
          TestKit::Click(box);
      if (press.Change) press.Change();
      TButton* write = ButtonOf(dialog, "Set Checked");
      if (!write) write = ButtonOf(dialog, "Set");
      QueueProgressDialogs();
      if (write && write->Enabled())
        TestKit::Click(write);
      else
        why = std::string("the dialog's Set is ") + (write ? "disabled" : "missing");
      if (press.After) {
        WaitQuiet(open);
        press.After(dialog);
      }
      TestKit::ClearModalScripts();
      CloseDialog(dialog);
    }));
    TestKit::Click(button);
    if (!shown) why = "\"" + caption + "\" opened no dialog";
    return shown && why.empty();
  };
}

TWrite PressOnly(std::string caption) {
  return [caption](TOpen& open, const TPress& press, std::string& why) {
    TButton* button = ButtonOf(open.Form, caption.c_str());
    if (!button || !button->Enabled()) {
      why = "\"" + caption + "\" is " + (button ? "disabled" : "not on the screen");
      return false;
    }
    QueueProgressDialogs();
    TestKit::Click(button);
    if (press.After) {
      WaitQuiet(open);
      press.After(open.Form);
    }
    return true;
  };
}

namespace {

// Shows the entry's form with its menu item's handler, runs the body on it
// and closes it as the user does.
void ShowThroughMenu(const TMainMenuEntry& entry, const std::function<void(TCustomForm*)>& body) {
  bool shown = false;
  auto refused = std::make_shared<bool>(false);
  TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* form) {
    shown = true;
    body(form);
    TestKit::ClearModalScripts();
    CloseAsTheUser(form, refused);
  }));
  ASSERT_TRUE(RunMenuHandler(entry)) << entry.Path << ": no menu window to choose it in";
  TestKit::ClearModalScripts();
  EXPECT_TRUE(shown) << entry.Path << " was not shown";
  EXPECT_FALSE(*refused) << entry.Path << ": Close did not close the form";
}

}  // namespace

void OpenFeatureForm(const std::string& path,
                     const std::function<void(TCustomForm*, TOpen&)>& collect,
                     const std::function<void(TOpen&)>& body) {
  const TMainMenuEntry* entry = MenuEntryAt(path);
  ASSERT_NE(entry, nullptr) << "no menu entry " << path;
  ShowThroughMenu(*entry, [&](TCustomForm* form) {
    TOpen open;
    open.Form = form;
    collect(form, open);
    if (open.Requests.empty()) {
      ADD_FAILURE() << entry->Target << ": the table names no request of the form";
      return;
    }
    for (VnSNMPRequest2Edits* r : open.Requests) {
      if (!open.List && r->ListView && r->ListView->Showing()) open.List = r->ListView;
      if (open.List && r->ListView == open.List) open.RowRequest = r;
    }
    if (open.List && !open.List->Showing()) open.List = nullptr;
    body(open);
    EXPECT_TRUE(WaitQuiet(open)) << "the form is still busy when it is closed";
  });
}

namespace {

bool WritesSomething(const TPageSpec& spec) {
  const VnSNMPVarList list(spec.Table, spec.ItemType, spec.KeyCount);
  for (int i = spec.List ? static_cast<int>(spec.KeyCount) : 0; i < list.Count(); ++i) {
    const std::uint32_t access = list.Item(i)->Access;
    if (i != spec.AddIndex && (access & SNMP_ACCESS_WRITEONLY) && !(access & SNMP_ACCESS_DERIVED))
      return true;
  }
  return false;
}

TSNMPEditorPanel* PanelOf(TWinControl* page) {
  for (int i = 0; i < page->ControlCount(); ++i)
    if (auto* p = dynamic_cast<TSNMPEditorPanel*>(page->Controls(i))) return p;
  return nullptr;
}

// Why Add is not driven with typed values on a generic page, by its entry.
const std::pair<const char*, const char*> kPagesNoAdd[] = {
    {"List_TrapManagerTable",
     "the switch keeps a fixed set of trap managers: Add enables one by its index, and a new "
     "index is refused (noCreation), which the page shows"},
};

TEntry PageEntry(const TMainMenuEntry& e) {
  TEntry entry;
  entry.Path = e.Path;
  entry.Component = e.Name;
  entry.Name = (e.Page.List ? "List_" : "Page_") + TestNameOf(e.Path, e.Name);
  const TPageSpec& spec = e.Page;
  const bool edits = WritesSomething(spec) && !(spec.List && (e.Marks & emNoEdit));
  if (edits) {
    entry.Write = spec.List ? ThroughDialog("Edit") : PressButton("Set Checked|Set", true);
    if (spec.List) entry.Dialogs.push_back("Edit");
  }
  if (spec.List && spec.DeleteIndex >= 0) entry.Delete = PressOnly("Delete");
  if (!edits && !entry.Delete && !(spec.List && spec.AddIndex >= 0))
    entry.CannotDrive = WritesSomething(spec) ? "the page has no Edit, Add or Delete"
                                              : "a read-only table: the page writes no column";
  entry.Page = true;
  for (const auto& [name, why] : kPagesNoAdd)
    if (entry.Name == name) entry.NoAdd = why;
  for (const TVarFormat& f : spec.Formats)
    if (f.Format) entry.Formats.push_back({f.Row, f.Format});
  const TMainMenuEntry* menu = &e;
  entry.Open = [menu](const std::function<void(TOpen&)>& body) {
    ShowThroughMenu(*menu, [&](TCustomForm* shown) {
      auto* page = dynamic_cast<TConfigForm*>(shown);
      TSNMPEditorPanel* panel = page ? PanelOf(page) : nullptr;
      TList* requests = page ? page->RequestList() : nullptr;
      if (!panel || !requests || requests->Count() == 0) {
        ADD_FAILURE() << menu->Path << ": the menu opened no page";
        return;
      }
      TOpen open;
      open.Form = shown;
      open.Requests = {static_cast<VnSNMPRequest2Edits*>(requests->Items(0))};
      if (auto* list = dynamic_cast<TSNMPListViewPanel*>(panel)) {
        open.List = list->ListViewPanel->ListView;
        open.RowRequest = open.Requests.front();
      }
      body(open);
      EXPECT_TRUE(WaitQuiet(open)) << "the page is still busy when it is closed";
    });
  };
  return entry;
}

}  // namespace

const std::vector<TEntry>& MenuEntries() {
  static const std::vector<TEntry> entries = [] {
    std::vector<TEntry> forms = FeatureForms();
    std::vector<TEntry> all;
    for (int i = 0; i < kMainMenuEntryCount; ++i) {
      const TMainMenuEntry& e = kMainMenuEntries[i];
      if (e.Opens == TEntryOpens::Page) {
        all.push_back(PageEntry(e));
      } else if (e.Opens == TEntryOpens::Form) {
        auto found = std::find_if(forms.begin(), forms.end(),
                                  [&](const TEntry& f) { return f.Path == e.Path; });
        if (found != forms.end()) {
          all.push_back(*found);
          all.back().Component = e.Name;
        } else {
          TEntry missing;
          missing.Path = e.Path;
          missing.Name = "Form_" + TestNameOf(e.Path, e.Name);
          missing.Component = e.Name;
          missing.Open = [path = missing.Path](const std::function<void(TOpen&)>&) {
            ADD_FAILURE() << "the checker's table lacks the form of " << path;
          };
          all.push_back(missing);
        }
      }
    }
    return all;
  }();
  return entries;
}

}  // namespace formcheck
