// The port-selection grid: a borderless form that feature forms embed to let
// the user pick ports, one page of numbered check boxes per stack unit. A
// feature form binds PortCheckBoxes to a port-list variable with
// VnSNMPRequest2Edits::BindElementList; the grid knows nothing of SNMP.
//
//   grid = Create<TStackingPortUitForm>(this);     // runs FormCreate
//   grid->SetParent(hostPanel); grid->SetAlign(alClient); grid->Show();
//   grid->AddPortUnitPage("Unit" + AnsiString(1), 1, 32, 12, false);
//   grid->ShowUnitPorts("1", "KXR-5810", 1, GetPortCount("KXR-5810"), 12);
//   request->BindElementList(item, "0,1,...,31", grid->PortCheckBoxes.get());
//
// Port p of unit u is box (u - 1) * 32 + p - 1 of PortCheckBoxes, with the
// caption p. The grid owns both lists and the boxes; deleting the grid (or
// its owner) frees them.
#pragma once

#include <memory>
#include <vector>

#include "platform/Forms.h"

class TList;
class TPageControl;
class TScrollBox;

class TStackingPortUitForm : public TForm {
 public:
  explicit TStackingPortUitForm(TComponent* AOwner);
  ~TStackingPortUitForm() override;

  TPageControl* UnitPageControl = nullptr;

  // OnCreate: makes the two lists.
  void FormCreate(TObject* Sender);

  // Adds a hidden page of `boxCount` hidden check boxes captioned 1, 2, ...,
  // `perRow` to a line (10 when "DeviceInfo.ini" is in the current folder).
  // `firstPort` is not used. With `single` the page control is hidden and
  // only a scroll box is made.
  void AddPortUnitPage(const AnsiString& caption, int firstPort, int boxCount, int perRow,
                       bool single);
  // Boxes per line for a unit page while "DeviceInfo.ini" exists: 10.
  int GetPortsPerRow(const AnsiString& caption);
  void CreatePortCheckBoxes(int count, int perRow, TScrollBox* scrollBox);
  // Shows the page of unit `unitText` (its caption gains a blank and the
  // model text) and its first `portCount` boxes. `perRow` is not used.
  void ShowUnitPorts(const AnsiString& unitText, const AnsiString& modelText, int unit,
                     int portCount, int perRow);
  // Unticks / disables / enables every port check box.
  void ClearPorts();
  void DisablePorts();
  void EnablePorts();

  TScrollBox* SingleScrollBox = nullptr;
  // Every box of every unit page (TCheckBox*), page by page.
  std::unique_ptr<TList> PortCheckBoxes;
  // One sheet (TTabSheet*) per unit page; sheet k belongs to unit k + 1.
  std::unique_ptr<TList> UnitSheets;

 private:
  void BuildComponents();
  void EnsureLists();
  // How many boxes each unit page holds, in page order.
  std::vector<int> pageBoxes_;
};

extern TStackingPortUitForm* StackingPortUitForm;
