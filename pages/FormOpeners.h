// The dedicated feature forms that the main window's menu opens, by class
// name. A form's unit registers its opener once at start-up:
//
//   VN_REGISTER_FORM_OPENER(TVlanStaticForm, &VlanStaticForm);   // global form variable
//   VN_REGISTER_FORM_OPENER(TPortTrunkForm, nullptr);            // none
//
// The menu handler then calls the opener with the owner and the caption it
// has made (the form's title and the device address). An entry whose form
// has no opener yet shows a message box instead.
//
// The menu table (MainMenuTree.cpp) says which form keeps a global form
// variable and its name; a registration follows it, and the registry keeps
// the name it was given so that the two can be held against each other.
//
// Registration runs from a static initialiser, so every program that opens
// forms from the menu links the forms' library whole (kxr-module does).
#pragma once

#include <memory>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/Forms.h"

class TComponent;

// Creates the form with the owner, sets its caption, shows it modally and
// deletes it.
using TFormOpener = void (*)(TComponent* owner, const AnsiString& caption);

// False (and nothing changes) when the class already has an opener.
// `global` names the global form variable the opener keeps its form in.
bool RegisterFormOpener(const char* className, TFormOpener opener, const char* global = nullptr);
// Null when the class has none.
TFormOpener FindFormOpener(const AnsiString& className);
// The name of the global form variable of the class's opener; null when it
// keeps none or the class has no opener.
const char* FindFormOpenerGlobal(const AnsiString& className);
// Every class that has an opener, in name order.
std::vector<AnsiString> FormOpenerClasses();
// Removes a class's opener (tests).
void UnregisterFormOpener(const AnsiString& className);

// The variable's name in a registration's second argument: "&Name" gives
// "Name", "nullptr" gives null.
constexpr const char* FormGlobalName(const char* argument) {
  return argument[0] == '&' ? argument + 1 : nullptr;
}

// The text shown for a form that has no opener yet.
inline constexpr const char* kPageNotAvailable = "This page is not available in this version.";

// What an opener does for the form class T: a new form kept in `global`
// (when given) while it is shown modally, then deleted, and the global
// cleared, whatever happens.
template <class T>
void ShowFeatureForm(TComponent* owner, const AnsiString& caption, T** global) {
  struct Clear {
    T** g;
    ~Clear() {
      if (g) *g = nullptr;
    }
  } clear{global};
  std::unique_ptr<T> form(Create<T>(owner));
  if (global) *global = form.get();
  form->SetCaption(caption);
  form->ShowModal();
}

#define VN_FORM_OPENER_CONCAT2(a, b) a##b
#define VN_FORM_OPENER_CONCAT(a, b) VN_FORM_OPENER_CONCAT2(a, b)
#define VN_REGISTER_FORM_OPENER(Class, Global)                                          \
  static const bool VN_FORM_OPENER_CONCAT(vn_form_opener_, Class) = RegisterFormOpener( \
      #Class,                                                                           \
      [](TComponent* owner, const AnsiString& caption) {                                \
        ShowFeatureForm<Class>(owner, caption, Global);                                 \
      },                                                                                \
      FormGlobalName(#Global))
