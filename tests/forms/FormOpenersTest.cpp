// Every dedicated form's menu opener against the menu table: each form entry
// has an opener, which keeps the form in exactly the global form variable
// that the table names (or in none); every opener belongs to a form entry;
// and the table names the globals of the reference menu tree.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CatalogueJson.h"
#include "app/MainMenuTree.h"
#include "pages/FormOpeners.h"
#include "support/TestSupport.h"

namespace {

using cattest::Json;

std::string Name(const char* global) { return global ? global : "(none)"; }

struct TReferenceForm {
  std::string Class;
  std::string Global;  // "(none)" when the form has no global
};

// The reference's form entries, by their captions from the top level down
// (" > " between them, as the menu table writes its paths).
void CollectForms(const Json& node, std::map<std::string, TReferenceForm>& out) {
  if (std::holds_alternative<std::shared_ptr<Json::Array>>(node.v)) {
    for (const Json& item : node.Arr()) CollectForms(item, out);
    return;
  }
  if (!std::holds_alternative<std::shared_ptr<Json::Object>>(node.v)) return;
  const Json::Object& object = node.Obj();
  const auto opens = object.find("opens");
  if (opens != object.end() &&
      std::holds_alternative<std::shared_ptr<Json::Object>>(opens->second.v) &&
      opens->second["kind"].Str() == "form") {
    std::string path;
    for (const Json& caption : node["fullPath"].Arr())
      path += (path.empty() ? "" : " > ") + caption.Str();
    const Json& global = opens->second["global"];
    out[path] = {opens->second["class"].Str(), global.IsNull() ? "(none)" : global.Str()};
  }
  for (const auto& [key, value] : object) CollectForms(value, out);
}

const TMainMenuEntry* EntryAt(const std::string& path) {
  for (int i = 0; i < kMainMenuEntryCount; ++i)
    if (path == kMainMenuEntries[i].Path) return &kMainMenuEntries[i];
  return nullptr;
}

const TMainMenuEntry* FormEntryOf(const AnsiString& className) {
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    const TMainMenuEntry& e = kMainMenuEntries[i];
    if (e.Opens == TEntryOpens::Form && className == e.Target) return &e;
  }
  return nullptr;
}

TEST(FormOpeners, EveryMenuFormIsKeptInTheGlobalTheMenuNames) {
  int forms = 0;
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    const TMainMenuEntry& e = kMainMenuEntries[i];
    if (e.Opens != TEntryOpens::Form) continue;
    ++forms;
    EXPECT_NE(FindFormOpener(e.Target), nullptr) << e.Name;
    EXPECT_EQ(Name(FindFormOpenerGlobal(e.Target)), Name(e.Global)) << e.Name << " " << e.Target;
  }
  EXPECT_EQ(forms, 71);
  for (const AnsiString& className : FormOpenerClasses())
    EXPECT_NE(FormEntryOf(className), nullptr) << className.c_str() << " is opened by no entry";
}

TEST(FormOpeners, TheMenuTableNamesTheReferenceGlobals) {
  const std::string tree = cattest::SharedFilePath("menu/menu-tree.json");
  if (tree.empty()) VN_REFERENCE_MISSING("menu tree tests/app/mainwin/menu-tree.json");
  std::map<std::string, TReferenceForm> reference;
  CollectForms(cattest::ParseJson(vntest::ReadFile(tree)), reference);
  ASSERT_EQ(reference.size(), 71u);
  for (const auto& [path, form] : reference) {
    const TMainMenuEntry* e = EntryAt(path);
    ASSERT_NE(e, nullptr) << path;
    EXPECT_EQ(Name(e->Target), form.Class) << path;
    EXPECT_EQ(Name(e->Global), form.Global) << path;
  }
}

}  // namespace
