// What the access-profile (mask) forms share: a synchronous request over one
// profile table shown in a list view, a profile ID edit, Add and Delete
// buttons (and a hidden Set button that only follows their state), a
// row-status combo, and a status bar whose first panel shows failures.
// A profile is never changed in place: it is deleted and added again.
//
// A form derives from TAccessProfileForm, builds its components, fills
// `Profile` and calls the helpers from its own handlers:
//
//   FormCreate:  CreateProfileRequest(table); bindings; presets; ReadProfiles();
//   Refresh:     ReadProfiles();
//   Add:         its checks, IsDuplicateProfile(...), RowStatusIsCreateAndGo(),
//                TSavedAccess saved(*Request); ...; WriteProfile(saved, ...);
//   Delete:      DeleteProfile();
//   list click:  ProfileListClick();
//   FormClose:   CloseProfiles(...); Action = caFree;
#pragma once

#include <memory>
#include <vector>

#include "forms/common/ListRows.h"
#include "forms/common/NewEntryChoices.h"
#include "platform/Forms.h"
#include "platform/Layout.h"

class TButton;
class TComboBox;
class TEdit;
class TFormBuilder;
class TListView;
class TPanel;
class TSavedAccess;
class TStatusBar;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TAccessProfileForm : public TForm {
 public:
  ~TAccessProfileForm() override;

  // Owned by the form; null once it has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, buttons and fields following the list.
  TListRows Rows;

  // Empties the form's profile edits (combo boxes keep their choice unless
  // the form says otherwise).
  virtual void ClearMaskEdits() = 0;

 protected:
  explicit TAccessProfileForm(TComponent* AOwner);

  // The controls that the shared handling works on.
  struct TProfileControls {
    TListView* List = nullptr;
    TEdit* IdEdit = nullptr;
    TWinControl* AddButton = nullptr;
    TWinControl* DeleteButton = nullptr;
    TWinControl* SetButton = nullptr;  // hidden: only its Enabled state follows
    TComboBox* RowStatus = nullptr;
    TStatusBar* StatusBar = nullptr;
    TControl* Count = nullptr;  // the row count, where the form has one
    int RowStatusItem = 0;      // the row-status column's item index
  };
  TProfileControls Profile;

  // The request (synchronous, item type 3, one index column) over the
  // table, the list view attached (controls disabled until a row is
  // selected), the status bar as its status target, and Rows following the
  // list.
  void CreateProfileRequest(const VnSNMPVarDesc* table);
  // Get, then no-selection and a new entry (ShowNewEntry); a failure goes to
  // the first status panel with the same reset. The first call keeps the
  // drop-down lists' choices as those of a new entry: the form calls it
  // once its presets are set.
  void ReadProfiles();
  // The fields of a new entry: ClearMaskEdits, and the drop-down lists back
  // at the presets the first ReadProfiles kept.
  void ShowNewEntry();

  // Button states, set as a whole.
  void SetNoSelection();
  void SetRowSelected();
  // The list view's click: row-selected, or no-selection and cleared edits.
  void ProfileListClick();

  // True (after `message`, focus on the ID edit) when a listed profile has
  // the ID typed in the ID edit.
  bool IsDuplicateProfile(const AnsiString& message);
  // False (after "Row Status must be createAndGo.", focus on the combo)
  // unless the row-status combo shows createAndGo.
  bool RowStatusIsCreateAndGo();

  // The SET of an Add (the access words already adjusted in `saved`), the
  // words written back, Get, no-selection, a new entry. On failure
  // (Rows.Write) the words are written back, the fields keep what they
  // show, and a SET that could not be sent goes to the first status panel.
  void WriteProfile(TSavedAccess& saved);
  // The selected profile's index and "destroy" only, then the re-read. On
  // failure as WriteProfile's.
  void DeleteProfile();

  // One button of the button column: the form's member, its name, caption
  // and click handler.
  struct TProfileButton {
    TButton*& Button;
    const char* Name;
    const char* Caption;
    TNotifyEvent OnClick;
  };
  // "Panel1" (aligned right, 116 wide, no bevels) on the form and on it the
  // buttons, 96 x 25, from (10, 10) down in steps of 30.
  void BuildProfileButtons(TFormBuilder& B, TPanel*& panel,
                           const std::vector<TProfileButton>& buttons);

  // The labelled field rows of a profile form: each row a label ("Label1",
  // "Label2", ... in the order made) and its edit or drop-down list, put on
  // the builder's current parent.
  struct TProfileRows {
    explicit TProfileRows(TFormBuilder& builder) : B(builder) {}
    void Edit(TEdit*& field, const AnsiString& name, const AnsiString& caption);
    void Combo(TComboBox*& field, const AnsiString& name, const AnsiString& caption);
    TFormBuilder& B;
    std::vector<TFieldRow> Rows;

   private:
    TControl* Label(const AnsiString& caption);
    int count_ = 0;
  };

  // The close of the profile forms: selection cleared first when asked,
  // the request stopped, waited for and deleted.
  void CloseProfiles(bool clearSelectionFirst);

 private:
  void ReadAfterWrite();
  void ShowFailure(const AnsiString& text);
  TNewEntryChoices newEntry_;
};

inline constexpr const char* kRowStatusMustBeCreateAndGo = "Row Status must be createAndGo.";
