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
// Registration runs from a static initialiser, so every program that opens
// forms from the menu links the forms' library whole (kxr-module does).
#pragma once

#include <memory>

#include "platform/AnsiString.h"
#include "platform/Forms.h"

class TComponent;

// Creates the form with the owner, sets its caption, shows it modally and
// deletes it.
using TFormOpener = void (*)(TComponent* owner, const AnsiString& caption);

// False (and nothing changes) when the class already has an opener.
bool RegisterFormOpener(const char* className, TFormOpener opener);
// Null when the class has none.
TFormOpener FindFormOpener(const AnsiString& className);
// Removes a class's opener (tests).
void UnregisterFormOpener(const AnsiString& className);

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
#define VN_REGISTER_FORM_OPENER(Class, Global)                                      \
  static const bool VN_FORM_OPENER_CONCAT(vn_form_opener_, Class) =                 \
      RegisterFormOpener(#Class, [](TComponent* owner, const AnsiString& caption) { \
        ShowFeatureForm<Class>(owner, caption, Global);                             \
      })
