#include "forms/system/SummerTime.h"

#include <algorithm>

#include "catalogue/TimeMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnOptionList.h"
#include "library/VnRawValue.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

VN_REGISTER_FORM_OPENER(TSummerTimeForm, nullptr);

namespace {

// Items of the summer-time group.
constexpr int kStatusItem = SummerTimeItem::kSummerTimeStatus;
constexpr int kOffsetItem = SummerTimeItem::kSummerTimeOffset;
constexpr int kRepeatStartItem = SummerTimeItem::kRepeatSummerTimeStart;
constexpr int kRepeatEndItem = SummerTimeItem::kRepeatSummerTimeEnd;
constexpr int kAnnualStartItem = SummerTimeItem::kAnnualSummerTimeStart;
constexpr int kAnnualEndItem = SummerTimeItem::kAnnualSummerTimeEnd;
constexpr int kItemCount = kAnnualEndItem + 1;

constexpr const char* kRepeating = "repeating";
constexpr const char* kAnnual = "annual";
constexpr const char* kDisable = "disable";

constexpr const char* kTimeError = "Time error.";
constexpr const char* kSameMonths = "From month and To month should not be the same.";

// Days of each month; February without the leap day.
constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Parts of a repeating value (6 octets) and of an annual one (4 octets).
enum RepeatPart { rpWeek = 0, rpWeekday = 1, rpMonth = 3, rpHour = 4, rpMinute = 5 };
enum AnnualPart { apDay = 0, apMonth = 1, apHour = 2, apMinute = 3 };

// Positions in a row's TCtrlsList.
enum RepeatEntry { reMonth = 1, reWeek, reWeekday, reHour, reMinute };
enum AnnualEntry { aeDay = 1, aeMonth, aeHour, aeMinute };

constexpr VnOptionPair kWeekPairs[] = {{1, "1st"}, {2, "2nd"},    {3, "3rd"},
                                       {4, "4th"}, {255, "last"}, {0, nullptr}};
constexpr VnOptionPair kWeekdayPairs[] = {{1, "Sun"}, {2, "Mon"}, {3, "Tue"}, {4, "Wed"},
                                          {5, "Thu"}, {6, "Fri"}, {7, "Sat"}, {0, nullptr}};
constexpr VnOptionPair kMonthPairs[] = {
    {1, "Jan"}, {2, "Feb"}, {3, "Mar"},  {4, "Apr"},  {5, "May"},  {6, "Jun"},  {7, "Jul"},
    {8, "Aug"}, {9, "Sep"}, {10, "Oct"}, {11, "Nov"}, {12, "Dec"}, {0, nullptr}};

// The unit's option lists: built on first use, freed at exit.
VnOptionList* WeekOptions() {
  static VnOptionList list(kWeekPairs);
  return &list;
}
VnOptionList* WeekdayOptions() {
  static VnOptionList list(kWeekdayPairs);
  return &list;
}
VnOptionList* MonthOptions() {
  static VnOptionList list(kMonthPairs);
  return &list;
}

// A whole number of decimal digits only (no sign, no blanks), into `value`.
bool ParseCount(const AnsiString& text, int& value) {
  const std::string s = text.str();
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  value = std::stoi(s);
  return true;
}

bool IsRepeatingItem(int item) { return item == kRepeatStartItem || item == kRepeatEndItem; }

// The octets of a repeating rule and of an annual one.
std::size_t RuleLength(int item) { return IsRepeatingItem(item) ? 6 : 4; }

// The form's request. A rule the user changed goes out as its own octets
// (the switch takes no other length), also where the switch gave it longer:
// octets past the rule are no part the form shows. A rule left alone goes
// back as the switch holds it.
class TSummerTimeRequest : public VnSNMPRequest2Edits {
 public:
  using VnSNMPRequest2Edits::VnSNMPRequest2Edits;

 protected:
  void DoSetValues() override {
    VnSNMPRequest2Edits::DoSetValues();
    for (int item = kRepeatStartItem; item <= kAnnualEndItem; ++item) {
      if (!ItemChanged(item)) continue;
      VnSNMPVarDesc* d = Request.VarList.Item(item);
      VnOctets rule = VnValueToBytes(*d->Value, d->Syntax);
      if (rule.size() <= RuleLength(item)) continue;
      rule.resize(RuleLength(item));
      *d->Value = VnBytesToValue(rule, d->Syntax);
    }
  }
};

}  // namespace

