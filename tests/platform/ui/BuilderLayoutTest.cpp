// Form resources written with the builder, the button column and the field
// rows of forms without coordinates.
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace {

// Setters exist only where the class has the property.
template <class T>
concept HasMaxLength = requires(TBuild<T> b) {
  b.MaxLength(4);
};
template <class T>
concept HasBounds = requires(TBuild<T> b) {
  b.At(1, 2);
};
template <class T>
concept HasInterval = requires(TBuild<T> b) {
  b.Interval(5000);
};
static_assert(HasMaxLength<TEdit> && HasMaxLength<TMemo> && !HasMaxLength<TLabel>);
static_assert(HasBounds<TLabel> && !HasBounds<TTimer> && HasInterval<TTimer>);
template <class T>
concept HasCaption = requires(TBuild<T> b) {
  b.Caption("");
};
static_assert(HasCaption<TButton> && HasCaption<TMenuItem> && !HasCaption<TTimer>);

class TTrunkForm : public TForm {
 public:
  explicit TTrunkForm(TComponent* owner) : TForm(owner) { InitComponents(); }

  void InitComponents() {
    TFormBuilder B(this);
    B.Form()
        .Caption("Port Trunking")
        .ClientSize(705, 355)
        .Position(poScreenCenter)
        .BorderStyle(bsSingle)
        .OnClose(this, &TTrunkForm::FormClose);
    B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
    B.Add(BT_Get, "BT_Get", Panel1)
        .At(10, 10, 96, 25)
        .Caption("Get")
        .OnClick(this, &TTrunkForm::BT_GetClick);
    B.Add(BT_Set, "BT_Set", Panel1).At(10, 40, 96, 25).Caption("Set").Enabled(false);
    B.Add(Label1, "Label1").At(16, 12).Caption("Group ID").Bold();
    B.Add(ED_Index, "ED_Index")
        .At(100, 8)
        .MaxLength(4)
        .OnChange(this, &TTrunkForm::Changed)
        .Text("1")
        .Hint("Group", true);
    B.Add(cbxState, "cbxState")
        .At(100, 36)
        .Style(csDropDownList)
        .Items({"enabled", "disabled"})
        .ItemIndex(1)
        .OnChange(this, &TTrunkForm::Changed);
    B.Add(CB_Master, "CB_Master")
        .At(100, 64)
        .Caption("Master")
        .OnClick(this, &TTrunkForm::Changed)
        .Checked();
    B.Add(LV_Trunk, "LV_Trunk")
        .At(16, 100, 400, 150)
        .Columns({{"Index", 0}, {"Ports", 120}, {"State", -2}});
    B.Add(StatusBar1, "StatusBar1").Panels({50});
    B.Add(Timer1, "Timer1").Interval(5000).Enabled(false).OnTimer([this](TObject*) { ++ticks; });
    B.Add(ED_Hidden, "ED_Hidden").Hidden().Tag(7);
  }
  void FormClose(TObject*, TCloseAction& action) { action = caFree; }
  void BT_GetClick(TObject*) { ++gets; }
  void Changed(TObject*) { ++changes; }

  TPanel* Panel1 = nullptr;
  TButton *BT_Get = nullptr, *BT_Set = nullptr;
  TLabel* Label1 = nullptr;
  TEdit *ED_Index = nullptr, *ED_Hidden = nullptr;
  TComboBox* cbxState = nullptr;
  TCheckBox* CB_Master = nullptr;
  TListView* LV_Trunk = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TTimer* Timer1 = nullptr;
  int gets = 0, changes = 0, ticks = 0;
};

class Builder : public UiTest {};

TEST_F(Builder, AResourceWrittenAsCodeMakesTheFormItDescribes) {
  auto* f = Create<TTrunkForm>(Application);
  EXPECT_EQ(f->Caption(), "Port Trunking");
  EXPECT_EQ(f->ClientWidth(), 705);
  EXPECT_EQ(f->ClientHeight(), 355);
  EXPECT_EQ(f->Width(), 711);  // bsSingle frame
  EXPECT_EQ(f->Position(), poScreenCenter);
  EXPECT_FALSE(f->Loading());
  // Owned by the form, named, on their parents.
  EXPECT_EQ(f->FindComponent("timer1"), f->Timer1);
  EXPECT_EQ(f->BT_Get->Owner(), f);
  EXPECT_EQ(f->BT_Get->Parent(), f->Panel1);
  EXPECT_EQ(f->ED_Index->Parent(), f);
  EXPECT_EQ(f->Panel1->BoundsRect(), (TRect{589, 0, 705, 336}));   // above the status bar
  EXPECT_EQ(f->ED_Index->BoundsRect(), (TRect{100, 8, 221, 29}));  // default width and height
  EXPECT_EQ(f->ED_Index->MaxLength(), 4);
  EXPECT_EQ(f->cbxState->Text(), "disabled");
  EXPECT_TRUE(f->CB_Master->Checked());
  EXPECT_FALSE(f->BT_Set->Enabled());
  EXPECT_TRUE(f->Label1->Font()->Style() & fsBold);
  EXPECT_EQ(f->LV_Trunk->Columns()->Count(), 3);
  EXPECT_EQ(f->LV_Trunk->Columns()->Items(0)->Width(), 0);
  EXPECT_EQ(f->StatusBar1->Panels()->Items(0)->Width(), 50);
  EXPECT_EQ(f->Timer1->Interval(), 5000u);
  EXPECT_FALSE(f->Timer1->Enabled());
  EXPECT_FALSE(f->ED_Hidden->Visible());
  EXPECT_EQ(f->ED_Hidden->Tag(), 7);
  EXPECT_EQ(f->ED_Index->Hint(), "Group");
  // Nothing fired while it was built; everything fires afterwards.
  EXPECT_EQ(f->changes, 0);
  f->ED_Index->SetText("2");
  f->CB_Master->SetChecked(false);
  EXPECT_EQ(f->changes, 2);
  // Creation order is the tab order.
  EXPECT_LT(f->ED_Index->TabOrder(), f->cbxState->TabOrder());
  EXPECT_LT(f->cbxState->TabOrder(), f->CB_Master->TabOrder());
  TestKit::ShowAndActivate(f);
  TestKit::Click(f->BT_Get);
  EXPECT_EQ(f->gets, 1);
  delete f;
}

// The button column of a list page: count box, label, then eight buttons,
// of which Add and Delete are hidden.
TEST_F(Builder, TheButtonColumnStacksVisibleControlsFiveApart) {
  auto* f = Create<TForm>(Application);
  f->SetClientWidth(500);
  f->SetClientHeight(400);
  TPanel* column = CreateButtonColumn(f, f);
  EXPECT_EQ(column->BoundsRect(), (TRect{384, 0, 500, 400}));
  std::vector<TControl*> stack;
  auto* count = new TStaticText(f);
  count->SetParent(column);
  count->SetAutoSize(false);
  count->SetBounds(0, 0, 75, 17);
  auto* samples = new TLabel(f);
  samples->SetParent(column);
  samples->SetAutoSize(false);
  samples->SetCaption("Samples");
  samples->SetBounds(0, 0, 75, 13);
  stack = {count, samples};
  std::vector<TBitBtn*> buttons;
  for (const char* caption :
       {"Refresh", "Edit", "Set Checked", "Add", "Delete", "Check All", "Clear Checks", "Close"}) {
    auto* b = new TBitBtn(f);
    b->SetParent(column);
    b->SetCaption(caption);
    buttons.push_back(b);
    stack.push_back(b);
  }
  buttons[3]->Hide();
  buttons[4]->Hide();
  int bottom = ArrangeColumn(stack);
  EXPECT_EQ(count->BoundsRect(), (TRect{10, 10, 106, 27}));
  EXPECT_EQ(samples->Top(), 32);
  EXPECT_EQ(buttons[0]->BoundsRect(), (TRect{10, 50, 106, 75}));
  EXPECT_EQ(buttons[2]->Top(), 110);
  EXPECT_EQ(buttons[3]->Top(), 140);  // hidden: placed, but takes no room
  EXPECT_EQ(buttons[5]->Top(), 140);
  EXPECT_EQ(buttons[7]->Top(), 200);
  EXPECT_EQ(bottom, 230);
  // Hiding the count box and label moves everything up on the next arrange.
  count->Hide();
  samples->Hide();
  ArrangeColumn(stack);
  EXPECT_EQ(buttons[0]->Top(), 10);
  delete f;
}

struct Rows {
  explicit Rows(TForm* f, const std::vector<const char*>& captions, bool ticks) {
    for (const char* c : captions) {
      TFieldRow r;
      auto* label = new TLabel(f);
      label->SetParent(f);
      label->SetCaption(c);
      auto* edit = new TEdit(f);
      edit->SetParent(f);
      r.Label = label;
      r.Field = edit;
      if (ticks) {
        r.Tick = new TCheckBox(f);
        r.Tick->SetParent(f);
        r.Tick->SetWidth(20);
      }
      rows.push_back(r);
    }
  }
  std::vector<TFieldRow> rows;
};

TEST_F(Builder, FieldRowsLineUpFiveRightOfTheWidestLabel) {
  auto* f = Create<TForm>(Application);
  std::vector<const char*> captions;
  for (int i = 0; i < 12; ++i) captions.push_back(i == 5 ? "Maximum Age of Entries" : "Port");
  Rows r(f, captions, true);
  int widest = r.rows[5].Label->Width();
  ASSERT_GT(widest, r.rows[0].Label->Width());
  TRect box = ArrangeFieldRows(r.rows);
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    const TFieldRow& row = r.rows[static_cast<std::size_t>(i)];
    EXPECT_EQ(row.Field->Top(), 20 + 26 * i);
    EXPECT_EQ(row.Field->Left(), 45 + widest + 5);
    EXPECT_EQ(row.Field->Width(), 121);
    EXPECT_EQ(row.Tick->Left(), 20);
    EXPECT_EQ(row.Label->Left(), 45);
    EXPECT_EQ(row.Tick->Top(), row.Field->Top() + 2);  // 17 high on 21
    EXPECT_EQ(row.Label->Top(), row.Field->Top() + (21 - row.Label->Height()) / 2);
  }
  EXPECT_EQ(box, (TRect{20, 20, 45 + widest + 5 + 121, 20 + 26 * 11 + 21}));
  // A hidden row takes no room.
  r.rows[0].Field->Hide();
  ArrangeFieldRows(r.rows);
  EXPECT_EQ(r.rows[1].Field->Top(), 20);
  // Two columns side by side: 11 rows share out 6 and 5.
  TFieldLayout two;
  two.Columns = 2;
  box = ArrangeFieldRows(r.rows, two);
  EXPECT_EQ(r.rows[6].Field->Top(), 20 + 26 * 5);
  EXPECT_EQ(r.rows[7].Field->Top(), 20);
  int secondLeft = r.rows[1].Field->Left() + 121 + 20;
  EXPECT_EQ(r.rows[7].Tick->Left(), secondLeft);
  EXPECT_EQ(r.rows[7].Field->Left(), secondLeft + 25 + r.rows[7].Label->Width() + 5);
  EXPECT_EQ(box.Right, r.rows[7].Field->Left() + 121);
  delete f;
}

TEST_F(Builder, WithoutTickBoxesLabelsStartAtTheMarginAndTheFormFits) {
  auto* f = Create<TForm>(Application);
  f->SetBorderStyle(bsDialog);
  Rows r(f, {"IP Address", "Port"}, false);
  auto* buttons = CreateButtonColumn(f, f);
  ArrangeFieldRows(r.rows);
  EXPECT_EQ(r.rows[0].Label->Left(), 20);
  EXPECT_EQ(r.rows[1].Field->Left(), 20 + r.rows[0].Label->Width() + 5);
  FitToContent(f);
  EXPECT_EQ(f->ClientWidth(), r.rows[1].Field->Left() + 121 + 8 + 116);
  EXPECT_EQ(f->ClientHeight(), 20 + 26 + 21 + 8);
  EXPECT_EQ(buttons->Left(), f->ClientWidth() - 116);
  delete f;
}

}  // namespace
