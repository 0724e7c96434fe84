// One form with every control, drawn offscreen for people to look at, with
// the geometry the Align model must give.
#include <vector>

#include "UiTestSupport.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

// A 16 x 16 glyph: a green tick on a magenta (transparent) background.
TBitmap TickGlyph() {
  TBitmap b;
  b.SetSize(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) b.SetPixel(x, y, 0xFFFF00FFu);
  for (int i = 0; i < 4; ++i)
    for (int t = 0; t < 2; ++t) b.SetPixel(3 + i, 8 + i + t, 0xFF008000u);
  for (int i = 0; i < 8; ++i)
    for (int t = 0; t < 2; ++t) b.SetPixel(6 + i, 11 - i + t, 0xFF008000u);
  return b;
}

class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner) : TForm(owner) {
    TLoadingScope loading(this);
    SetCaption("Gallery");
    SetBorderStyle(bsSingle);
    SetClientWidth(720);
    SetClientHeight(512);

    Menu = new TMainMenu(this);
    for (const char* path :
         {"Basic Configuration > Device Management > System Information", "Basic Configuration > -",
          "Basic Configuration > About", "RMON > Statistics", "Bridge > Bridge Information",
          "VLAN > 802.1Q Static VLAN", "SNMP V3 > User Table", "Help > About"})
      AddMenuEntry(Menu, path, "", nullptr);
    Menu->Items()->Items(4)->SetEnabled(false);
    SetMenu(Menu);

    Top = Make<TPanel>(this);
    Top->SetHeight(96);
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
    Progress = Make<TProgressBar>(Top);
    Progress->SetBounds(10, 68, 225, 16);
    Progress->SetMax(76);
    Progress->SetPosition(30);
    // The LED colours of the front panel, then the other shapes.
    const TColor leds[] = {0xFFFFFF, 0x00FF00, 0xFF0000, 0x0000FF, 0x4080FF, 0x000000};
    for (int i = 0; i < 6; ++i) {
      auto* led = Make<TShape>(Top);
      led->SetBounds(250 + i * 16, 70, 10, 10);
      led->Brush()->SetColor(leds[i]);
      led->Pen()->SetColor(leds[i]);
      Shapes.push_back(led);
    }
    const TShapeType kinds[] = {stCircle, stRoundRect, stEllipse};
    for (int i = 0; i < 3; ++i) {
      auto* s = Make<TShape>(Top);
      s->SetShape(kinds[i]);
      s->SetBounds(350 + i * 30, 66, 24, 18);
      s->Brush()->SetColor(i == 0 ? clYellow : i == 1 ? clAqua : clSilver);
      Shapes.push_back(s);
    }
    Face = Make<TImage>(Top);
    Face->SetBounds(520, 8, 190, 30);
    Face->SetStretch(true);
    Face->Picture()->LoadFromFile(
        (vntest::SourceDir() + "/resources/panel/kxr5810-face.jpg").c_str());
    Icon = Make<TImage>(Top);
    Icon->SetBounds(520, 48, 0, 0);
    Icon->SetAutoSize(true);
    Icon->Picture()->LoadFromFile((vntest::SourceDir() + "/resources/about/kxr5810.bmp").c_str());
    auto* link = Make<TImage>(Top);
    link->SetBounds(570, 56, 37, 15);
    link->Picture()->LoadFromFile(
        (vntest::SourceDir() + "/resources/panel/link-green.bmp").c_str());
    auto* combo = Make<TImage>(Top);
    combo->SetBounds(620, 56, 42, 15);
    combo->Picture()->LoadFromFile(
        (vntest::SourceDir() + "/resources/panel/combo-orange.bmp").c_str());

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
    // A glyph-only button, and speed buttons with one down.
    Glyph = new TBitBtn(this);
    Glyph->SetParent(Right);
    Glyph->SetBounds(10, y, 96, 25);
    Glyph->SetGlyph(TickGlyph());
    y += 30;
    for (int i = 0; i < 3; ++i) {
      auto* sb = new TSpeedButton(this);
      sb->SetParent(Right);
      sb->SetBounds(10 + i * 32, y, 30, 22);
      sb->SetCaption(AnsiString(i + 1) + ".1");
      sb->SetGroupIndex(1);
      sb->SetDown(i == 1);
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
  TMainMenu* Menu;
  TProgressBar* Progress;
  std::vector<TShape*> Shapes;
  TImage *Face, *Icon;
  TBitBtn* Glyph;
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
  // The Align model: top 96, status 19 and memo 60 at the bottom, left 200,
  // right 116 with a 3-pixel splitter, the list view in the rest. The menu
  // bar lies outside the client area.
  EXPECT_EQ(f->Height() - f->ClientHeight(), 29 + 20);
  EXPECT_EQ(f->Top->BoundsRect(), (TRect{0, 0, 720, 96}));
  EXPECT_EQ(f->Status->BoundsRect(), (TRect{0, 493, 720, 512}));
  EXPECT_EQ(f->Memo->BoundsRect(), (TRect{0, 433, 720, 493}));
  EXPECT_EQ(f->Left->BoundsRect(), (TRect{0, 96, 200, 433}));
  EXPECT_EQ(f->Right->BoundsRect(), (TRect{604, 96, 720, 433}));
  EXPECT_EQ(f->Splitter->BoundsRect(), (TRect{601, 96, 604, 433}));
  EXPECT_EQ(f->List->BoundsRect(), (TRect{200, 96, 601, 433}));
  EXPECT_EQ(f->Pages->BoundsRect(), (TRect{1, 1, 199, 336}));
  EXPECT_EQ(f->List->Columns()->Items(0)->Width(), 0);
  EXPECT_EQ(f->Icon->BoundsRect(), (TRect{520, 48, 552, 80}));  // AutoSize: 32 x 32
  TestKit::ShowAndActivate(f);
  // Dragging the splitter resizes the right panel, and the list view follows.
  f->Splitter->Dragged(-20);
  EXPECT_EQ(f->Right->Width(), 136);
  EXPECT_EQ(f->List->Width(), 381);
  f->Splitter->Dragged(20);
  TestKit::Pump();
  std::string path = vntest::ArtifactsDir() + "/platform-gallery.png";
  EXPECT_TRUE(TestKit::Grab(f, path));
  // The LEDs in their exact colours, below the 20-pixel menu bar.
  TPixels shot = TestKit::GrabPixels(f);
  ASSERT_EQ(shot.Height, 532);
  EXPECT_EQ(shot.At(250 + 4 * 16 + 5, 20 + 70 + 5), 0xFFFF8040u);  // orange 0x4080FF
  EXPECT_EQ(shot.At(250 + 1 * 16 + 5, 20 + 70 + 5), 0xFF00FF00u);
  delete f;
}

}  // namespace
