// A message file loaded into one of the tables (the first byte chooses
// which), then the users of that table: error numbers and their texts,
// edit-check texts with their placeholders filled, or a request's status
// line.
#include <memory>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnEditConstraint.h"
#include "library/VnErrors.h"
#include "library/VnEvaluator.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/ComCtrls.h"
#include "platform/TestKit.h"
#include "snmp/SnmpConstants.h"

namespace {

// SNMP results and library numbers every range of the tables covers, with
// the numbers just outside them.
const int kResults[] = {0,     1,     5,     18,    19,    -1,    -5,    -23,   -24,
                        -1401, -1402, -1410, -1418, -1419, 1400,  1401,  1414,  1415,
                        -500,  -501,  -510,  -528,  -529,  -1000, 12345, -12345};

// The smallest request with a status line.
class StatusRequest : public VnSNMPRequest2Controls {
 public:
  StatusRequest() : VnSNMPRequest2Controls(nullptr) {}

 protected:
  void DoGetRow() override {}
};

struct StatusLine {
  std::unique_ptr<TStatusBar> bar;
  std::unique_ptr<StatusRequest> request;
  StatusLine() {
    TestKit::EnsureApplication();
    bar = std::make_unique<TStatusBar>(nullptr);
    request = std::make_unique<StatusRequest>();
    request->SetStatusBar(bar.get());
  }
};

}  // namespace

void vnfuzz::RunMessageInput(const std::uint8_t* data, std::size_t size) {
  static StatusLine status;
  if (size == 0) return;
  const int table = data[0] % MT_TABLE_COUNT;
  const std::string file = WriteScratchFile("errmsg.txt", Text(data + 1, size - 1));
  LoadTextLines(g_MessageTables[table], file.c_str());

  // Then the users of the table that was loaded.
  const VnMessageTable& loaded = g_MessageTables[table];
  for (int i = -1; i <= loaded.Count(); ++i) loaded.Text(i);
  if (table == MT_EDIT_CHECK) {
    for (int entry = 0; entry <= loaded.Count(); ++entry) {
      AnsiString text = EditCheckText(entry);
      for (const char* ph :
           {PH_FILENAME, PH_MAXLEN, PH_LEN, PH_MIN, PH_MAX, PH_DELIMITER, PH_MAXCOUNT, PH_COUNT})
        text = ReplacePlaceholder(text, ph, "[MIN]%s");
    }
  } else if (table == MT_STATUS_FORMAT) {
    for (std::uint32_t kind : {0u, 1u}) {
      status.request->StatusKind = kind;
      status.request->Request.VarList.Description = kind ? "Port Settings" : "";
      status.request->ShowRequestStatus("(SNMP) Variable does not exist!");
    }
  } else {
    for (int result : kResults) {
      int number = 0;
      AnsiString text;
      MapSnmpError(result, number, text);
      ErrorText(result);
    }
  }
  RestoreBuiltInMessages();
}
