// What the per-VLAN multicast forwarding forms share: a list of the table's
// rows, and under it a page control whose tabs each hold one port grid
// showing one port list of the selected row. One asynchronous request, read
// when the form is created; closing the form stops, waits for and releases
// it. A form of the family still writes its buttons beside the list with
// their handlers, and what a row switches (RowChosen).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "forms/common/ListRows.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"

class TControl;
class TMemo;
class TStackingPortUitForm;
class VnSNMPRequest2Edits;
struct VnSNMPVarDesc;
enum class VnItemType : std::uint8_t;

class TPortListTableForm : public TForm {
 public:
  ~TPortListTableForm() override;

  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;
  TTabSheet* TabSheet3 = nullptr;  // null with two tabs
  TScrollBox* ScrollBox1 = nullptr;
  TScrollBox* ScrollBox2 = nullptr;
  TScrollBox* ScrollBox3 = nullptr;
  TMemo* Memo1 = nullptr;

  // Owned by the form; released when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;
  // The row count, the buttons and the grids following the list.
  TListRows Rows;
  // One per tab, in tab order; owned by the form (component owner).
  std::vector<TStackingPortUitForm*> PortFrames;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  // A tab: its caption and the port-list item of the table it shows.
  struct TPortTab {
    const char* Caption;
    int Item;
  };
  // Builds the form (resource name, size), the list view named `listName`
  // (ListView(); the form keeps it in its own field) and the tabs; the table
  // is walked with the item type and index-column count.
  TPortListTableForm(TComponent* AOwner, const char* name, int width, int height,
                     const char* listName, const VnSNMPVarDesc* table, VnItemType itemType,
                     int keyCount, std::vector<TPortTab> tabs);

  // Get (a failure to start it goes into the memo), then no row selected and
  // the grids emptied.
  void ReadTable();
  // Unticks every box of every frame.
  void ClearPortFrames();
  // One SET of the selected row's writable port lists from the ticks of
  // their frames (Rows.Write); the table is read again after it. Without a
  // selected row nothing is sent and the memo says so.
  void WriteSelectedRow();
  // Whenever a row is chosen or none is (by the pointer, the keys, a read):
  // the buttons that act on a row follow it.
  virtual void RowChosen(bool /*selected*/) {}
  // Where the row count goes (null: nowhere); set before FormCreate.
  TControl* RowCount = nullptr;

  TListView* ListView() const { return list_; }
  // Left edge of the buttons beside the list.
  static constexpr int kSideLeft = 596;

 private:
  void ListClick(TObject* Sender);

  TListView* list_ = nullptr;
  const VnSNMPVarDesc* table_;
  VnItemType itemType_;
  int keyCount_;
  std::vector<TPortTab> tabs_;
};
