// What the read-only views of the IP-MAC binding profiles and rules share: a
// synchronous request over one device table shown in a list view, read-only
// edits and disabled combo boxes that show the selected row, a port grid on
// the rule views, one Refresh button and a status bar whose first panel
// shows failures. Nothing is ever written to the device.
//
// A view derives from TIBPViewForm, builds its components, fills `View` and
// calls the helpers from its own handlers:
//
//   FormCreate:  CreateViewRequest(table, keys); bindings; ReadView();
//   Refresh:     ReadView();
//   list click:  ViewListClick();
//   FormClose:   CloseView(); Action = caFree;
#pragma once

#include <memory>
#include <vector>

#include "platform/Forms.h"

class TComboBox;
class TEdit;
class TListView;
class TStackingPortUitForm;
class TStatusBar;
class TWinControl;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;

class TIBPViewForm : public TForm {
 public:
  ~TIBPViewForm() override;

  // Owned by the form; null once it has closed.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

  // Empties the edits, unselects and disables the combo box, unticks the
  // port grid.
  void ClearViewEdits();

 protected:
  explicit TIBPViewForm(TComponent* AOwner);

  // The controls that the shared handling works on.
  struct TViewControls {
    TListView* List = nullptr;
    TStatusBar* StatusBar = nullptr;
    std::vector<TEdit*> Edits;
    TComboBox* Combo = nullptr;             // none on the IP profile view
    TStackingPortUitForm* Ports = nullptr;  // rule views; freed by CloseView
  };
  TViewControls View;

  // A read-only edit that a view has of its own: where it is kept, its name
  // and caption, and the table item shown in it.
  struct TViewField {
    TEdit** Field;
    const char* Name;
    const char* Caption;
    int Item;
  };

  // Rule views: the port grid in `host` (one unit page of the model's ports).
  void CreateViewPorts(TWinControl* host);
  // The request (synchronous, item type 3) over the table, the list view
  // attached (controls disabled until a row is selected) and the status bar
  // as its status target.
  void CreateViewRequest(const VnSNMPVarDesc* table, int keyCount);
  // Binds the port list item to the grid's boxes 0 to 31.
  void BindViewPorts(int item);
  // Get, then ClearViewEdits; a failure goes to the first status panel.
  void ReadView();
  // The list view's click: the combo box stays read-only after the library
  // has copied the row in; no row clears the view.
  void ViewListClick();
  // Selection cleared, port grid freed, request stopped, waited for and
  // deleted.
  void CloseView();
};
