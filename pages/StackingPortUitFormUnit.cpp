#include "pages/StackingPortUitFormUnit.h"

#include <algorithm>

#include "platform/ComCtrls.h"
#include "platform/Files.h"
#include "platform/FormBuilder.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TStackingPortUitForm* StackingPortUitForm = nullptr;

namespace {

// Present in the current folder on stacks whose pages hold 10 boxes a line.
constexpr const char* kDeviceInfoFile = "DeviceInfo.ini";
constexpr int kPortsPerRowWithDeviceInfo = 10;

template <class T>
T* ItemOf(const TList& list, int i) {
  return static_cast<T*>(list.Items(i));
}

}  // namespace

TStackingPortUitForm::TStackingPortUitForm(TComponent* AOwner) : TForm(AOwner) {
  BuildComponents();
}

TStackingPortUitForm::~TStackingPortUitForm() = default;

void TStackingPortUitForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Form")
      .BorderStyle(bsNone)
      .ClientSize(543, 252)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TStackingPortUitForm::FormCreate);
  SetName("StackingPortUitForm");
  B.Add(UnitPageControl, "UnitPageControl").Align(alClient);
}

void TStackingPortUitForm::FormCreate(TObject*) { EnsureLists(); }

// The lists also exist when the grid was made without its OnCreate running.
void TStackingPortUitForm::EnsureLists() {
  if (!PortCheckBoxes) PortCheckBoxes = std::make_unique<TList>();
  if (!UnitSheets) UnitSheets = std::make_unique<TList>();
}

void TStackingPortUitForm::AddPortUnitPage(const AnsiString& caption, int /*firstPort*/,
                                           int boxCount, int perRow, bool single) {
  EnsureLists();
  if (single) {
    UnitPageControl->Hide();
    auto* box = new TScrollBox(this);
    box->SetParent(this);
    box->SetAlign(alClient);
    SingleScrollBox = box;
    return;
  }
  auto* sheet = new TTabSheet(UnitPageControl);
  sheet->SetPageControl(UnitPageControl);
  sheet->SetCaption(caption);
  UnitSheets->Add(sheet);
  auto* box = new TScrollBox(sheet);
  box->SetParent(sheet);
  box->SetAlign(alClient);
  if (FileExists(GetCurrentDir() + "\\" + kDeviceInfoFile)) perRow = GetPortsPerRow(caption);
  const int before = PortCheckBoxes->Count();
  CreatePortCheckBoxes(boxCount, perRow, box);
  pageBoxes_.push_back(PortCheckBoxes->Count() - before);
  sheet->SetTabVisible(false);
}

int TStackingPortUitForm::GetPortsPerRow(const AnsiString&) { return kPortsPerRowWithDeviceInfo; }

void TStackingPortUitForm::CreatePortCheckBoxes(int count, int perRow, TScrollBox* scrollBox) {
  EnsureLists();
  // A line holds at least one box.
  perRow = std::max(1, perRow);
  for (int i = 0; i < count; ++i) {
    auto* box = new TCheckBox(scrollBox);
    box->SetParent(scrollBox);
    const AnsiString caption = IntToStr(i + 1);
    box->SetCaption(caption);
    const int f = box->Font()->Size();
    const int column = i % perRow, line = i / perRow;
    box->SetBounds(f * column * 5 + 20, line * box->Height() + 4, caption.Length() * f + 3 * f,
                   box->Height());
    box->Hide();
    PortCheckBoxes->Add(box);
  }
}

void TStackingPortUitForm::ShowUnitPorts(const AnsiString& unitText, const AnsiString& modelText,
                                         int unit, int portCount, int /*perRow*/) {
  EnsureLists();
  const int page = unitText.ToIntDef(0) - 1;
  if (page >= 0 && page < UnitSheets->Count()) {
    auto* sheet = ItemOf<TTabSheet>(*UnitSheets, page);
    sheet->Show();
    sheet->SetCaption(sheet->Caption() + " " + modelText);
    sheet->SetTabVisible(false);
    if (!UnitPageControl->ActivePage()) UnitPageControl->SetActivePage(sheet);
  }
  // The unit's boxes follow those of the pages before it.
  if (unit < 1 || unit > static_cast<int>(pageBoxes_.size())) return;
  int first = 0;
  for (int k = 0; k < unit - 1; ++k) first += pageBoxes_[static_cast<std::size_t>(k)];
  const int shown = std::min(portCount, pageBoxes_[static_cast<std::size_t>(unit - 1)]);
  for (int i = 0; i < shown; ++i) ItemOf<TCheckBox>(*PortCheckBoxes, first + i)->Show();
}

void TStackingPortUitForm::ClearPorts() {
  EnsureLists();
  for (int i = 0; i < PortCheckBoxes->Count(); ++i)
    ItemOf<TCheckBox>(*PortCheckBoxes, i)->SetChecked(false);
}

void TStackingPortUitForm::DisablePorts() {
  EnsureLists();
  for (int i = 0; i < PortCheckBoxes->Count(); ++i)
    ItemOf<TCheckBox>(*PortCheckBoxes, i)->SetEnabled(false);
}

void TStackingPortUitForm::EnablePorts() {
  EnsureLists();
  for (int i = 0; i < PortCheckBoxes->Count(); ++i)
    ItemOf<TCheckBox>(*PortCheckBoxes, i)->SetEnabled(true);
}
