// The edit-constraint grammar and checks: the first line is a spec (or a
// run of specs for several edits), the next two lines texts typed into the
// first edit and then left. Every input goes through the change filter and
// the exit check directly; about one in 32 (by a hash of its bytes; every
// kept input when replayed) is also typed into the real edit (each typed
// text costs the toolkit a text layout), which must end with the text the
// filter gave. Message boxes are answered at once and beeps are silent.
#include <memory>
#include <string>
#include <vector>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnEditConstraint.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/LaunchServices.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

constexpr std::size_t kMostTexts = 2;

class Answering : public IDialogService {
 public:
  int Show(const TDialogRequest&) override { return mrOk; }
};

class Silent : public TBeeper {
 public:
  void Beep(DWORD, DWORD) override {}
  void MessageBeep(UINT) override {}
};

struct Edits {
  Answering answering;
  Silent silent;
  std::vector<std::unique_ptr<TEdit>> edits;
  std::unique_ptr<TList> list = std::make_unique<TList>();
  Edits() {
    TestKit::EnsureApplication();
    SetDialogService(&answering);
    SetBeeper(&silent);
    for (int i = 0; i < 3; ++i) {
      edits.push_back(std::make_unique<TEdit>(nullptr));
      list->Add(edits.back().get());
    }
  }
};

// The text the change filter leaves of a typed text, checked step by step.
AnsiString Filtered(const _EditConstraint_s& r, AnsiString text) {
  while (!text.IsEmpty() && text != "(NOTDONE)" && text != "(NULL)") {
    const int before = text.Length();
    if (VnEditConstraint::FilterOnce(r, text) == VnEditConstraint::FilterStep::Passed) break;
    if (text.Length() != before - 1) vnfuzz::Broken("a filter step did not take out one character");
  }
  return text;
}

}  // namespace

void vnfuzz::RunConstraintInput(const std::uint8_t* data, std::size_t size) {
  static Edits fixture;
  const std::vector<std::string> lines = Split(Text(data, size), "\n");
  VnEditConstraint constraint(nullptr, 1);
  try {
    if (lines[0].find('%', 1) != std::string::npos)
      constraint.AddFormat(AnsiString(lines[0]), fixture.list.get());
    else
      constraint.Add(AnsiString(lines[0]), fixture.edits[0].get());
  } catch (const Exception&) {
    // A bad spec: the bad-format error or a conversion error.
  }
  TEdit* edit = fixture.edits[0].get();
  // Any change of the input may move it to the typed ones.
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  const bool typed = Replaying || hash % 32 == 0;
  // Two texts show every path (a valid one, then one that is not).
  for (std::size_t i = 1; i < lines.size() && i <= kMostTexts; ++i) {
    const AnsiString line(lines[i]);
    const _EditConstraint_s* r = constraint.Find(edit);
    const AnsiString kept = r ? Filtered(*r, line) : line;
    if (r) (void)constraint.ExitMessage(*r, kept);
    if (!typed) continue;
    edit->SetText(line);
    edit->UserEdited();  // as if the user had pasted it: runs the change filter
    if (edit->Text() != kept) Broken("the edit kept another text than the filter gave");
    constraint.EditExit(edit);
  }
  // The edits outlive the constraint: they get their handlers back.
  for (const auto& e : fixture.edits) {
    constraint.Remove(e.get());
    if (e->MaxLength() != 0) e->SetMaxLength(0);
    if (!e->Text().IsEmpty()) e->SetText("");
  }
}
