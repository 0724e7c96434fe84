// Labels, static texts, edit boxes, check boxes, buttons and group boxes.
#include "platform/StdCtrls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MaxLength.h"
#include "ShownLater.h"
#include "Widgets.h"
#include "platform/Buttons.h"

using namespace ui_detail;

namespace ui_detail {

QSize TextExtent(const TFont& font, const AnsiString& text) {
  QFontMetrics fm(ToQFont(font));
  QStringList lines = Q(text.IsEmpty() ? AnsiString(" ") : text).split('\n');
  int w = 0;
  for (const QString& l : lines) w = std::max(w, fm.horizontalAdvance(l));
  int lineHeight = -font.Height() > 0 ? -font.Height() + 2 : fm.height();
  return {w, lineHeight * static_cast<int>(lines.size())};
}

}  // namespace ui_detail

namespace {

Qt::Alignment ToQAlign(TAlignment a) {
  switch (a) {
    case taCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case taRightJustify:
      return Qt::AlignRight | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// An edit box's line edit.
using EditWidget = Clickable<QLineEdit>;

// A label's text follows its control at a human rate (ShownLater.h): a
// count set after every row of a walk repaints a few dozen times a second.
// The text waits as the control holds it and is converted for the widget
// when the widget follows, so that such a count costs a copy per row.
class LabelWidget : public Clickable<QLabel> {
 public:
  LabelWidget() {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  void ShowText(const AnsiString& text) {
    wanted_ = text;
    if (wanted_ != shownText_) shown_.Changed();
  }

 private:
  AnsiString wanted_;
  AnsiString shownText_;  // what the widget shows
  ShownLater shown_{[this] {
    if (wanted_ == shownText_) return;
    shownText_ = wanted_;
    setText(Q(shownText_));
  }};
};

}  // namespace

// ---- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner, new Peer(new LabelWidget()), 0, 0) {
  AdjustSize();
}

void TLabel::AdjustSize() {
  WidgetAs<LabelWidget>(this)->ShowText(text_);
  if (!autoSize_ || wordWrap_) return;
  QSize s = TextExtent(*Font(), text_);
  int w = s.width();
  // A right-aligned or centred label keeps its right edge or centre.
  int left = Left();
  if (alignment_ == taRightJustify)
    left = Left() + Width() - w;
  else if (alignment_ == taCenter && Width() > 0)
    left = Left() + (Width() - w) / 2;
  TGraphicControl::SetBounds(left, Top(), w, s.height());
}

void TLabel::SetBounds(int l, int t, int w, int h) {
  if (autoSize_ && !wordWrap_) {
    QSize s = TextExtent(*Font(), text_);
    w = s.width();
    h = s.height();
  }
  TGraphicControl::SetBounds(l, t, w, h);
}

// The same text again changes nothing (a count set at every change of a
// list's rows is mostly the one it already shows).
void TLabel::SetTextValue(const AnsiString& v) {
  if (v == text_) return;
  text_ = v;
  AdjustSize();
}

void TLabel::FontChanged() {
  TControl::FontChanged();
  AdjustSize();
}

void TLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustSize();
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  WidgetAs<QLabel>(this)->setAlignment((ToQAlign(a) & ~Qt::AlignVCenter) | Qt::AlignTop);
}

void TLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  WidgetAs<QLabel>(this)->setWordWrap(v);
}

void TLabel::SetTransparent(bool v) { transparent_ = v; }

// ---- TStaticText

TStaticText::TStaticText(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new LabelWidget()), 0, 0) {
  AdjustSize();
}

void TStaticText::AdjustSize() {
  WidgetAs<LabelWidget>(this)->ShowText(text_);
  if (!autoSize_) return;
  QSize s = TextExtent(*Font(), text_);
  int frame = borderStyle_ == sbsNone ? 0 : 2;
  SetBounds(Left(), Top(), s.width() + 2 * frame, s.height() + 2 * frame);
}

void TStaticText::SetBounds(int l, int t, int w, int h) {
  if (autoSize_) {
    QSize s = TextExtent(*Font(), text_);
    int frame = borderStyle_ == sbsNone ? 0 : 2;
    w = s.width() + 2 * frame;
    h = s.height() + 2 * frame;
  }
  TWinControl::SetBounds(l, t, w, h);
}

void TStaticText::SetTextValue(const AnsiString& v) {
  if (v == text_) return;  // as a label's
  text_ = v;
  AdjustSize();
}

void TStaticText::FontChanged() {
  TControl::FontChanged();
  AdjustSize();
}

void TStaticText::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustSize();
}

void TStaticText::SetAlignment(TAlignment a) {
  alignment_ = a;
  WidgetAs<QLabel>(this)->setAlignment(ToQAlign(a));
}

void TStaticText::SetBorderStyle(TStaticBorderStyle b) {
  borderStyle_ = b;
  auto* l = WidgetAs<QLabel>(this);
  if (b == sbsSunken) {
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setLineWidth(1);
  } else if (b == sbsSingle) {
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    l->setLineWidth(1);
  } else {
    l->setFrameStyle(QFrame::NoFrame);
  }
  AdjustSize();
}