TSummerTimeForm::TSummerTimeForm(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Summer Time");
  SetPosition(poScreenCenter);
  OnClose = TCloseEvent(this, &TSummerTimeForm::FormClose);
  for (auto& list : CtrlsLists) list = std::make_unique<TCtrlsList>();

  auto request = std::make_unique<TSummerTimeRequest>(this);
  ReloadVarList(request->Request, SummerTimeVars, VnItemType::SVT_SV, 0);
  request->AsyncMode = false;
  Request = std::move(request);
  Panel = new TSNMPEditorPanel(this, Request.get());
  Panel->AttachToForm(this);
  Panel->SetEditWidth(240);
  Panel->SetVarFormat(kOffsetItem, "%i{n30x120l3}");
  for (int item = kRepeatStartItem; item <= kAnnualEndItem; ++item) BuildCompositeRow(item);

  TCtrlBtnPanel* buttons = Panel->BtnPanel;
  buttons->RefreshBtn->OnClick = TNotifyEvent(this, &TSummerTimeForm::RefreshSummerTime);
  SavedSetAction = buttons->SetBtn->OnClick;
  buttons->SetBtn->OnClick = TNotifyEvent(this, &TSummerTimeForm::SetSummerTime);
  StatusCombo()->OnChange = TNotifyEvent(this, &TSummerTimeForm::ShowRuleRows);

  Panel->EditsPanel->SetFieldText(kStatusItem, kRepeating);
  ShowRuleRows(nullptr);
  RefreshSummerTime(nullptr);
}

TSummerTimeForm::~TSummerTimeForm() = default;

void TSummerTimeForm::BuildCompositeRow(int item) {
  TCtrlsList& list = *CtrlsLists[static_cast<std::size_t>(item - kRepeatStartItem)];
  auto* edit = dynamic_cast<TEdit*>(Panel->EditsPanel->Row(item).EditCtrl);
  Request->Unbind(item);
  list.Add(edit);

  auto* host = new TPanel(this);
  host->SetParent(edit->Parent());
  host->SetBevelOuter(bvNone);
  host->SetBounds(edit->Left(), edit->Top(), edit->Width(), edit->Height());
  list.Host = host;

  auto addCombo = [&](int left, int width) {
    auto* combo = new TComboBox(this);
    combo->SetParent(host);
    combo->SetBounds(left, 0, width, combo->Height());
    list.Add(combo);
    return combo;
  };
  auto addEdit = [&](int left, int width, const char* hint) {
    auto* e = new TEdit(this);
    e->SetParent(host);
    e->SetBounds(left, 0, width, edit->Height());
    e->SetHint(hint);
    e->SetShowHint(true);
    list.Add(e);
    return e;
  };
  auto addColon = [&](int left) {
    auto* colon = new TLabel(this);
    colon->SetParent(host);
    colon->SetCaption(":");
    colon->SetLeft(left);
    colon->SetTop((edit->Height() - colon->Height()) / 2);
  };

  const int width = edit->Width();
  if (IsRepeatingItem(item)) {
    const int w = width / 5;
    TComboBox* month = addCombo(0, w);
    TComboBox* week = addCombo(w, w);
    TComboBox* weekday = addCombo(2 * w, w);
    TEdit* hour = addEdit(3 * w, w - 4, "Hour");
    addColon(4 * w - 3);
    TEdit* minute = addEdit(4 * w, w - 4, "Minute");
    Request->BindPartComboBox(item, rpMonth, SNMP_SYNTAX_UINT8, MonthOptions(), month);
    Request->BindPartComboBox(item, rpWeek, SNMP_SYNTAX_UINT8, WeekOptions(), week);
    Request->BindPartComboBox(item, rpWeekday, SNMP_SYNTAX_UINT16, WeekdayOptions(), weekday);
    Request->BindPartEdits(item, rpHour, SNMP_SYNTAX_UINT8, nullptr, "%i", hour);
    Request->BindPartEdits(item, rpMinute, SNMP_SYNTAX_UINT8, nullptr, "%i", minute);
  } else {
    const int w = width / 4;
    TEdit* day = addEdit(0, w - 4, "Day");
    TComboBox* month = addCombo(w, w);
    TEdit* hour = addEdit(2 * w, w - 4, "Hour");
    addColon(3 * w - 3);
    TEdit* minute = addEdit(3 * w, w - 4, "Minute");
    Request->BindPartEdits(item, apDay, SNMP_SYNTAX_UINT8, nullptr, "%i", day);
    Request->BindPartComboBox(item, apMonth, SNMP_SYNTAX_UINT8, MonthOptions(), month);
    Request->BindPartEdits(item, apHour, SNMP_SYNTAX_UINT8, nullptr, "%i", hour);
    Request->BindPartEdits(item, apMinute, SNMP_SYNTAX_UINT8, nullptr, "%i", minute);
  }
  int tallest = edit->Height();
  for (int k = 1; k < list.Count(); ++k) tallest = std::max(tallest, list.Control(k)->Height());
  host->SetHeight(tallest);
}

