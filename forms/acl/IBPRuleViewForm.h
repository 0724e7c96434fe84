// What the two rule views of IP-MAC binding share: the list of rules with
// Refresh beside it, the mask and access IDs, the rule's own fields, Permit,
// and the rule's ports under them. Each view names its table, its own fields
// and where the parts stand.
#pragma once

#include <vector>

#include "forms/acl/IBPViewForm.h"

class TButton;
class TPanel;

class TIBPRuleViewForm : public TIBPViewForm {
 public:
  ~TIBPRuleViewForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* btnRefresh = nullptr;
  TListView* ListView1 = nullptr;
  TEdit* edtMaskID = nullptr;
  TEdit* edtAccessID = nullptr;
  TComboBox* cbxPermit = nullptr;
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  TStackingPortUitForm* PortFrame() const { return View.Ports; }

  void FormCreate(TObject* Sender);
  void btnRefreshClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  // In the order: caption, resource name, form size; the table, its Permit
  // and port items; list size; top and field width of the rows; top, width
  // and height of the port grid.
  struct TRuleView {
    const char* Caption;
    const char* Name;
    int Width, Height;
    const VnSNMPVarDesc* Table;
    int PermitItem, PortItem;  // the IDs are the table's first two items
    int ListWidth, ListHeight;
    int RowsTop, FieldWidth;
    int PortsTop, PortsWidth, PortsHeight;
  };
  TIBPRuleViewForm(TComponent* AOwner, const TRuleView& view);

  // Called by the derived constructor, once its own fields exist; they are
  // shown between Access ID and Permit.
  void BuildRuleView(std::vector<TViewField> fields);

 private:
  TRuleView rule_;
  std::vector<TViewField> fields_;
};
