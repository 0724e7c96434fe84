// Forms, the application object, the screen and the scroll box.
#pragma once

#include <utility>

#include "platform/Controls.h"
#include "platform/Exceptions.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconBits : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = TClosure<void(TObject*, TCloseAction&)>;
using TCloseQueryEvent = TClosure<void(TObject*, bool&)>;

class TMainMenu;

// The frame around a form's client area is fixed per border style, so that
// Width - ClientWidth and Height - ClientHeight are known constants:
//   bsSizeable: 4 per side, caption 23 -> 8 x 31
//   bsSingle, bsDialog, bsToolWindow: 3 per side, caption 23 -> 6 x 29
//   bsNone, and any form with a parent: 0 x 0
// A main menu adds 20 to the height.
class TCustomForm : public TWinControl {
 public:
  // A form without a resource (the class library's CreateNew).
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Fires OnCreate; the factories call it once the constructor has finished.
  virtual void AfterConstruction();

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetParent(TWinControl* p) override;
  void SetVisible(bool v) override;

  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle b);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons b);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState s);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* m);
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r) { modalResult_ = r; }
  TWinControl* ActiveControl() const;
  // Set while the form is hidden, the control is where the form opens each
  // time ShowModal shows it; else the focus moves there now.
  void SetActiveControl(TWinControl* c);
  bool Active() const;
  bool Modal() const { return modalLevel_ > 0; }

  // Shows the form modally and returns its ModalResult. The form opens on
  // the control chosen while it was hidden (SetActiveControl), else on its
  // first field, not where its last opening left the focus.
  int ShowModal();
  // Modal: sets ModalResult to mrCancel only; the loop runs the close
  // handlers. Otherwise OnCloseQuery, OnClose and the chosen action now.
  void Close();
  // Deletes the form later, from the message loop; cancelled when the form
  // is deleted first.
  void Release();
  bool CloseQuery();
  // Moves the focus to the next (or previous) control in tab order.
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  void FocusControl(TWinControl* c);
  void BringToFront();

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Toolkit side: the non-client size for the current style.
  int FrameWidth() const;
  int FrameHeight() const;
  void Activated();  // the form became the application's active form
  // The focus moved to c (no focus change of its own).
  void NoteActiveControl(TWinControl* c) {
    activeControl_ = c;
    activeToken_ = c ? c->LifeToken() : std::weak_ptr<void>();
  }

 protected:
  void BoundsChanged() override;
  AnsiString GetText() const override { return text_; }
  void SetTextValue(const AnsiString& v) override;

 private:
  friend class TApplication;
  void CloseModal();
  void PlaceOnShow();
  void DoClose(TCloseAction& action);

  TPosition position_ = poDesigned;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TWindowState windowState_ = wsNormal;
  TMainMenu* menu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  TWinControl* activeControl_ = nullptr;
  // The controls code chose (SetActiveControl, SetFocus): while the form
  // was hidden, where ShowModal opens it; since ShowModal began, where its
  // opening puts the focus.
  TWinControl* openOn_ = nullptr;
  std::weak_ptr<void> openOnToken_;
  TWinControl* chosen_ = nullptr;
  std::weak_ptr<void> chosenToken_;
  bool opening_ = false;
  int modalLevel_ = 0;
  bool closing_ = false;
  bool created_ = false;
  bool shownOnce_ = false;
  std::weak_ptr<void> activeToken_;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

// Creates a form (or any component with AfterConstruction), then fires its
// OnCreate: the whole constructor has run by then.
template <class T, class... A>
T* Create(A&&... args) {
  T* p = new T(std::forward<A>(args)...);
  p->AfterConstruction();
  return p;
}

using TExceptionEvent = TClosure<void(TObject*, Exception*)>;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // Creates the toolkit's application object (idempotent).
  void Initialize();
  // The toolkit's application object exists.
  bool Initialized() const;
  // Destroys the forms, then the toolkit's application object.
  void Finalize();

  // Creates the form, stores it in `ref` and then fires its OnCreate. The
  // first form created so becomes MainForm.
  template <class T>
  void CreateForm(T*& ref) {
    T* p = new T(this);
    ref = p;
    if (!mainForm_) mainForm_ = p;
    p->AfterConstruction();
  }
  // Shows the main form and runs the message loop until Terminate; returns at
  // once when Terminate was called before.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Delivers posted messages, input, paint events and due timers, and
  // returns without waiting. A no-op without the application object. The
  // user's input waits while an InputHold lives (platform/InputHold.h).
  void ProcessMessages();
  // Waits for the next event (or timer) and handles it; input as above.
  void HandleMessage();

  AnsiString Title() const { return title_; }
  void SetTitle(const AnsiString& t) { title_ = t; }
  AnsiString ExeName() const;
  HWND Handle() const { return handle_; }
  TCustomForm* MainForm() const { return mainForm_; }
  TCustomForm* ActiveForm() const { return activeForm_; }
  AnsiString HintText() const { return hint_; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }

  // Shows the exception through the dialog service (caption Title).
  void ShowException(Exception* E);
  // Called from a catch block: OnException when set, else ShowException.
  // EAbort is silent.
  void HandleException(TObject* Sender);

  TExceptionEvent OnException;

  // Toolkit side.
  void SetActiveForm(TCustomForm* f);
  void FormDestroyed(TCustomForm* f);
  int ModalDepth() const { return modalDepth_; }
  // For the test kit: forgets MainForm and a past Terminate.
  void ResetLoopState() {
    terminated_ = false;
    mainForm_ = nullptr;
  }
  void RunModalLoop(TCustomForm* f);

 private:
  AnsiString title_;
  TCustomForm* mainForm_ = nullptr;
  TCustomForm* activeForm_ = nullptr;
  HWND handle_ = nullptr;
  AnsiString hint_;
  bool terminated_ = false;
  bool showHint_ = true;
  int modalDepth_ = 0;
};

extern TApplication* Application;

class TScreen : public TComponent {
 public:
  TScreen() : TComponent(nullptr) {}
  // The primary screen's logical DPI, rounded; KXR_PIXELS_PER_INCH (or the
  // test kit) overrides it. 96 without a display.
  int PixelsPerInch() const;
  int Width() const;
  int Height() const;
  TCustomForm* ActiveForm() const { return Application->ActiveForm(); }
  int FormCount() const;
};

extern TScreen* Screen;

// A control whose children are placed by position and scroll inside it.
// With AutoScroll, a scroll bar shows where the children placed by position
// reach beyond the client area, and the client area is what the bars leave
// (inside a 2-pixel sunken frame).
class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  int ClientWidth() const override;
  int ClientHeight() const override;
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v);
  bool HorzScrollBarShown() const;
  bool VertScrollBarShown() const;
  // Refreshes the scrollable area after children moved.
  void UpdateScrollRange();

 protected:
  void BoundsChanged() override;
  void AfterRealign() override { UpdateScrollRange(); }

 private:
  void ScrollBars(bool& horizontal, bool& vertical) const;
  bool autoScroll_ = true;
  bool updating_ = false;
};

// Runs when an exception must not leave a handler: hands it to
// Application->HandleException. Use inside a catch block.
void HandleCurrentException(TObject* Sender);
