// What the two profile (mask) views of IP-MAC binding share: the list of
// profiles with Refresh beside it, the profile ID and the profile's own
// fields under it. Each view names its table, its fields and where the parts
// stand.
#pragma once

#include <vector>

#include "forms/acl/IBPViewForm.h"

class TButton;
class TPanel;

class TIBPMaskViewForm : public TIBPViewForm {
 public:
  ~TIBPMaskViewForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* BT_Get = nullptr;
  TListView* ListView1 = nullptr;
  TEdit* edtID = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void BT_GetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  // A combo box shown after the fields, disabled like the rest.
  struct TViewCombo {
    TComboBox** Field;
    const char* Name;
    const char* Caption;
    int Item;
  };
  // In the order: caption, resource name, form size; the table; list size;
  // top of the rows.
  struct TMaskView {
    const char* Caption;
    const char* Name;
    int Width, Height;
    const VnSNMPVarDesc* Table;
    int ListWidth, ListHeight;
    int RowsTop;
  };
  TIBPMaskViewForm(TComponent* AOwner, const TMaskView& view);

  // Called by the derived constructor, once its own fields exist.
  void BuildMaskView(std::vector<TViewField> fields, const TViewCombo* combo = nullptr);

 private:
  TMaskView mask_;
  std::vector<TViewField> fields_;
  TComboBox* combo_ = nullptr;
  int comboItem_ = -1;
};