void TSummerTimeForm::PlaceCompositeRows() {
  for (int k = 0; k < static_cast<int>(CtrlsLists.size()); ++k) {
    const TCtrlsList* list = CtrlsLists[static_cast<std::size_t>(k)].get();
    if (!list || !list->Host || list->Count() == 0) continue;
    TControl* edit = list->Control(0);
    list->Host->SetBounds(edit->Left(), edit->Top(), edit->Width(), list->Host->Height());
    const bool hidden =
        (Request->Request.VarList.Item(kRepeatStartItem + k)->Access & SNMP_ACCESS_HIDDEN) != 0;
    list->Host->SetVisible(!hidden);
    edit->Hide();
  }
}

void TSummerTimeForm::ArrangeAndFit() {
  Panel->EditsPanel->ArrangeRows(2, true);
  PlaceCompositeRows();
  Panel->SetContent(Panel->EditsPanel);
  Panel->SetAlign(alNone);
  SetClientWidth(Panel->Width());
  SetClientHeight(Panel->Height());
  Panel->SetAlign(alClient);
}

TComboBox* TSummerTimeForm::StatusCombo() const {
  return dynamic_cast<TComboBox*>(Panel->EditsPanel->Row(kStatusItem).EditCtrl);
}

AnsiString TSummerTimeForm::StatusText() const { return ComboText(StatusCombo()); }

void TSummerTimeForm::ShowRuleRows(TObject*) {
  if (!Request) return;
  TEditsPanel* rows = Panel->EditsPanel;
  const AnsiString status = StatusText();
  for (int item = kRepeatStartItem; item <= kAnnualEndItem; ++item) {
    const bool shown = IsRepeatingItem(item) ? status == kRepeating : status == kAnnual;
    if (shown) {
      rows->ShowRow(item);
    } else {
      rows->HideRow(item);
      rows->UncheckRow(item);
    }
  }
  ArrangeAndFit();
}

void TSummerTimeForm::MarkValid(std::initializer_list<int> items) {
  VnSNMPVarList& list = Request->Request.VarList;
  for (int i = 0; i < kItemCount && i < list.Count(); ++i) {
    const bool valid = std::find(items.begin(), items.end(), i) != items.end();
    if (valid)
      list.Item(i)->Access &= ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
    else
      list.Item(i)->Access |= SNMP_ACCESS_INVALID;
  }
}

void TSummerTimeForm::RefreshSummerTime(TObject*) {
  if (!Request || Request->Busy) return;
  try {
    MarkValid({kStatusItem});
    Request->Get();
    ShowRuleRows(nullptr);
    const AnsiString status = StatusText();
    if (status == kRepeating)
      MarkValid({kStatusItem, kOffsetItem, kRepeatStartItem, kRepeatEndItem});
    else if (status == kAnnual)
      MarkValid({kStatusItem, kOffsetItem, kAnnualStartItem, kAnnualEndItem});
    else
      MarkValid({kStatusItem, kOffsetItem});
    Request->Get();
  } catch (const Exception& e) {
    Request->StatusKind = STATUS_KIND_GET;
    Request->ShowRequestStatus(e.Message);
  }
}

