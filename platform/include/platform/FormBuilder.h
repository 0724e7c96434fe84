// Writing a form's resource as code: a form's InitComponents creates its
// components in resource order (which is also the tab order) and sets their
// properties and handlers, with the form in the loading state so that no
// event fires meanwhile.
//
//   void TPortTrunkForm::InitComponents() {
//     TFormBuilder B(this);
//     B.Form().Caption("Port Trunking").ClientSize(705, 355).Position(poScreenCenter)
//         .BorderStyle(bsSingle).OnClose(this, &TPortTrunkForm::FormClose);
//     B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
//     B.Add(BT_Get, "BT_Get", Panel1).At(10, 10, 96, 25).Caption("Get")
//         .OnClick(this, &TPortTrunkForm::BT_GetClick);
//     B.Add(ED_Index, "ED_Index").At(100, 8).MaxLength(4);
//     B.Add(cbxState, "cbxState").At(100, 36).Style(csDropDownList)
//         .Items({"enabled", "disabled"});
//     B.Add(Timer1, "Timer1").Interval(5000).OnTimer(this, &TPortTrunkForm::Timer1Timer);
//   }
//
// Every component is owned by the form. A control's parent is the one given
// to Add, else the builder's current parent (the form, or what Parent()
// chose). Setters exist only where the class has the property; anything else
// is reached through `->`.
#pragma once

#include <initializer_list>
#include <type_traits>

#include "platform/Component.h"
#include "platform/Controls.h"
#include "platform/Forms.h"

// Chained property setters for one component of type T.
template <class T>
class TBuild {
 public:
  explicit TBuild(T* c) : c_(c) {}
  T* operator->() const { return c_; }
  T* Get() const { return c_; }

  // ---- bounds and layout (controls)
  TBuild& At(int left, int top) requires std::is_base_of_v<TControl, T> {
    c_->SetBounds(left, top, c_->Width(), c_->Height());
    return *this;
  }
  TBuild& At(int left, int top, int width) requires std::is_base_of_v<TControl, T> {
    c_->SetBounds(left, top, width, c_->Height());
    return *this;
  }
  TBuild& At(int left, int top, int width, int height) requires std::is_base_of_v<TControl, T> {
    c_->SetBounds(left, top, width, height);
    return *this;
  }
  TBuild& Size(int width, int height) requires std::is_base_of_v<TControl, T> {
    c_->SetBounds(c_->Left(), c_->Top(), width, height);
    return *this;
  }
  TBuild& Width(int v) requires std::is_base_of_v<TControl, T> {
    c_->SetWidth(v);
    return *this;
  }
  TBuild& Height(int v) requires std::is_base_of_v<TControl, T> {
    c_->SetHeight(v);
    return *this;
  }
  TBuild& ClientSize(int width, int height) requires std::is_base_of_v<TControl, T> {
    c_->SetClientWidth(width);
    c_->SetClientHeight(height);
    return *this;
  }
  TBuild& Align(TAlign a) requires std::is_base_of_v<TControl, T> {
    c_->SetAlign(a);
    return *this;
  }

  // ---- state and looks (controls)
  TBuild& Caption(const AnsiString& v) requires requires(T* x, AnsiString s) { x->SetCaption(s); }
  {
    c_->SetCaption(v);
    return *this;
  }
  TBuild& Text(const AnsiString& v) requires std::is_base_of_v<TControl, T> {
    c_->SetText(v);
    return *this;
  }
  TBuild& Visible(bool v) requires requires(T* x, bool v) { x->SetVisible(v); }
  {
    c_->SetVisible(v);
    return *this;
  }
  TBuild& Hidden() requires requires(T* x) { x->SetVisible(false); }
  { return Visible(false); }
  TBuild& Enabled(bool v) requires requires(T* x, bool v) { x->SetEnabled(v); }
  {
    c_->SetEnabled(v);
    return *this;
  }
  TBuild& Tag(int v) {
    c_->SetTag(v);
    return *this;
  }
  TBuild& Hint(const AnsiString& v, bool show = true) requires std::is_base_of_v<TControl, T> {
    c_->SetHint(v);
    c_->SetShowHint(show);
    return *this;
  }
  TBuild& Color(TColor v) requires std::is_base_of_v<TControl, T> {
    c_->SetColor(v);
    return *this;
  }
  // Name, height (negative: pixels) and styles (fsBold ...).
  TBuild& Font(const AnsiString& name, int height,
               TFontStyles style = 0) requires std::is_base_of_v<TControl, T> {
    c_->Font()->SetName(name);
    c_->Font()->SetHeight(height);
    c_->Font()->SetStyle(style);
    return *this;
  }
  TBuild& FontColor(TColor v) requires std::is_base_of_v<TControl, T> {
    c_->Font()->SetColor(v);
    return *this;
  }
  TBuild& FontSize(int points) requires std::is_base_of_v<TControl, T> {
    c_->Font()->SetSize(points);
    return *this;
  }
  TBuild& Bold() requires std::is_base_of_v<TControl, T> {
    c_->Font()->SetStyle(c_->Font()->Style() | fsBold);
    return *this;
  }
  TBuild& TabStop(bool v) requires std::is_base_of_v<TWinControl, T> {
    c_->SetTabStop(v);
    return *this;
  }
  TBuild& TabOrder(int v) requires std::is_base_of_v<TWinControl, T> {
    c_->SetTabOrder(v);
    return *this;
  }
  TBuild& BorderWidth(int v) requires std::is_base_of_v<TWinControl, T> {
    c_->SetBorderWidth(v);
    return *this;
  }
  TBuild& PopupMenu(TPopupMenu* m) requires std::is_base_of_v<TControl, T> {
    c_->SetPopupMenu(m);
    return *this;
  }

