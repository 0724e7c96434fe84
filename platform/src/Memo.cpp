// Memos: the lines live here; the widget shows them.
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "Toolkit.h"
#include "platform/StdCtrls.h"

using namespace ui_detail;

namespace {

// Line breaks in a text: each counts two octets (CR LF) in the memo's Text.
int LineBreaks(const QString& text) {
  int n = 0;
  for (QChar c : text)
    if (c == QChar('\n') || c == QChar::ParagraphSeparator) ++n;
  return n;
}

// The memo's text as its blocks hold it, joined with line feeds (the plain
// text would turn no-break spaces into blanks).
QString BlocksText(const QTextDocument* doc) {
  QString text;
  if (doc->isEmpty()) return text;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    if (b != doc->begin()) text += '\n';
    text += b.text();
  }
  return text;
}

class MemoWidget : public QPlainTextEdit {
 public:
  bool publishing = false;

  // Whether the user may put `added` in place of the selection under the
  // memo's MaxLength, counting the octets of the memo's Text.
  bool Fits(const QString& added) const {
    auto* memo = dynamic_cast<TMemo*>(ControlOf(this));
    if (!memo || memo->MaxLength() <= 0 || added.isEmpty()) return true;
    const TTextBytes held = memo->HeldText();
    const QString text = BlocksText(document());
    const QTextCursor cursor = textCursor();
    const QString after =
        text.left(cursor.selectionStart()) + added + text.mid(cursor.selectionEnd());
    const int now = held.Now.Length() + LineBreaks(text);
    const int then = EditedBytes(after, held).Length() + LineBreaks(after);
    return then <= memo->MaxLength() || then < now;
  }

  void Paste(const QString& text) {
    QMimeData mime;
    mime.setText(text);
    insertFromMimeData(&mime);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    QString added;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
      added = QStringLiteral("\n");
    else if (!e->text().isEmpty() && e->text()[0].unicode() >= 32 &&
             !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
      added = e->text();
    if (!isReadOnly() && !Fits(added)) {
      e->accept();  // refused, as the system's edit control refuses it
      return;
    }
    QPlainTextEdit::keyPressEvent(e);
  }
  void insertFromMimeData(const QMimeData* source) override {
    if (source && source->hasText() && !Fits(source->text())) return;
    QPlainTextEdit::insertFromMimeData(source);
  }
};

}  // namespace

// ---- TMemoLines

void TMemoLines::Check(int i) const {
  if (i < 0 || i >= Count()) IndexError(i);
}

AnsiString TMemoLines::Strings(int i) const {
  Check(i);
  return lines_[static_cast<std::size_t>(i)];
}

void TMemoLines::SetStrings(int i, const AnsiString& s) {
  Check(i);
  lines_[static_cast<std::size_t>(i)] = s;
  Changed(-1);
}

TObject* TMemoLines::Objects(int i) const {
  Check(i);
  return nullptr;
}

void TMemoLines::SetObjects(int i, TObject*) { Check(i); }

void TMemoLines::InsertObject(int i, const AnsiString& s, TObject*) {
  if (i < 0 || i > Count()) IndexError(i);
  // A line may hold line breaks: each becomes a line of its own.
  std::vector<AnsiString> parts;
  AnsiString rest = s;
  for (int p; (p = rest.Pos("\n")) > 0;) {
    AnsiString part = rest.SubString(1, p - 1);
    if (part.Length() > 0 && part[part.Length()] == '\r') part.SetLength(part.Length() - 1);
    parts.push_back(part);
    rest = rest.SubString(p + 1, rest.Length());
  }
  parts.push_back(rest);
  bool append = i == Count();
  lines_.insert(lines_.begin() + i, parts.begin(), parts.end());
  Changed(append && parts.size() == 1 ? i : -1);
}

void TMemoLines::Delete(int i) {
  Check(i);
  lines_.erase(lines_.begin() + i);
  Changed(-1);
}

void TMemoLines::Clear() {
  lines_.clear();
  Changed(-1);
}

void TMemoLines::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0) Changed(-1);
}

void TMemoLines::Changed(int appendedAt) {
  if (updating_ == 0) memo_->Publish(appendedAt);
}

