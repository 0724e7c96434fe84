// One form with every control, drawn offscreen for people to look at, with
// the geometry the Align model must give.
#include "UiTestSupport.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner) : TForm(owner) {
    TLoadingScope loading(this);
    SetCaption("Gallery");
    SetBorderStyle(bsSingle);
    SetClientWidth(720);
    SetClientHeight(480);

    Top = Make<TPanel>(this);
    Top->SetHeight(64);
    Top->SetAlign(alTop);
    auto* l1 = Make<TLabel>(Top);
    l1->SetCaption("Device address");
    l1->SetBounds(10, 12, 0, 0);
    Address = Make<TEdit>(Top);
    Address->SetBounds(110, 8, 121, 21);
    Address->SetText("192.168.10.1");
    auto* l2 = Make<TLabel>(Top);
    l2->SetCaption("Mode");
    l2->SetBounds(250, 12, 0, 0);
    Mode = Make<TComboBox>(Top);
    Mode->SetStyle(csDropDownList);
    Mode->SetBounds(290, 8, 145, 21);
    for (const char* s : {"Enabled", "Disabled"}) Mode->Items()->Add(s);
    Mode->SetItemIndex(0);
    auto* st = Make<TStaticText>(Top);
    st->SetBorderStyle(sbsSunken);
    st->SetAutoSize(false);
    st->SetAlignment(taCenter);
    st->SetBounds(450, 8, 60, 21);
    st->SetCaption("12");
    Check = Make<TCheckBox>(Top);
    Check->SetCaption("Enable trap");
    Check->SetBounds(10, 38, 97, 17);
    Check->SetChecked(true);
    auto* c2 = Make<TCheckBox>(Top);
    c2->SetCaption(" Enable Replace DSCP");
    c2->SetBounds(120, 38, 150, 17);
    auto* kind = Make<TComboBox>(Top);
    kind->SetBounds(290, 36, 145, 21);
    kind->SetText("Source Ports");

    Status = Make<TStatusBar>(this);
    for (const char* s : {"Ready", "Get: Ok!"}) {
      TStatusPanel* p = Status->Panels()->Add();
      p->SetWidth(120);
      p->SetText(s);
    }
    Memo = Make<TMemo>(this);
    Memo->SetAlign(alBottom);
    Memo->SetHeight(60);
    Memo->Lines()->Add("Get: Ok! Request:[System]. Receive at 03:07:09 PM.");
    Memo->Lines()->Add("Set: Ok! Request:[Ports]. Receive at 03:07:12 PM.");

    Left = Make<TPanel>(this);
    Left->SetWidth(200);
    Left->SetAlign(alLeft);
    Left->SetBevelOuter(bvLowered);
    Pages = Make<TPageControl>(Left);
    Pages->SetAlign(alClient);
    for (const char* caption : {"Unit 1", "Unit 2"}) {
      auto* sheet = new TTabSheet(this);
      sheet->SetPageControl(Pages);
      sheet->SetCaption(caption);
    }
    auto* group = Make<TGroupBox>(Pages->Pages(0));
    group->SetCaption("Ports");
    group->SetBounds(6, 6, 180, 120);
    for (int i = 0; i < 8; ++i) {
      auto* box = Make<TCheckBox>(group);
      box->SetCaption(AnsiString(i + 1));
      box->SetBounds(10 + (i % 4) * 40, 22 + (i / 4) * 17, 32, 17);
      box->SetChecked(i % 3 == 0);
    }
    auto* scroll = Make<TScrollBox>(Pages->Pages(0));
    scroll->SetBounds(6, 132, 180, 80);
    for (int i = 0; i < 5; ++i) {
      auto* e = Make<TEdit>(scroll);
      e->SetBounds(4, 4 + i * 26, 140, 21);
      e->SetText("row " + AnsiString(i));
    }

    Right = Make<TPanel>(this);
    Right->SetWidth(116);
    Right->SetAlign(alRight);
    Right->SetBevelOuter(bvNone);
    int y = 10;
    for (const char* caption : {"Refresh", "Add", "Edit", "Delete", "Close"}) {
      TButton* b = std::string(caption) == "Close" ? new TBitBtn(this) : new TButton(this);
      b->SetParent(Right);
      b->SetCaption(caption);
      b->SetBounds(10, y, 96, 25);
      y += 30;
    }
    Splitter = Make<TSplitter>(this);
    Splitter->SetAlign(alRight);
    Splitter->SetLeft(Right->Left() - 1);

    List = Make<TListView>(this);
    List->SetAlign(alClient);
    List->SetViewStyle(vsReport);
    List->SetRowSelect(true);
    List->SetGridLines(true);
    List->SetHideSelection(false);
    const char* captions[] = {"Key", "Port", "VLAN Name", "Status        "};
    const int widths[] = {0, 50, 110, -2};
    for (int i = 0; i < 4; ++i) {
      TListColumn* c = List->Columns()->Add();
      c->SetCaption(captions[i]);
      c->SetWidth(widths[i]);
    }
    for (int r = 0; r < 8; ++r) {
      TListItem* it = List->Items()->Add();
      it->SetCaption(AnsiString(r));
      it->SubItems()->Add(AnsiString(r + 1));
      it->SubItems()->Add("vlan" + AnsiString(10 * (r + 1)));
      it->SubItems()->Add(r % 2 ? "Disabled" : "Enabled");
    }
    List->SetItemIndex(2);
  }
  template <class T>
  T* Make(TWinControl* parent) {
    T* c = new T(this);
    c->SetParent(parent);
    return c;
  }
  TPanel *Top, *Left, *Right;
  TEdit* Address;
  TComboBox* Mode;
  TCheckBox* Check;
  TStatusBar* Status;
  TMemo* Memo;
  TPageControl* Pages;
  TSplitter* Splitter;
  TListView* List;
};

class Gallery : public UiTest {};

TEST_F(Gallery, EveryControlOnOneFormAlignedAndDrawn) {
  auto* f = Create<TGalleryForm>(Application);
  // The Align model: top 64, status 19 and memo 60 at the bottom, left 200,
  // right 116 with a 3-pixel splitter, the list view in the rest.
  EXPECT_EQ(f->Top->BoundsRect(), (TRect{0, 0, 720, 64}));
  EXPECT_EQ(f->Status->BoundsRect(), (TRect{0, 461, 720, 480}));
  EXPECT_EQ(f->Memo->BoundsRect(), (TRect{0, 401, 720, 461}));
  EXPECT_EQ(f->Left->BoundsRect(), (TRect{0, 64, 200, 401}));
  EXPECT_EQ(f->Right->BoundsRect(), (TRect{604, 64, 720, 401}));
  EXPECT_EQ(f->Splitter->BoundsRect(), (TRect{601, 64, 604, 401}));
  EXPECT_EQ(f->List->BoundsRect(), (TRect{200, 64, 601, 401}));
  EXPECT_EQ(f->Pages->BoundsRect(), (TRect{1, 1, 199, 336}));
  EXPECT_EQ(f->List->Columns()->Items(0)->Width(), 0);
  TestKit::ShowAndActivate(f);
  // Dragging the splitter resizes the right panel, and the list view follows.
  f->Splitter->Dragged(-20);
  EXPECT_EQ(f->Right->Width(), 136);
  EXPECT_EQ(f->List->Width(), 381);
  f->Splitter->Dragged(20);
  TestKit::Pump();
  std::string path = vntest::ArtifactsDir() + "/platform-gallery.png";
  EXPECT_TRUE(TestKit::Grab(f, path));
  delete f;
}

}  // namespace
