#include "library/VnRequestStatusText.h"

#include "library/VnEvaluator.h"
#include "library/VnMessageTables.h"
#include "platform/DateTime.h"

AnsiString RequestStatusLine(std::uint32_t kind, const AnsiString& description,
                             const AnsiString& text) {
  AnsiString line = g_MessageTables[MT_STATUS_FORMAT][static_cast<int>(kind)];
  const int p1 = line.Pos(PH_ERROR);
  const int p2 = line.Pos(PH_VARLIST);
  if (description.IsEmpty()) {
    if (p1 >= 1 && p1 <= p2) line.Delete(p1 + 7, p2 - p1 + 3);
  } else {
    line = ReplacePlaceholder(line, PH_VARLIST, description);
  }
  line = ReplacePlaceholder(line, PH_ERROR, text);
  return ReplacePlaceholder(line, PH_TIME, FormatDateTime("hh:nn:ss ampm", Now()));
}