  // ---- properties of some classes only
  TBuild& MaxLength(int v) requires requires(T* x, int v) { x->SetMaxLength(v); }
  {
    c_->SetMaxLength(v);
    return *this;
  }
  TBuild& ReadOnly(bool v = true) requires requires(T* x, bool v) { x->SetReadOnly(v); }
  {
    c_->SetReadOnly(v);
    return *this;
  }
  template <class S>
  TBuild& Style(S v) requires requires(T* x, S v) {
    x->SetStyle(v);
  }
  {
    c_->SetStyle(v);
    return *this;
  }
  TBuild& Items(std::initializer_list<const char*> items) requires requires(T* x) {
    x->Items()->Add(AnsiString());
  }
  {
    for (const char* s : items) c_->Items()->Add(s);
    return *this;
  }
  TBuild& Lines(std::initializer_list<const char*> lines) requires requires(T* x) {
    x->Lines()->Add(AnsiString());
  }
  {
    for (const char* s : lines) c_->Lines()->Add(s);
    return *this;
  }
  TBuild& ItemIndex(int v) requires requires(T* x, int v) { x->SetItemIndex(v); }
  {
    c_->SetItemIndex(v);
    return *this;
  }
  TBuild& Checked(bool v = true) requires requires(T* x, bool v) { x->SetChecked(v); }
  {
    c_->SetChecked(v);
    return *this;
  }
  TBuild& AutoSize(bool v) requires requires(T* x, bool v) { x->SetAutoSize(v); }
  {
    c_->SetAutoSize(v);
    return *this;
  }
  TBuild& Alignment(TAlignment v) requires requires(T* x, TAlignment v) { x->SetAlignment(v); }
  {
    c_->SetAlignment(v);
    return *this;
  }
  template <class B>
  TBuild& BorderStyle(B v) requires requires(T* x, B v) {
    x->SetBorderStyle(v);
  }
  {
    c_->SetBorderStyle(v);
    return *this;
  }
  TBuild& BevelInner(TBevelCut v) requires requires(T* x, TBevelCut v) { x->SetBevelInner(v); }
  {
    c_->SetBevelInner(v);
    return *this;
  }
  TBuild& BevelOuter(TBevelCut v) requires requires(T* x, TBevelCut v) { x->SetBevelOuter(v); }
  {
    c_->SetBevelOuter(v);
    return *this;
  }
  TBuild& ModalResult(TModalResult v) requires requires(T* x, TModalResult v) {
    x->SetModalResult(v);
  }
  {
    c_->SetModalResult(v);
    return *this;
  }
  TBuild& Default(bool v = true) requires requires(T* x, bool v) { x->SetDefault(v); }
  {
    c_->SetDefault(v);
    return *this;
  }
  TBuild& Cancel(bool v = true) requires requires(T* x, bool v) { x->SetCancel(v); }
  {
    c_->SetCancel(v);
    return *this;
  }
  TBuild& AutoScroll(bool v) requires requires(T* x, bool v) { x->SetAutoScroll(v); }
  {
    c_->SetAutoScroll(v);
    return *this;
  }
  TBuild& Interval(unsigned ms) requires requires(T* x, unsigned ms) { x->SetInterval(ms); }
  {
    c_->SetInterval(ms);
    return *this;
  }
  TBuild& Stretch(bool v = true) requires requires(T* x, bool v) { x->SetStretch(v); }
  {
    c_->SetStretch(v);
    return *this;
  }
  TBuild& Range(int min, int max) requires requires(T* x, int min, int max) {
    x->SetMin(min);
    x->SetMax(max);
  }
  {
    c_->SetMin(min);
    c_->SetMax(max);
    return *this;
  }
  // List-view columns: caption and width (0 hidden, -2 fitted to the header).
  struct Column {
    const char* Caption;
    int Width;
  };
  TBuild& Columns(std::initializer_list<Column> columns) requires requires(T* x) {
    x->Columns()->Add();
  }
  {
    for (const Column& col : columns) {
      auto* c = c_->Columns()->Add();
      c->SetCaption(col.Caption);
      c->SetWidth(col.Width);
    }
    return *this;
  }
  // Status-bar panels of these widths.
  TBuild& Panels(std::initializer_list<int> widths) requires requires(T* x) { x->Panels()->Add(); }
  {
    for (int w : widths) c_->Panels()->Add()->SetWidth(w);
    return *this;
  }
  // Tab sheets: the page control they belong to.
  template <class P>
  TBuild& PageControl(P* pc) requires requires(T* x, P* pc) {
    x->SetPageControl(pc);
  }
  {
    c_->SetPageControl(pc);
    return *this;
  }
  // Forms.
  TBuild& Position(TPosition v) requires std::is_base_of_v<TCustomForm, T> {
    c_->SetPosition(v);
    return *this;
  }
  TBuild& BorderIcons(TBorderIcons v) requires std::is_base_of_v<TCustomForm, T> {
    c_->SetBorderIcons(v);
    return *this;
  }

