// One SNMP request context: where it goes, how it authenticates, its
// variable list and row filter, and the conversions between reply bindings
// and the items' value texts.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "library/VnReadFaults.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPError.h"
#include "library/VnSNMPVarList.h"
#include "platform/AnsiString.h"
#include "platform/ReadOnly.h"

class Vb;
class Oid;
class Pdu;
class SendTargetCache;
class SnmpTarget;
class UTarget;
class CTarget;
class TStrings;

// Where a read starts: a GET of a scalar group or one row, or the first
// GETNEXT of a walk (Start); the next GETNEXT of a walk, from each item's
// LastOid (LastRow).
enum class VnReadFrom { Start, LastRow };
// What a SET does with its reply: nothing more than its status (StatusOnly),
// or its bindings are read back into the items (ReadBack).
enum class VnSetReply { StatusOnly, ReadBack };
// Which of an item's expressions is evaluated: the receive expression
// (Text1) after a read, or the send expression (Text2) before a write.
enum class VnDerivation { OnReceive, OnSend };

class VnSNMPRequest {
 public:
  // Connection settings from ConnectionDefaults, timeout g_SnmpTimeout,
  // one retry, an empty variable list and row filter, active.
  VnSNMPRequest();
  VnSNMPRequest(const VnSNMPRequest&) = delete;
  VnSNMPRequest& operator=(const VnSNMPRequest&) = delete;
  // Stops the request, waits (processing messages) at most 6,000 ms for its
  // outstanding asynchronous calls, then cancels those still outstanding: no
  // completion reaches a destroyed request.
  virtual ~VnSNMPRequest();

  // Copies ConnectionDefaults and g_SnmpTimeout into this request.
  void LoadDefaults();

  bool MatchesRowFilter() { return EvaluateCondition(RowFilter); }
  bool MatchesCondition(const AnsiString& condition) { return EvaluateCondition(condition); }

  // The value conversions, in this order. Item indexes count from 0 in
  // VarList; an index outside the list raises -511. Failures raise the
  // library's numbered exceptions before anything is stored.

  // The expression with every marker+digits reference replaced by the
  // referenced item's operand (no digits: item 0). String-like operands are
  // quoted when `quote` is set and raise -513 otherwise; a "(NULL)" value
  // raises -512. Inserted operands are not searched again.
  virtual AnsiString ExpandItemReferences(const AnsiString& expression, bool quote, char marker);
  // Stores the item's value taken from the front of a dotted instance suffix
  // and returns the rest of the suffix.
  virtual AnsiString IndexToValue(int item, const AnsiString& suffix);
  // The dotted sub-identifiers that encode the item's value in an instance.
  virtual void ValueToIndex(int item, AnsiString& out);
  // Stores the value text of a reply binding.
  virtual void VbToValue(int item, const Vb& vb);
  // Sets the binding's value from the item's value text (the OID is the
  // caller's).
  virtual void ValueToVb(int item, Vb& vb);
  // Evaluates the item's receive (Text1) or send (Text2) expression into its
  // value text; nothing when the expression is null.
  virtual void EvaluateDerived(int item, VnDerivation when);
  // True for an empty condition, else the condition's truth.
  virtual bool EvaluateCondition(const AnsiString& condition);
  // True when a GETNEXT answer has left the column (a walk of the column is
  // over). An answer that stays in the column but is not past the one asked
  // from is no end: the walk reads it as the agent's fault.
  virtual bool IsTableEnd(const AnsiString& column, const AnsiString& previous,
                          const AnsiString& returned);

  // Sending. Synchronous sends block until the reply, the timeout or an
  // error and raise failures as numbered exceptions; asynchronous ones
  // submit and return, and the completion runs from the event pump. Every
  // send returns at once while Active is false.

  // GET of a scalar group or one row (from must be Start), or one GETNEXT
  // step of a table walk (from the start, or from each item's LastOid).
  // True when a table row was read and the walk can go on. An item the
  // agent names by noSuchName (see ReadsNoSuchName) is read no more: the
  // PDU goes out again without it.
  bool SendGet(VnReadFrom from);
  // An asynchronous exchange as its send names it; 0 names none.
  using ExchangeId = std::uint64_t;
  // The exchange submitted, or 0 when nothing was sent (Active false).
  ExchangeId SendGetAsync(const VnSNMPCompletion& completion, VnReadFrom from);
  // SET of the writable items. A non-empty indexList ("1,3") restricts it
  // to the listed items, whose values are then taken in list order from
  // values when given. The list's flags and values are restored afterwards
  // on every path. With ReadBack the reply is read back into the items.
  bool SendSet(VnSetReply reply, const AnsiString& indexList, TStrings* values);
  void SendSetAsync(const VnSNMPCompletion& completion, VnSetReply reply,
                    const AnsiString& indexList, TStrings* values);

