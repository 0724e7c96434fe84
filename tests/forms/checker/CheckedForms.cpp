#include "CheckedForms.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "PagesTestSupport.h"
#include "app/MainMenuTree.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "pages/FormOpeners.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
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

TWrite PressButton(std::string caption) {
  return [caption](TOpen& open, const std::function<void()>& change, std::string& why) {
    if (TButton* all = ButtonOf(open.Form, "Check All"); all && all->Enabled()) TestKit::Click(all);
    if (change) change();
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
    return true;
  };
}

namespace {

// Ticks every row a list page's dialog offers for writing, as the user
// does one by one where the dialog has no Check All.
void TickEveryRow(TWinControl* window) {
  for (int i = 0; i < window->ControlCount(); ++i) {
    TControl* c = window->Controls(i);
    if (auto* rows = dynamic_cast<TEditsPanel*>(c)) {
      for (int r = 0; r < rows->RowCount(); ++r) {
        TCheckBox* box = rows->Row(r).CheckBox;
        if (box && box->Showing() && box->Enabled() && !box->Checked()) TestKit::Click(box);
      }
    } else if (auto* inner = dynamic_cast<TWinControl*>(c)) {
      TickEveryRow(inner);
    }
  }
}

}  // namespace

TWrite ThroughDialog(std::string caption, std::vector<std::string> ticks) {
  return [caption, ticks](TOpen& open, const std::function<void()>& change, std::string& why) {
    TButton* button = ButtonOf(open.Form, caption.c_str());
    if (!button || !button->Enabled()) {
      why = "\"" + caption + "\" is " + (button ? "disabled" : "not on the screen");
      return false;
    }
    bool shown = false;
    TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* dialog) {
      shown = true;
      if (TButton* all = ButtonOf(dialog, "Check All"); all && all->Enabled())
        TestKit::Click(all);
      else
        TickEveryRow(dialog);
      for (const std::string& name : ticks)
        if (auto* box = dynamic_cast<TCheckBox*>(dialog->FindComponent(name.c_str()));
            box && box->Showing() && box->Enabled() && !box->Checked())
          TestKit::Click(box);
      if (change) change();
      TButton* write = ButtonOf(dialog, "Set Checked");
      if (!write) write = ButtonOf(dialog, "Set");
      QueueProgressDialogs();
      if (write && write->Enabled())
        TestKit::Click(write);
      else
        why = std::string("the dialog's Set is ") + (write ? "disabled" : "missing");
      if (dialog->ModalResult() == mrNone) dialog->Close();
    }));
    TestKit::Click(button);
    if (!shown) why = "\"" + caption + "\" opened no dialog";
    return shown && why.empty();
  };
}

TWrite PressOnly(std::string caption) {
  return [caption](TOpen& open, const std::function<void()>&, std::string& why) {
    TButton* button = ButtonOf(open.Form, caption.c_str());
    if (!button || !button->Enabled()) {
      why = "\"" + caption + "\" is " + (button ? "disabled" : "not on the screen");
      return false;
    }
    QueueProgressDialogs();
    TestKit::Click(button);
    return true;
  };
}

void OpenFeatureForm(const std::string& path,
                     const std::function<void(TCustomForm*, TOpen&)>& collect,
                     const std::function<void(TOpen&)>& body) {
  const TMainMenuEntry* entry = MenuEntryAt(path);
  ASSERT_NE(entry, nullptr) << "no menu entry " << path;
  const TFormOpener opener = FindFormOpener(entry->Target);
  ASSERT_NE(opener, nullptr) << entry->Target << " has no opener";
  bool shown = false;
  TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* form) {
    shown = true;
    TOpen open;
    open.Form = form;
    collect(form, open);
    if (open.Requests.empty()) {
      ADD_FAILURE() << entry->Target << ": the table names no request of the form";
      form->Close();
      return;
    }
    for (VnSNMPRequest2Edits* r : open.Requests) {
      if (!open.List && r->ListView && r->ListView->Showing()) open.List = r->ListView;
      if (open.List && r->ListView == open.List) open.RowRequest = r;
    }
    if (open.List && !open.List->Showing()) open.List = nullptr;
    body(open);
    EXPECT_TRUE(WaitQuiet(open)) << "the form is still busy when it is closed";
    form->Close();
  }));
  opener(Application, AnsiString(entry->Title ? entry->Title : "") + "127.0.0.1");
  EXPECT_TRUE(shown) << entry->Target << " was not shown";
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

TEntry PageEntry(const TMainMenuEntry& e) {
  TEntry entry;
  entry.Path = e.Path;
  entry.Component = e.Name;
  entry.Name = (e.Page.List ? "List_" : "Page_") + TestNameOf(e.Path, e.Name);
  const TPageSpec spec = e.Page;
  const unsigned marks = e.Marks;
  const std::string title = std::string(e.Title ? e.Title : "") + "127.0.0.1";
  if (!WritesSomething(spec))
    entry.CannotDrive = "a read-only table: the page writes no column";
  else if (spec.List && (marks & emNoEdit))
    entry.CannotDrive = "the page has no Edit: its rows are added and deleted only";
  entry.Write = spec.List ? ThroughDialog("Edit") : PressButton("Set Checked|Set");
  if (spec.List && spec.DeleteIndex >= 0) entry.Delete = PressOnly("Delete");
  entry.Open = [spec, marks, title](const std::function<void(TOpen&)>& body) {
    // Built as the menu handler builds it.
    Page page = spec.List
                    ? MakeListPage(spec.Table, spec.ItemType, static_cast<int>(spec.KeyCount),
                                   spec.AddIndex, spec.AddText, spec.DeleteIndex, spec.DeleteText)
                    : MakeEditorPage(spec.Table, spec.ItemType, static_cast<int>(spec.KeyCount));
    std::unique_ptr<TConfigForm> form(page.Form);
    if ((marks & emNoEdit) && page.List) {
      page.List->BtnPanel->EditBtn->Hide();
      page.List->BtnPanel->ArrangeButtons();
    }
    for (const TVarFormat& f : spec.Formats)
      if (f.Format) page.Editor->SetVarFormat(f.Row, f.Format);
    if ((marks & emNote) && page.Editor->EditsPanel)
      page.Editor->EditsPanel->ShowNote("Note:Each bit means one VID unit in VLAN range list!",
                                        clRed, 10);
    TestKit::OnNextModal(TestKit::ModalScript([&](TCustomForm* shown) {
      TOpen open;
      open.Form = shown;
      open.Requests = {page.Request};
      if (page.List) {
        open.List = page.List->ListViewPanel->ListView;
        open.RowRequest = page.Request;
      }
      body(open);
      EXPECT_TRUE(WaitQuiet(open)) << "the page is still busy when it is closed";
      shown->Close();
    }));
    form->SetCaption(AnsiString(title.c_str()));
    form->ShowModal();
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
