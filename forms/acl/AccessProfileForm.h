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

#include "platform/Forms.h"

class TComboBox;
class TEdit;
class TListView;
class TSavedAccess;
class TStatusBar;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TAccessProfileForm : public TForm {
 public:
  ~TAccessProfileForm() override;

  // Owned by the form; null once it has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

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
    int RowStatusItem = 0;  // the row-status column's item index
  };
  TProfileControls Profile;

  // The request (synchronous, item type 3, one index column) over the
  // table, the list view attached (controls disabled until a row is
  // selected) and the status bar as its status target.
  void CreateProfileRequest(const VnSNMPVarDesc* table);
  // Get, then no-selection and ClearMaskEdits; a failure goes to the first
  // status panel with the same reset.
  void ReadProfiles();

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
  // words written back, Get, no-selection, ClearMaskEdits. On failure the
  // words are written back, the text goes to the first status panel, and
  // the table is read again when `readAgainOnFailure`.
  void WriteProfile(TSavedAccess& saved, bool readAgainOnFailure);
  // The selected profile's index and "destroy" only, then the re-read. On
  // failure the words are written back and the text goes to the first
  // status panel, after a re-read when `readAgainOnFailure`.
  void DeleteProfile(bool readAgainOnFailure = false);

  // The close of the profile forms: selection cleared first when asked,
  // the request stopped, waited for and deleted.
  void CloseProfiles(bool clearSelectionFirst);

 private:
  void ReadAfterWrite();
  void ShowFailure(const AnsiString& text);
};

// Item index of the row-status options in a profile form's combo box.
inline constexpr int kProfileCreateAndGo = 3;
inline constexpr int kProfileDestroy = 5;
inline constexpr const char* kRowStatusMustBeCreateAndGo = "Row Status must be createAndGo.";