  // Fills both targets from the device, security, timeout and retries and
  // points `target` at the one the version uses. -509 for a bad address.
  void BuildTarget(UTarget& utarget, CTarget& ctarget, SnmpTarget*& target);
  // What BuildPdu builds a PDU for.
  enum class PduMode {
    FirstRead,  // a GET, or the first GETNEXT of a walk
    WalkStep,   // the next GETNEXT of a walk, from each item's LastOid
    // The read's last GET or GETNEXT once more, without the items that have
    // ended since (a version 1 agent answered noSuchName for one): each
    // item from its LastOid, or from where a first read asks it while it
    // has none.
    Again,
    Set,
  };
  // `bindingItems`, when given, receives the item index of each binding in
  // order.
  void BuildPdu(PduMode mode, Pdu& pdu, std::vector<int>* bindingItems = nullptr);
  // Stores the index items' values from a row's instance suffix. -514 when
  // the suffix ends before the key items do or goes on after them, and what
  // IndexToValue raises for a part the item cannot take.
  void DecodeRowIndex(const AnsiString& rowIndex);
  // The instance suffix that the index items' values make.
  AnsiString RowIndexText();
  // The instance of the table row the items hold: the row a walk read last,
  // or one put back with SetRowInstance. A SET of a table goes there while
  // the index items still hold the values they held then; once they hold
  // others (a new row typed in), it goes where their values name. Empty
  // when none.
  const AnsiString& RowInstance() const { return rowInstance_; }
  void SetRowInstance(const AnsiString& instance);
  void ForgetRowInstance();
  // True when the index items of the row just read could not name it whole
  // (they show its arcs): a write of the row must go to its instance.
  bool KeysShowArcs() const { return keysShowArcs_; }
  // Where a SET of a table goes: the row instance while the index items
  // still hold what they held with it, else RowIndexText().
  AnsiString InstanceForSet();
  // What the last read could not take (cleared when a read starts): a value
  // of a type its item cannot hold leaves the item without a value, an
  // index its key items cannot take whole leaves them showing its arcs; the
  // read goes on.
  const VnReadFaults& ReadFaults() const { return readFaults_; }

  // Column OID of an item: its Oid, with the list's InstanceSuffix when set.
  AnsiString ColumnOid(int item) const;
  // The same written into out, in its own storage.
  void WriteColumnOid(int item, AnsiString& out) const;

  // What the reply of an asynchronous exchange is for; it travels with the
  // exchange.
  enum class ReplyKind {
    Read,           // a GET or GETNEXT, read into the items
    SetReadBack,    // a SET whose reply is read back into the items
    SetStatusOnly,  // a SET whose reply only reports how it went
  };
  // The reply handler of every asynchronous exchange (called through the
  // session's callback with the context it was submitted with).
  // bindingItems names the item of each binding that was sent; exchange is
  // the exchange as its send named it. A version 1 agent's noSuchName that
  // names a column of a walk or an item of a GET sends the read again
  // without that item, as the same exchange: its reply completes it.
  static void ProcessReply(VnSNMPRequest* request, int reason, Pdu& reply, SnmpTarget& target,
                           ReplyKind kind, const VnSNMPCompletion& completion,
                           const std::vector<int>& bindingItems, ExchangeId exchange = 0);
  // True while the innermost completion running is one of this request's
  // (the event pump handed it its reply) and the request has made no
  // synchronous exchange since that completion began: the pump takes its
  // turn again as soon as the completion returns.
  bool InPumpedCompletion() const;
  // Takes back one exchange while it is outstanding: the SNMP layer forgets
  // it (a reply that still comes, or has come and waits to be delivered, is
  // ignored: it neither touches the items nor reaches the completion), and
  // Outstanding no longer counts it. Nothing for an exchange that has
  // completed, or for 0.
  void Withdraw(ExchangeId exchange);