void TMemoLines::Reload(const AnsiString& text) {
  lines_.clear();
  if (text.IsEmpty()) return;
  AnsiString rest = text;
  for (int p; (p = rest.Pos("\n")) > 0;) {
    lines_.push_back(rest.SubString(1, p - 1));
    rest = rest.SubString(p + 1, rest.Length());
  }
  lines_.push_back(rest);
}

// ---- TMemo

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, new Peer(new MemoWidget()), 185, 89) {
  SetTabStop(true);
  SetColor(clWindow);
  auto* m = WidgetAs<MemoWidget>(this);
  m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  m->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QObject::connect(m, &QPlainTextEdit::textChanged, m, [this] { UserEdited(); });
}

TMemo::~TMemo() {
  BeginDestroy();
  if (auto* m = WidgetAs<MemoWidget>(this)) QObject::disconnect(m, nullptr, m, nullptr);
}

AnsiString TMemo::Joined(const char* lineBreak) const {
  AnsiString out;
  for (std::size_t i = 0; i < lines_.lines_.size(); ++i) {
    if (i) out += lineBreak;
    out += lines_.lines_[i];
  }
  return out;
}

TTextBytes TMemo::HeldText() const { return {shown_, Joined("\n")}; }

// Shows the lines; an appended last line scrolls into view.
void TMemo::Publish(int appendedAt) {
  auto* m = WidgetAs<MemoWidget>(this);
  shown_ = Joined("\n");
  m->publishing = true;
  if (appendedAt >= 0 && appendedAt == lines_.Count() - 1 && appendedAt > 0) {
    m->appendPlainText(Q(lines_.lines_.back()));
  } else {
    QString all;
    for (std::size_t i = 0; i < lines_.lines_.size(); ++i) {
      if (i) all += '\n';
      all += Q(lines_.lines_[i]);
    }
    m->setPlainText(all);
  }
  m->publishing = false;
  if (appendedAt >= 0) m->verticalScrollBar()->setValue(m->verticalScrollBar()->maximum());
}

void TMemo::UserEdited() {
  auto* m = WidgetAs<MemoWidget>(this);
  if (!m || m->publishing) return;
  // What the user left alone keeps its bytes.
  const QString text = BlocksText(m->document());
  lines_.Reload(text.isEmpty() ? AnsiString() : EditedBytes(text, HeldText()));
  if (!Quiet() && OnChange) Guarded(this, [this] { OnChange(this); });
}

AnsiString TMemo::GetText() const { return Joined("\r\n"); }

void TMemo::SetTextValue(const AnsiString& v) {
  lines_.BeginUpdate();
  lines_.Reload("");
  AnsiString rest = v;
  std::vector<AnsiString> parts;
  if (!v.IsEmpty()) {
    for (int p; (p = rest.Pos("\n")) > 0;) {
      AnsiString part = rest.SubString(1, p - 1);
      if (part.Length() > 0 && part[part.Length()] == '\r') part.SetLength(part.Length() - 1);
      parts.push_back(part);
      rest = rest.SubString(p + 1, rest.Length());
    }
    parts.push_back(rest);
  }
  lines_.lines_ = parts;
  lines_.EndUpdate();
  if (!Quiet() && OnChange) OnChange(this);
}

// A read-only memo keeps the caret the keys move, as the system's edit
// control does: it shows where the focus is.
void TMemo::SetReadOnly(bool v) {
  readOnly_ = v;
  auto* m = WidgetAs<MemoWidget>(this);
  m->setReadOnly(v);
  if (v) m->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TMemo::SetWordWrap(bool v) {
  wordWrap_ = v;
  WidgetAs<MemoWidget>(this)->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth
                                                : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle s) {
  scrollBars_ = s;
  auto* m = WidgetAs<MemoWidget>(this);
  m->setVerticalScrollBarPolicy((s == ssVertical || s == ssBoth) ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAsNeeded);
  m->setHorizontalScrollBarPolicy((s == ssHorizontal || s == ssBoth) ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAsNeeded);
}

namespace ui_detail {

void PasteIntoMemo(TMemo* memo, const QString& text) {
  if (auto* m = WidgetAs<MemoWidget>(memo)) m->Paste(text);
}

}  // namespace ui_detail