  // ---- events: an object and its method, or a ready closure
  template <class... H>
  TBuild& OnClick(H... h) requires requires(T* x) {
    x->OnClick;
  }
  { return Bind(c_->OnClick, h...); }
  template <class... H>
  TBuild& OnDblClick(H... h) requires requires(T* x) {
    x->OnDblClick;
  }
  { return Bind(c_->OnDblClick, h...); }
  template <class... H>
  TBuild& OnChange(H... h) requires requires(T* x) {
    x->OnChange;
  }
  { return Bind(c_->OnChange, h...); }
  template <class... H>
  TBuild& OnEnter(H... h) requires requires(T* x) {
    x->OnEnter;
  }
  { return Bind(c_->OnEnter, h...); }
  template <class... H>
  TBuild& OnExit(H... h) requires requires(T* x) {
    x->OnExit;
  }
  { return Bind(c_->OnExit, h...); }
  template <class... H>
  TBuild& OnKeyPress(H... h) requires requires(T* x) {
    x->OnKeyPress;
  }
  { return Bind(c_->OnKeyPress, h...); }
  template <class... H>
  TBuild& OnKeyDown(H... h) requires requires(T* x) {
    x->OnKeyDown;
  }
  { return Bind(c_->OnKeyDown, h...); }
  template <class... H>
  TBuild& OnMouseMove(H... h) requires requires(T* x) {
    x->OnMouseMove;
  }
  { return Bind(c_->OnMouseMove, h...); }
  template <class... H>
  TBuild& OnSelectItem(H... h) requires requires(T* x) {
    x->OnSelectItem;
  }
  { return Bind(c_->OnSelectItem, h...); }
  template <class... H>
  TBuild& OnTimer(H... h) requires requires(T* x) {
    x->OnTimer;
  }
  { return Bind(c_->OnTimer, h...); }
  template <class... H>
  TBuild& OnCreate(H... h) requires requires(T* x) {
    x->OnCreate;
  }
  { return Bind(c_->OnCreate, h...); }
  template <class... H>
  TBuild& OnActivate(H... h) requires requires(T* x) {
    x->OnActivate;
  }
  { return Bind(c_->OnActivate, h...); }
  template <class... H>
  TBuild& OnClose(H... h) requires requires(T* x) {
    x->OnClose;
  }
  { return Bind(c_->OnClose, h...); }
  template <class... H>
  TBuild& OnCloseQuery(H... h) requires requires(T* x) {
    x->OnCloseQuery;
  }
  { return Bind(c_->OnCloseQuery, h...); }

 private:
  template <class E, class O, class M>
  TBuild& Bind(E& event, O* obj, M method) {
    event = E(obj, method);
    return *this;
  }
  template <class E, class F>
  TBuild& Bind(E& event, F handler) {
    event = E(handler);
    return *this;
  }

  T* c_;
};

// Creates the components of one form; the form stays in the loading state
// while the builder lives.
class TFormBuilder {
 public:
  explicit TFormBuilder(TCustomForm* form) : form_(form), parent_(form), loading_(form) {}
  TFormBuilder(const TFormBuilder&) = delete;
  TFormBuilder& operator=(const TFormBuilder&) = delete;

  // The form's own properties.
  TBuild<TCustomForm> Form() const { return TBuild<TCustomForm>(form_); }

  // Creates a T owned by the form, named `name`, stores it in `field` and,
  // for a control, puts it on `parent` (or the current parent).
  template <class T>
  TBuild<T> Add(T*& field, const AnsiString& name, TWinControl* parent = nullptr) {
    T* c = new T(form_);
    c->SetName(name);
    field = c;
    if constexpr (std::is_base_of_v<TControl, T>) c->SetParent(parent ? parent : parent_);
    return TBuild<T>(c);
  }
  // As Add, for a component that no field keeps.
  template <class T>
  TBuild<T> Make(const AnsiString& name, TWinControl* parent = nullptr) {
    T* c = nullptr;
    return Add(c, name, parent);
  }

  // The parent of the controls added from now on.
  TFormBuilder& Parent(TWinControl* p) {
    parent_ = p ? p : form_;
    return *this;
  }
  TWinControl* CurrentParent() const { return parent_; }

 private:
  TCustomForm* form_;
  TWinControl* parent_;
  TLoadingScope loading_;
};