// The checks judge what the user entered: a ticked row the user changed (or
// that no read filled), and the months of start and end when one of them
// is such a row. Values the switch holds and the user left alone go back as
// they are.
bool TSummerTimeForm::CheckSummerTime() {
  TEditsPanel* rows = Panel->EditsPanel;
  auto entered = [this, rows](int item) {
    return rows->Row(item).CheckBox->Checked() && ItemEntered(*Request, item);
  };
  if (entered(kStatusItem) && StatusCombo()->ItemIndex() < 0) {
    ShowMessage("Please choose Summer Time Status.");
    return false;
  }
  if (entered(kOffsetItem)) {
    const AnsiString text = rows->Row(kOffsetItem).EditCtrl->Text();
    int offset = 0;
    if (!text.IsEmpty() &&
        (!ParseCount(text, offset) || offset < 30 || offset > 120 || offset % 30 != 0)) {
      ShowMessage("Summer Time Offset must chosed from {30, 60, 90, 120}.");
      return false;
    }
  }
  const AnsiString status = StatusText();
  if (status == kDisable) return true;

  // Start and end (the row `first` and the one after it) both to be written.
  auto bothTicked = [rows](int first) {
    return rows->Row(first).CheckBox->Checked() && rows->Row(first + 1).CheckBox->Checked();
  };
  auto comboIndex = [](const TCtrlsList& list, int entry) {
    return static_cast<TComboBox*>(list.Control(entry))->ItemIndex();
  };
  auto number = [](const TCtrlsList& list, int entry, int& value) {
    return ParseCount(list.Control(entry)->Text(), value);
  };
  const std::size_t first = status == kAnnual ? 2 : 0;
  const TCtrlsList& start = *CtrlsLists[first];
  const TCtrlsList& end = *CtrlsLists[first + 1];
  if (status == kRepeating) {
    for (int k = 0; k < 2; ++k) {
      if (!entered(kRepeatStartItem + k)) continue;
      const TCtrlsList& list = k == 0 ? start : end;
      int hour = 0, minute = 0;
      if (comboIndex(list, reMonth) < 0 || comboIndex(list, reWeek) < 0 ||
          comboIndex(list, reWeekday) < 0 || !number(list, reHour, hour) ||
          !number(list, reMinute, minute) || hour >= 24 || minute >= 60) {
        ShowMessage(kTimeError);
        return false;
      }
    }
    if (bothTicked(kRepeatStartItem) && (entered(kRepeatStartItem) || entered(kRepeatEndItem)) &&
        comboIndex(start, reMonth) == comboIndex(end, reMonth)) {
      ShowMessage(kSameMonths);
      return false;
    }
  } else if (status == kAnnual) {
    for (int k = 0; k < 2; ++k) {
      if (!entered(kAnnualStartItem + k)) continue;
      const TCtrlsList& list = k == 0 ? start : end;
      int day = 0, hour = 0, minute = 0;
      const int month = comboIndex(list, aeMonth);
      if (!number(list, aeDay, day) || !number(list, aeHour, hour) ||
          !number(list, aeMinute, minute) || month < 0 || month >= 12) {
        ShowMessage(kTimeError);
        return false;
      }
      if (day < 1 || day > kMonthDays[month] || hour >= 24 || minute >= 60) {
        ShowMessage(kTimeError);
        return false;
      }
    }
    if (bothTicked(kAnnualStartItem) && (entered(kAnnualStartItem) || entered(kAnnualEndItem)) &&
        comboIndex(start, aeMonth) == comboIndex(end, aeMonth)) {
      ShowMessage(kSameMonths);
      return false;
    }
  }
  return true;
}

void TSummerTimeForm::WriteTickedValidRows() {
  TEditsPanel* rows = Panel->EditsPanel;
  const VnSNMPVarList& list = Request->Request.VarList;
  bool any = false;
  for (int i = 0; i < rows->RowCount() && i < list.Count(); ++i)
    any =
        any || (!(list.Item(i)->Access & SNMP_ACCESS_INVALID) && rows->Row(i).CheckBox->Checked());
  if (any && SavedSetAction) SavedSetAction(Panel->BtnPanel->SetBtn);
}

void TSummerTimeForm::SetSummerTime(TObject*) {
  if (!Request || Request->Busy) return;
  if (!CheckSummerTime()) return;
  // A composite row the user changed with an empty part leaves its own edit
  // box empty, so that the panel's empty-row check refuses it. A rule left
  // alone goes back as the switch holds it, parts it lacks included.
  for (int k = 0; k < static_cast<int>(CtrlsLists.size()); ++k) {
    const TCtrlsList& list = *CtrlsLists[static_cast<std::size_t>(k)];
    bool empty = false;
    for (int c = 1; c < list.Count(); ++c) empty = empty || list.Control(c)->Text().IsEmpty();
    list.Control(0)->SetText(empty && Request->ItemChanged(kRepeatStartItem + k) ? "" : "-");
  }
  Panel->LastSetFailed = false;
  MarkValid({kStatusItem});
  WriteTickedValidRows();
  // A refused status is the outcome: no rule goes after it.
  if (Panel->LastSetFailed) return;
  const AnsiString status = StatusText();
  if (status == kRepeating)
    MarkValid({kOffsetItem, kRepeatStartItem, kRepeatEndItem});
  else if (status == kAnnual)
    MarkValid({kOffsetItem, kAnnualStartItem, kAnnualEndItem});
  else
    MarkValid({kOffsetItem});
  WriteTickedValidRows();
  // The rule the status shows now is read: the fields show what the switch
  // holds.
  if (!Panel->LastSetFailed) RefreshSummerTime(nullptr);
}

void TSummerTimeForm::FormClose(TObject*, TCloseAction& Action) {
  StopWaitDelete(Request);
  // The panel stays with the form until it goes; it has no request now.
  Panel->Request = nullptr;
  Panel->EditsPanel->Request = nullptr;
  for (auto& list : CtrlsLists) list.reset();
  Action = caFree;
}