  std::uint32_t Timeout = 0;  // hundredths of a second
  std::uint32_t Retries = 1;
  VnSNMPDevice Device;
  VnSNMPScope Scope;
  VnSNMPSecurity Security;
  VnSNMPVarList VarList;
  // Row condition of table walks; empty accepts every row.
  AnsiString RowFilter;
  // false stops a running walk after the row in hand and keeps sends from
  // starting.
  bool Active = true;
  // Asynchronous requests submitted and not yet completed; the request
  // counts them.
  TReadOnly<std::int32_t, VnSNMPRequest> Outstanding;
  // Set by a walker that sends its next step from the reply's identifiers
  // before it takes the row: a table row read by an asynchronous read
  // reaches the completion with its index items and derived items not yet
  // worked out, and FinishReadRow() works them out (it raises what working
  // them out raises). Off: they are worked out before the completion runs.
  bool RowFinishedByCompletion = false;
  // Works out the index and derived items of the row the last read reply
  // brought (see above); nothing when none waits.
  void FinishReadRow();

 protected:
  // Counts an exchange whose reply is handed to ProcessReply by another
  // path than the request's own submission.
  void CountSubmission() { ++Outstanding; }

 private:
  struct CompletionFrame;
  // The item's record; -511 for an index outside the list.
  VnSNMPVarDesc& ItemAt(int item) const;
  // The item's value text mapped back through its option list.
  AnsiString RawValue(const VnSNMPVarDesc& d) const;
  // Stores a value text, mapped through the item's option list.
  void StoreValue(VnSNMPVarDesc& d, AnsiString text) const;
  // True when the item is the last index column and coded without length.
  bool IsImpliedIndex(int item) const;

  // How reading a reply into the items came out: a row (or a GET's
  // values); every column ended by its answer; the walk ended by a version
  // 1 agent's noSuchName; a noSuchName that names no binding sent (a
  // failure); an item ended by noSuchName, the others still to be read
  // (the read is sent again, PduMode::Again).
  enum class ReplyOutcome { Row, AllEnded, WalkEnd, NoSuchName, Again };
  // What a reply answers: a GET (or a SET read back), whose every binding
  // is the value of its item; a step of a table walk; a version 1 agent's
  // noSuchName to a read.
  enum class ReplyTo { Get, WalkStep, NoSuchName };
  // Reads the reply's bindings into the items they were sent for (a
  // noSuchName reply: see ReadNoSuchName). A walk step's row is the lowest
  // instance the columns that go on returned: a column whose answer lies
  // past it has no cell in this row and is asked again from it; a column
  // that left its subtree or answered an exception has no cell in this row
  // or any later one. An answer not past the one asked from raises -530.
  // rowIndex receives the row's instance suffix. With valuesLater the
  // values wait in the reply for TakeWaitingValues, which the reply must
  // outlive.
  ReplyOutcome ReadReply(const Pdu& reply, const std::vector<int>& bindingItems, ReplyTo to,
                         AnsiString& rowIndex, bool valuesLater = false);
  ReplyOutcome ReadWalkStep(const Pdu& reply, const std::vector<int>& bindingItems,
                            AnsiString& rowIndex, bool valuesLater);
  // A version 1 agent has no exceptions: where one binding has nothing (a
  // column past its last instance in the agent's view, an absent object of
  // a GET) it answers the whole PDU with noSuchName, names that binding by
  // the error index and returns the request's identifiers. The binding's
  // item has ended (no value now, in a walk none in any later row either):
  // Again while other items are left to read, else the end of the walk
  // (WalkEnd) or of the GET (Row). An error index that names no binding, or
  // a binding that is not the identifier sent for its item: NoSuchName.
  ReplyOutcome ReadNoSuchName(const Pdu& reply, const std::vector<int>& bindingItems);
  // Whether a noSuchName answer to a read is read as naming the item that
  // has nothing (ReadNoSuchName): in a walk, and in a GET of a version 1
  // request. A GET over a later version, whose agents answer an absent
  // object with an exception, fails with it.
  bool ReadsNoSuchName() const;
  // Converts the values of the last read reply that wait (ReadReply);
  // nothing when none wait.
  void TakeWaitingValues();
  // The binding's value into the item; a value the item cannot take leaves
  // it without one and is noted among the read's faults (`row`: the row's
  // instance, or null for a scalar or one row).
  void TakeValue(int item, const Vb& vb, const AnsiString* row);
  // After a row was read: index items from the row index, derived items.
  void FinishRow(const AnsiString& rowIndex);
  // The index items from a row's instance; where they cannot take it whole
  // the first that fails (or the last, with arcs left over) holds the arcs
  // from its own on, and the fault is noted. The row's instance is kept.
  void TakeRowIndex(const AnsiString& rowIndex);
  // How a read's fault names where it was: "row 5, PVID" or "PVID".
  AnsiString FaultPlace(int item, const AnsiString* row) const;
  // The item holds nothing a SET can carry: no value (as an absent one
  // reads), or a number its syntax cannot hold (the agent gave another
  // type): it is left out of the SET.
  bool HoldsNothingToSend(int item) const;
  // The sub-identifiers of an item's column OID, kept for the walk.
  const std::vector<std::uint32_t>& ColumnIds(int item);
  // Marks the items of an index list for one SET and takes their values.
  void ApplyIndexList(const AnsiString& indexList, TStrings* values);
  // The target of an asynchronous send, as BuildTarget makes it (the sends
  // share it).
  std::shared_ptr<SnmpTarget> SendTarget();
  // The identifier of the item's LastOid, as a walk's next step sends it.
  Oid NextStepOid(int item) const;
  // Submits an asynchronous exchange of the PDU's type (sNMP_PDU_GET,
  // sNMP_PDU_GETNEXT or sNMP_PDU_SET): a new one, or the exchange `again`
  // sent once more.
  ExchangeId Submit(int pduType, ReplyKind kind, Pdu&& pdu, std::shared_ptr<SnmpTarget> target,
                    const VnSNMPCompletion& completion, std::vector<int> bindingItems,
                    ExchangeId again = 0);
  // Submits a read built in that mode (0 while Active is false).
  ExchangeId SubmitRead(const VnSNMPCompletion& completion, PduMode mode, ExchangeId again = 0);
  bool IsTable() const {
    return VarList.ItemType == VnItemType::MVT_FMV || VarList.ItemType == VnItemType::MVT_UMV;
  }