// ---- TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, new Peer(new EditWidget()), 121, 21) {
  SetTabStop(true);
  SetColor(clWindow);
  auto* le = WidgetAs<EditWidget>(this);
  // The user's input that would pass MaxLength goes to OnOverflow first
  // (code puts its text in with the signals blocked).
  auto fit = [this, le](QString& input) {
    if (le->signalsBlocked() || !OnOverflow) return false;
    AnsiString text = EditedBytes(input, text_);
    bool taken = false;
    Guarded(this, [&] { taken = OnOverflow(this, text); });
    if (taken) input = Q(text);
    return taken;
  };
  le->setValidator(new MaxLengthValidator(
      [this] { return MaxLength(); },
      [this](const QString& t) { return EditedBytes(t, text_).Length(); }, le, fit));
  QObject::connect(le, &QLineEdit::textEdited, le, [this](const QString&) { UserEdited(); });
}

// The widget may still take the focus away (and ask the validator) once
// this object is gone: it asks nothing of it from here on.
TEdit::~TEdit() {
  if (auto* le = WidgetAs<EditWidget>(this)) {
    le->setValidator(nullptr);
    QObject::disconnect(le, nullptr, le, nullptr);
  }
}

AnsiString TEdit::GetText() const { return text_.Now; }

// A change by code fires OnChange synchronously, outside the toolkit, so
// that the handler's exceptions reach the caller. Text put by code is not
// the user's: Modified is cleared, as the system's edit control does.
void TEdit::SetTextValue(const AnsiString& v) {
  modified_ = false;
  const bool same = v == text_.Now;
  text_.Put(v);
  if (same) return;
  auto* le = WidgetAs<EditWidget>(this);
  {
    QSignalBlocker block(le);
    le->setText(Q(v));
  }
  if (!Quiet() && OnChange) OnChange(this);
}

// The user typed, deleted or pasted. When OnChange rewrites the text (a
// character filter), the caret stays where the removed characters were.
void TEdit::UserEdited() {
  auto* le = WidgetAs<QLineEdit>(this);
  text_.Now = EditedBytes(le->text(), text_);
  QString typed = le->text();
  int caret = le->cursorPosition();
  modified_ = true;
  if (Quiet() || !OnChange) return;
  std::weak_ptr<void> alive = LifeToken();
  Guarded(this, [this] { OnChange(this); });
  if (alive.expired()) return;
  QString now = le->text();
  if (now != typed) {
    int removed = static_cast<int>(typed.size() - now.size());
    int pos = caret - std::max(0, removed);
    le->setCursorPosition(std::clamp(pos, 0, static_cast<int>(now.size())));
  }
}

void TEdit::SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }

void TEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  WidgetAs<QLineEdit>(this)->setReadOnly(v);
}

void TEdit::SetPasswordChar(char c) {
  passwordChar_ = c;
  WidgetAs<QLineEdit>(this)->setEchoMode(c ? QLineEdit::Password : QLineEdit::Normal);
}

int TEdit::SelStart() const { return WidgetAs<QLineEdit>(this)->cursorPosition(); }
void TEdit::SetSelStart(int v) { WidgetAs<QLineEdit>(this)->setCursorPosition(v); }
int TEdit::SelLength() const {
  return static_cast<int>(WidgetAs<QLineEdit>(this)->selectedText().size());
}
void TEdit::SetSelLength(int v) {
  auto* le = WidgetAs<QLineEdit>(this);
  le->setSelection(le->cursorPosition(), v);
}
void TEdit::SelectAll() { WidgetAs<QLineEdit>(this)->selectAll(); }

// ---- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, new Peer(new QCheckBox()), 97, 17) {
  SetTabStop(true);
  auto* cb = WidgetAs<QCheckBox>(this);
  QObject::connect(cb, &QCheckBox::clicked, cb, [this](bool on) { UserToggled(on); });
}

void TCheckBox::SetTextValue(const AnsiString& v) {
  text_ = v;
  WidgetAs<QCheckBox>(this)->setText(Q(v));
}

// As the class library does: a change of state by code runs OnClick.
void TCheckBox::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  auto* cb = WidgetAs<QCheckBox>(this);
  {
    QSignalBlocker block(cb);
    cb->setChecked(v);
  }
  if (!Quiet()) Click();
}

void TCheckBox::UserToggled(bool on) {
  checked_ = on;
  if (!Quiet()) Guarded(this, [this] { Click(); });
}

// ---- TButton

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, new Peer(new QPushButton()), 75, 25) {
  SetTabStop(true);
  auto* b = WidgetAs<QPushButton>(this);
  b->setAutoDefault(false);
  QObject::connect(b, &QPushButton::clicked, b, [this] { Guarded(this, [this] { Click(); }); });
}

void TButton::SetTextValue(const AnsiString& v) {
  text_ = v;
  WidgetAs<QPushButton>(this)->setText(Q(v));
}

void TButton::SetDefault(bool v) {
  default_ = v;
  WidgetAs<QPushButton>(this)->setDefault(v);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* f = OwningForm()) f->SetModalResult(modalResult_);
  TControl::Click();
}

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner)
    : TWinControl(AOwner, new Peer(new Clickable<QGroupBox>()), 185, 105) {}

void TGroupBox::SetTextValue(const AnsiString& v) {
  text_ = v;
  WidgetAs<QGroupBox>(this)->setTitle(Q(v));
}

TRect TGroupBox::AlignRect() const {
  int b = BorderWidth();
  int caption = TextExtent(*Font(), "0").height();
  return {2 + b, caption + 2 + b, ClientWidth() - 2 - b, ClientHeight() - 2 - b};
}
