// Every form and generic page of the menu against the simulated switch (see
// FormChecker.h): one test per menu entry. A subset runs with a filter, for
// example --gtest_filter='*/Form_STPControl' or ctest -R 'FormRules.*List_'.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "CatalogueJson.h"
#include "CheckedForms.h"
#include "MenuWindow.h"
#include "PagesTestSupport.h"
#include "app/MainMenuTree.h"
#include "support/TestSupport.h"

namespace formcheck {
// The entry's name in the test's listing.
void PrintTo(const TEntry* entry, std::ostream* out) { *out << entry->Name; }
}  // namespace formcheck

namespace {

using formcheck::TEntry;

class FormRules : public PagesDeviceTest, public ::testing::WithParamInterface<const TEntry*> {};

TEST_P(FormRules, HoldOnEveryRowAndSeed) {
  const TEntry& entry = *GetParam();
  SCOPED_TRACE(entry.Path);
  const formcheck::TMenuWindow window(Sim());
  ASSERT_NE(window.Window(), nullptr) << "no main window to choose the entry in";
  formcheck::CheckEntry(entry, Sim());
}

std::vector<const TEntry*> Entries() {
  std::vector<const TEntry*> out;
  for (const TEntry& e : formcheck::MenuEntries()) out.push_back(&e);
  return out;
}

// The table holds every form entry and generic page of the menu once, each
// form entry with its own line, as many of each kind as the reference menu
// tree has.
TEST(FormRulesTable, ListsEveryFormAndPageOfTheMenu) {
  std::map<std::string, int> kinds;
  std::set<std::string> names, components;
  for (const TEntry& e : formcheck::MenuEntries()) {
    EXPECT_TRUE(names.insert(e.Name).second) << "two entries named " << e.Name;
    EXPECT_TRUE(components.insert(e.Component).second) << "two entries for " << e.Component;
    const TMainMenuEntry* m = FindMenuEntryByName(e.Component.c_str());
    ASSERT_NE(m, nullptr) << e.Path;
    kinds[m->Opens == TEntryOpens::Form ? "form"
          : m->Page.List                ? "generic/list"
                                        : "generic/editor"]++;
  }
  std::set<std::string> listed;
  for (const TEntry& e : formcheck::FeatureForms()) {
    const TMainMenuEntry* m = formcheck::MenuEntryAt(e.Path);
    EXPECT_TRUE(m && m->Opens == TEntryOpens::Form) << "no form entry " << e.Path;
    EXPECT_TRUE(listed.insert(e.Path).second) << "listed twice: " << e.Path;
  }
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    if (kMainMenuEntries[i].Opens == TEntryOpens::Form) {
      EXPECT_EQ(listed.count(kMainMenuEntries[i].Path), 1u)
          << "the table lacks " << kMainMenuEntries[i].Path;
    }
  }

  const std::string tree = cattest::SharedFilePath("menu/menu-tree.json");
  if (tree.empty()) VN_REFERENCE_MISSING("menu/menu-tree.json");
  const cattest::Json reference = cattest::ParseJson(vntest::ReadFile(tree));
  for (const char* kind : {"form", "generic/editor", "generic/list"})
    EXPECT_EQ(kinds[kind], reference["counts"]["byKind"][kind].Int()) << kind;
}

INSTANTIATE_TEST_SUITE_P(Menu, FormRules, ::testing::ValuesIn(Entries()),
                         [](const ::testing::TestParamInfo<const TEntry*>& param) {
                           return param.param->Name;
                         });

}  // namespace