  // Synchronous exchanges made so far (InPumpedCompletion).
  std::uint32_t syncExchanges_ = 0;
  // The row of the last read reply, while its index items wait to be
  // worked out (RowFinishedByCompletion).
  bool rowWaiting_ = false;
  AnsiString waitingRowIndex_;
  // The reply whose values wait, while its completion runs, and the items
  // and bindings they go to: the next step leaves before they are
  // converted.
  const Pdu* valuesFrom_ = nullptr;
  std::vector<std::pair<int, int>> waitingValues_;
  ExchangeId lastExchange_ = 0;  // of the request's submissions
  // The target of the asynchronous sends (made at the first).
  std::unique_ptr<SendTargetCache> sendTarget_;
  // The identifier each item's LastOid text was last read from, beside that
  // text: the next step takes it rather than reading the text again (a
  // LastOid written otherwise since is read).
  struct StepFrom {
    AnsiString text;
    std::vector<std::uint32_t> subids;
  };
  std::vector<StepFrom> stepFrom_;
  // The items and value texts of the date-and-time values that the agent
  // gave in the 8-octet form (no zone) since the last read began.
  std::vector<std::pair<int, AnsiString>> shortDateTimes_;
  // What ReadReply writes the texts of each binding into, and what
  // IndexToValue reads an instance suffix into: the rows of a walk reuse
  // their storage.
  AnsiString columnText_;
  AnsiString replyOidText_;
  std::vector<std::uint32_t> indexIds_;
  // Per item, while a walk runs: its column has left its subtree (or
  // answered an exception, or a version 1 agent's noSuchName named it), so
  // the walk asks it no more; while a GET runs: noSuchName named the item.
  std::vector<bool> columnEnded_;
  // Per item: its column OID as text and as sub-identifiers.
  struct ColumnId {
    AnsiString text;
    std::vector<std::uint32_t> subids;
  };
  std::vector<ColumnId> columnIds_;
  // The bindings of a walk step that stay in their columns.
  std::vector<std::pair<int, int>> liveBindings_;
  VnReadFaults readFaults_;
  // The row instance and the index items' texts when it was taken.
  AnsiString rowInstance_;
  std::vector<AnsiString> rowKeys_;
  bool keysShowArcs_ = false;
};
