// Synchronous GET, GETNEXT walk steps and SET of a request's variable list,
// and the target and PDU building that the asynchronous sends share.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SendTargetCache.h"
#include "SetReplyCheck.h"
#include "library/VnErrors.h"
#include "library/VnNumList.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPSession.h"
#include "library/VnValueText.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"
#include "snmp/Address.h"
#include "snmp/Oid.h"
#include "snmp/Pdu.h"
#include "snmp/Snmp.h"
#include "snmp/Target.h"
#include "snmp/Usm.h"
#include "snmp/Vb.h"

namespace {

Snmp& Session() {
  if (!g_SnmpSession) RaiseLibraryError(VNERR_CREATE_SESSION);
  return *g_SnmpSession;
}

// Raises the exception of an SNMP layer result unless it maps to success.
void RaiseSnmpResult(int result) {
  int number = 0;
  AnsiString text;
  MapSnmpError(result, number, text);
  if (number != VNERR_OK) throw Exception(text, number);
}

// A SET without a binding would carry nothing and be answered as a write
// done: it is never sent.
void NeedBindings(const Pdu& pdu) {
  if (pdu.get_vb_count() == 0) RaiseLibraryError(VNERR_NOTHING_TO_SET);
}

// A column OID followed by an instance suffix (nothing added for an empty one).
AnsiString WithSuffix(AnsiString oid, const AnsiString& suffix) {
  if (!suffix.IsEmpty()) {
    oid += '.';
    oid += suffix;
  }
  return oid;
}

}  // namespace

AnsiString VnSNMPRequest::ColumnOid(int item) const {
  AnsiString column;
  WriteColumnOid(item, column);
  return column;
}

void VnSNMPRequest::WriteColumnOid(int item, AnsiString& out) const {
  const char* oid = VarList.Item(item)->Oid;
  std::string& text = out.str();
  text.assign(oid ? oid : "");
  if (!VarList.InstanceSuffix.IsEmpty()) {
    text += '.';
    text += VarList.InstanceSuffix.str();
  }
}

void VnSNMPRequest::BuildTarget(UTarget& utarget, CTarget& ctarget, SnmpTarget*& target) {
  UdpAddress address(Device.Address.str());
  address.set_port(Device.Port);
  if (!address.valid()) RaiseLibraryError(VNERR_BAD_ADDRESS);
  utarget = UTarget(address);
  ctarget = CTarget(address);
  if (Security.Version == version3) {
    utarget.set_version(version3);
    utarget.set_retry(static_cast<int>(Retries));
    utarget.set_timeout(Timeout);
    utarget.set_security_model(static_cast<int>(Security.SecurityModel));
    utarget.set_security_name(OctetStr(Security.SecurityName.str()));
    // The user's keys are kept by the SNMP layer; an unsupported protocol
    // shows up as the exchange's own failure.
    usmAddUserName(OctetStr(Security.SecurityName.str()), Security.AuthProtocol,
                   Security.PrivProtocol, OctetStr(Security.AuthPassPhrase.str()),
                   OctetStr(Security.PrivPassPhrase.str()));
    target = &utarget;
  } else {
    ctarget.set_version(static_cast<snmp_version>(Security.Version));
    ctarget.set_retry(static_cast<int>(Retries));
    ctarget.set_timeout(Timeout);
    ctarget.set_readcommunity(OctetStr(Security.ReadCommunity.str()));
    ctarget.set_writecommunity(OctetStr(Security.WriteCommunity.str()));
    target = &ctarget;
  }
}

std::shared_ptr<SnmpTarget> VnSNMPRequest::SendTarget() {
  if (!sendTarget_) sendTarget_ = std::make_unique<SendTargetCache>();
  return sendTarget_->Get(*this);
}

void VnSNMPRequest::BuildPdu(PduMode mode, Pdu& pdu, std::vector<int>* bindingItems) {
  pdu.set_security_level(static_cast<int>(Security.SecurityLevel));
  pdu.set_context_name(OctetStr(Scope.ContextName.str()));
  pdu.set_context_engine_id(Scope.ContextEngineId.c_str());
  if (bindingItems) {
    bindingItems->clear();
    bindingItems->reserve(static_cast<std::size_t>(VarList.Count()));
  }
  pdu.reserve(pdu.get_vb_count() + VarList.Count());

  const VnItemType type = VarList.ItemType;
  if (mode == PduMode::WalkStep && (type == VnItemType::SVT_SV || type == VnItemType::MVT_SV))
    RaiseLibraryError(VNERR_GETNEXT_SINGLE);
  if (mode == PduMode::Set && type != VnItemType::SVT_SV && type != VnItemType::MVT_SV &&
      !IsTable())
    RaiseLibraryError(VNERR_BAD_ITEM_TYPE);
  AnsiString rowIndex;
  if (mode == PduMode::Set && IsTable()) rowIndex = InstanceForSet();
  if (mode == PduMode::FirstRead) {
    shortDateTimes_.clear();
    readFaults_.Clear();
    columnEnded_.assign(static_cast<std::size_t>(VarList.Count()), false);
    columnIds_.clear();
  }

  for (int i = 0; i < VarList.Count(); ++i) {
    VnSNMPVarDesc& item = *VarList.Item(i);
    Vb vb;
    if (mode != PduMode::Set) {
      if (!VarList.IsReadable(i)) continue;
      // A column that has left its subtree, or an item a version 1 agent
      // named by noSuchName, is asked no more.
      if (mode != PduMode::FirstRead && static_cast<std::size_t>(i) < columnEnded_.size() &&
          columnEnded_[static_cast<std::size_t>(i)])
        continue;
      if (mode == PduMode::FirstRead) item.LastOid->str().clear();
      if (mode == PduMode::WalkStep ||
          (mode == PduMode::Again && IsTable() && !item.LastOid->IsEmpty())) {
        vb.set_oid(NextStepOid(i));
      } else {
        vb.set_oid(
            Oid(type == VnItemType::SVT_SV ? ColumnOid(i).str() + ".0" : ColumnOid(i).str()));
      }
    } else {
      // Index columns are never written: their values make the instance.
      if (IsTable() && static_cast<std::uint32_t>(i) < VarList.KeyCount) continue;
      if (!VarList.IsWritable(i) || HoldsNothingToSend(i)) continue;
      AnsiString oid = ColumnOid(i);
      if (type == VnItemType::SVT_SV)
        oid = oid + ".0";
      else if (IsTable())
        oid = WithSuffix(std::move(oid), rowIndex);
      vb.set_oid(Oid(oid.str()));
      vb.set_syntax(item.Syntax);
      ValueToVb(i, vb);
    }
    pdu += std::move(vb);
    if (bindingItems) bindingItems->push_back(i);
  }
}

Oid VnSNMPRequest::NextStepOid(int item) const {
  const AnsiString& last = *VarList.Item(item)->LastOid;
  const std::size_t i = static_cast<std::size_t>(item);
  if (i < stepFrom_.size() && stepFrom_[i].text == last)
    return Oid(stepFrom_[i].subids.data(), stepFrom_[i].subids.size());
  return Oid(last.str());
}

AnsiString VnSNMPRequest::RowIndexText() {
  AnsiString text;
  for (std::uint32_t k = 0; k < VarList.KeyCount && static_cast<int>(k) < VarList.Count(); ++k) {
    AnsiString part;
    ValueToIndex(static_cast<int>(k), part);
    text = k == 0 ? part : text + "." + part;
  }
  return text;
}

void VnSNMPRequest::DecodeRowIndex(const AnsiString& rowIndex) {
  AnsiString rest = rowIndex;
  for (std::uint32_t k = 0; k < VarList.KeyCount; ++k) {
    const int item = static_cast<int>(k);
    if (rest.IsEmpty() || item >= VarList.Count()) RaiseLibraryError(VNERR_BAD_KEY_COUNT);
    // Index columns are not read: they stand where their row was found.
    if (!VarList.IsReadable(item)) {
      AnsiString& last = *VarList.Item(item)->LastOid;
      WriteColumnOid(item, last);
      last.str() += '.';
      last.str() += rowIndex.str();
    }
    rest = IndexToValue(item, rest);
  }
  // Arcs the key items do not take would be lost from the row's name.
  if (VarList.KeyCount > 0 && !rest.IsEmpty()) RaiseLibraryError(VNERR_BAD_KEY_COUNT);
}

void VnSNMPRequest::SetRowInstance(const AnsiString& instance) {
  rowInstance_ = instance;
  rowKeys_.clear();
  for (std::uint32_t k = 0; k < VarList.KeyCount && static_cast<int>(k) < VarList.Count(); ++k)
    rowKeys_.push_back(*VarList.Item(static_cast<int>(k))->Value);
}

void VnSNMPRequest::ForgetRowInstance() {
  rowInstance_ = AnsiString();
  rowKeys_.clear();
}

AnsiString VnSNMPRequest::InstanceForSet() {
  bool same = !rowInstance_.IsEmpty() && rowKeys_.size() == VarList.KeyCount;
  for (std::size_t k = 0; same && k < rowKeys_.size(); ++k)
    same = static_cast<int>(k) < VarList.Count() &&
           *VarList.Item(static_cast<int>(k))->Value == rowKeys_[k];
  return same ? rowInstance_ : RowIndexText();
}

void VnSNMPRequest::TakeRowIndex(const AnsiString& rowIndex) {
  keysShowArcs_ = false;
  try {
    DecodeRowIndex(rowIndex);
  } catch (const Exception& e) {
    keysShowArcs_ = true;
    // The items keep what they could take; the first that cannot take its
    // part (or the last, with arcs left over) shows the arcs from its own
    // on, and those after it hold nothing.
    AnsiString rest = rowIndex;
    bool shown = false;
    for (std::uint32_t k = 0; k < VarList.KeyCount && static_cast<int>(k) < VarList.Count(); ++k) {
      const int item = static_cast<int>(k);
      AnsiString& value = *VarList.Item(item)->Value;
      if (shown || rest.IsEmpty()) {
        value = VnNullValueText;
        continue;
      }
      AnsiString after;
      bool taken = true;
      try {
        after = IndexToValue(item, rest);
      } catch (const Exception&) {
        taken = false;
      }
      if (!taken || (k + 1 == VarList.KeyCount && !after.IsEmpty())) {
        value = rest;
        shown = true;
        continue;
      }
      rest = after;
    }
    readFaults_.Add(e.HelpContext, e.Message, "row " + rowIndex);
  }
  // A list without index items names no row by them.
  if (VarList.KeyCount > 0)
    SetRowInstance(rowIndex);
  else
    ForgetRowInstance();
}

const std::vector<std::uint32_t>& VnSNMPRequest::ColumnIds(int item) {
  const std::size_t at = static_cast<std::size_t>(item);
  if (columnIds_.size() <= at) columnIds_.resize(at + 1);
  ColumnId& column = columnIds_[at];
  // The column's text names it; its sub-identifiers are read once per walk.
  if (column.text.IsEmpty()) {
    WriteColumnOid(item, column.text);
    if (!VnParseDotted(column.text, column.subids)) column.subids.clear();
  }
  return column.subids;
}

AnsiString VnSNMPRequest::FaultPlace(int item, const AnsiString* row) const {
  const VnSNMPVarDesc& d = *VarList.Item(item);
  const AnsiString label = d.Label && *d.Label ? AnsiString(d.Label) : ColumnOid(item);
  return row ? "row " + *row + ", " + label : label;
}

void VnSNMPRequest::TakeValue(int item, const Vb& vb, const AnsiString* row) {
  try {
    VbToValue(item, vb);
  } catch (const Exception& e) {
    *VarList.Item(item)->Value = VnNullValueText;
    VarList.SetWholeValue(item, std::nullopt);
    readFaults_.Add(e.HelpContext, e.Message, FaultPlace(item, row));
  }
}

VnSNMPRequest::ReplyOutcome VnSNMPRequest::ReadReply(const Pdu& reply,
                                                     const std::vector<int>& bindingItems,
                                                     ReplyTo to, AnsiString& rowIndex,
                                                     bool valuesLater) {
  rowIndex = AnsiString();
  waitingValues_.clear();
  // noSuchName brings no values: nothing waits in its reply.
  valuesFrom_ = valuesLater && to != ReplyTo::NoSuchName ? &reply : nullptr;
  for (int i : bindingItems)
    if (i >= VarList.Count()) RaiseSnmpResult(SNMP_CLASS_INVALID_PDU);
  if (to == ReplyTo::NoSuchName) return ReadNoSuchName(reply, bindingItems);
  if (reply.get_vb_count() < static_cast<int>(bindingItems.size()))
    RaiseSnmpResult(SNMP_CLASS_INVALID_PDU);
  if (to == ReplyTo::WalkStep) return ReadWalkStep(reply, bindingItems, rowIndex, valuesLater);
  AnsiString& col = columnText_;
  AnsiString& ret = replyOidText_;
  bool haveRowIndex = false;
  for (std::size_t j = 0; j < bindingItems.size(); ++j) {
    const int i = bindingItems[j];
    VnSNMPVarDesc& item = *VarList.Item(i);
    const Vb& vb = reply.get_vb(static_cast<int>(j));
    WriteColumnOid(i, col);
    vb.get_oid().write_printable(ret.str());
    if (valuesLater)
      waitingValues_.emplace_back(i, static_cast<int>(j));
    else
      TakeValue(i, vb, nullptr);
    if (!haveRowIndex && ret.Length() > col.Length()) {
      rowIndex = ret.SubString(col.Length() + 2, ret.Length() - col.Length() - 1);
      haveRowIndex = true;
    }
    item.LastOid->str().swap(ret.str());
  }
  return ReplyOutcome::Row;
}

bool VnSNMPRequest::ReadsNoSuchName() const { return IsTable() || Security.Version == version1; }

VnSNMPRequest::ReplyOutcome VnSNMPRequest::ReadNoSuchName(const Pdu& reply,
                                                          const std::vector<int>& bindingItems) {
  const int binding = reply.get_error_index() - 1;
  if (binding < 0 || binding >= static_cast<int>(bindingItems.size()) ||
      binding >= reply.get_vb_count())
    return ReplyOutcome::NoSuchName;
  const int i = bindingItems[static_cast<std::size_t>(binding)];
  VnSNMPVarDesc& item = *VarList.Item(i);
  AnsiString& ret = replyOidText_;
  reply.get_vb(binding).get_oid().write_printable(ret.str());
  // What the read sent for the item: a walk step asks a column from its
  // LastOid, a first read (or a GET) from the column or the scalar itself.
  if (IsTable() && !item.LastOid->IsEmpty()) {
    if (ret != *item.LastOid) return ReplyOutcome::NoSuchName;
  } else {
    AnsiString& sent = columnText_;
    WriteColumnOid(i, sent);
    if (VarList.ItemType == VnItemType::SVT_SV) sent.str() += ".0";
    if (ret != sent) return ReplyOutcome::NoSuchName;
  }
  const std::size_t count = static_cast<std::size_t>(VarList.Count());
  if (columnEnded_.size() < count) columnEnded_.resize(count, false);
  columnEnded_[static_cast<std::size_t>(i)] = true;
  *item.Value = VnNullValueText;
  VarList.SetWholeValue(i, std::nullopt);
  for (int k = 0; k < VarList.Count(); ++k)
    if (VarList.IsReadable(k) && !columnEnded_[static_cast<std::size_t>(k)])
      return ReplyOutcome::Again;
  return IsTable() ? ReplyOutcome::WalkEnd : ReplyOutcome::Row;
}

VnSNMPRequest::ReplyOutcome VnSNMPRequest::ReadWalkStep(const Pdu& reply,
                                                        const std::vector<int>& bindingItems,
                                                        AnsiString& rowIndex, bool valuesLater) {
  if (columnEnded_.size() < static_cast<std::size_t>(VarList.Count()))
    columnEnded_.resize(static_cast<std::size_t>(VarList.Count()), false);
  if (stepFrom_.size() < static_cast<std::size_t>(VarList.Count()))
    stepFrom_.resize(static_cast<std::size_t>(VarList.Count()));
  liveBindings_.clear();
  // The texts are written into the same strings for every binding and row.
  AnsiString& ret = replyOidText_;
  // The row: the lowest instance that a column going on returned.
  const std::vector<std::uint32_t>* row = nullptr;
  std::size_t rowFrom = 0;
  for (std::size_t j = 0; j < bindingItems.size(); ++j) {
    const int i = bindingItems[j];
    const std::size_t at = static_cast<std::size_t>(i);
    VnSNMPVarDesc& item = *VarList.Item(i);
    const Vb& vb = reply.get_vb(static_cast<int>(j));
    const std::vector<std::uint32_t>& column = ColumnIds(i);
    vb.get_oid().write_printable(ret.str());
    if (vb.is_exception() || IsTableEnd(columnIds_[at].text, *item.LastOid, ret)) {
      // Ended, or no more to give: no cell here or in a later row.
      columnEnded_[at] = true;
      *item.Value = VnNullValueText;
      VarList.SetWholeValue(i, std::nullopt);
      continue;
    }
    // The answer lies past what the column was asked from (the column
    // itself on the first step), or the agent goes round in circles.
    const std::vector<std::uint32_t>& ids = vb.get_oid().subids();
    StepFrom& from = stepFrom_[at];
    if (!item.LastOid->IsEmpty()) {
      if (from.text != *item.LastOid && !VnParseDotted(*item.LastOid, from.subids))
        from.subids.clear();
      if (!std::lexicographical_compare(from.subids.begin(), from.subids.end(), ids.begin(),
                                        ids.end())) {
        const AnsiString instance =
            VnDottedText(ids.data() + column.size(), ids.size() - column.size());
        throw Exception(ErrorText(VNERR_NOT_INCREASING) + " (" + FaultPlace(i, &instance) + ")",
                        VNERR_NOT_INCREASING);
      }
    }
    liveBindings_.emplace_back(i, static_cast<int>(j));
    item.LastOid->str().swap(ret.str());  // the old text's storage takes the next one
    from.text.str().assign(item.LastOid->str());
    from.subids.assign(ids.begin(), ids.end());
    if (!row || std::lexicographical_compare(
                    ids.begin() + static_cast<std::ptrdiff_t>(column.size()), ids.end(),
                    row->begin() + static_cast<std::ptrdiff_t>(rowFrom), row->end())) {
      row = &ids;
      rowFrom = column.size();
    }
  }
  if (!row) return ReplyOutcome::AllEnded;
  const std::size_t rowLength = row->size() - rowFrom;
  rowIndex = VnDottedText(row->data() + rowFrom, rowLength);
  for (const auto& [i, j] : liveBindings_) {
    const std::size_t at = static_cast<std::size_t>(i);
    VnSNMPVarDesc& item = *VarList.Item(i);
    const Vb& vb = reply.get_vb(j);
    const std::vector<std::uint32_t>& column = columnIds_[at].subids;
    const std::vector<std::uint32_t>& ids = vb.get_oid().subids();
    if (ids.size() - column.size() == rowLength &&
        std::equal(ids.begin() + static_cast<std::ptrdiff_t>(column.size()), ids.end(),
                   row->begin() + static_cast<std::ptrdiff_t>(rowFrom))) {
      if (valuesLater)
        waitingValues_.emplace_back(i, j);
      else
        TakeValue(i, vb, &rowIndex);
      continue;
    }
    // A later row's value: this row has no cell in the column, which is
    // asked again from this row.
    *item.Value = VnNullValueText;
    VarList.SetWholeValue(i, std::nullopt);
    AnsiString& last = *item.LastOid;
    last = columnIds_[at].text;
    last.str() += '.';
    last.str() += rowIndex.str();
    StepFrom& from = stepFrom_[at];
    from.text.str().assign(last.str());
    from.subids.assign(column.begin(), column.end());
    from.subids.insert(from.subids.end(), row->begin() + static_cast<std::ptrdiff_t>(rowFrom),
                       row->end());
  }
  return ReplyOutcome::Row;
}

void VnSNMPRequest::TakeWaitingValues() {
  const Pdu* reply = std::exchange(valuesFrom_, nullptr);
  if (!reply) return;
  const bool table = IsTable();
  for (const auto& [item, binding] : waitingValues_)
    TakeValue(item, reply->get_vb(binding), table ? &waitingRowIndex_ : nullptr);
}

void VnSNMPRequest::FinishRow(const AnsiString& rowIndex) {
  if (IsTable()) TakeRowIndex(rowIndex);
  for (int i = 0; i < VarList.Count(); ++i) EvaluateDerived(i, VnDerivation::OnReceive);
}

bool VnSNMPRequest::SendGet(VnReadFrom from) {
  if (!Active) return false;
  UTarget utarget;
  CTarget ctarget;
  SnmpTarget* target = nullptr;
  BuildTarget(utarget, ctarget, target);
  PduMode mode = from == VnReadFrom::Start ? PduMode::FirstRead : PduMode::WalkStep;
  // Once for each item a version 1 agent names by noSuchName, the read goes
  // out again without it.
  for (;;) {
    Pdu pdu;
    std::vector<int> items;
    BuildPdu(mode, pdu, &items);

    ++syncExchanges_;
    int result = 0;
    if (VarList.ItemType == VnItemType::SVT_SV || VarList.ItemType == VnItemType::MVT_SV)
      result = Session().get(pdu, *target);
    else if (IsTable())
      result = Session().get_next(pdu, *target);
    else
      RaiseLibraryError(VNERR_BAD_ITEM_TYPE);

    int number = 0;
    AnsiString text;
    MapSnmpError(result, number, text);
    const bool noSuchName = number == VNERR_NOSUCHNAME && ReadsNoSuchName();
    if (number != VNERR_OK && !noSuchName) throw Exception(text, number);

    AnsiString rowIndex;
    const ReplyTo to = noSuchName  ? ReplyTo::NoSuchName
                       : IsTable() ? ReplyTo::WalkStep
                                   : ReplyTo::Get;
    switch (ReadReply(pdu, items, to, rowIndex)) {
      case ReplyOutcome::Again:
        mode = PduMode::Again;
        continue;
      case ReplyOutcome::WalkEnd:
      case ReplyOutcome::AllEnded:
        return false;
      case ReplyOutcome::NoSuchName:
        throw Exception(text, number);
      case ReplyOutcome::Row:
        break;
    }
    FinishRow(rowIndex);
    return IsTable();
  }
}

void VnSNMPRequest::ApplyIndexList(const AnsiString& indexList, TStrings* values) {
  if (indexList.IsEmpty()) return;
  VnNumList<int> listed;
  listed.Delimiter = ',';
  listed.Parse(indexList.c_str());
  // Every value is fetched before any item changes: a short string list
  // raises its own index error with the list untouched.
  std::vector<AnsiString> texts;
  if (values)
    for (int p = 0; p < listed.Count(); ++p) texts.push_back(values->Strings(p));
  for (int i = 0; i < VarList.Count(); ++i) {
    VnSNMPVarDesc& item = *VarList.Item(i);
    int position = -1;
    for (int p = 0; p < listed.Count() && position < 0; ++p)
      if (listed[p] == i) position = p;
    if (position < 0) {
      item.Access |= SNMP_ACCESS_INVALID;
    } else {
      item.Access &= ~static_cast<std::uint32_t>(SNMP_ACCESS_INVALID);
      if (values) *item.Value = texts[static_cast<std::size_t>(position)];
    }
  }
}

namespace {

// Puts a saved copy of a variable list back when the scope is left, unless
// that was done already. The items keep their addresses: forms hold
// pointers to them across a Set, so flags and texts are written back into
// the same records (the list's shape does not change while a SET is built).
class ListRestorer {
 public:
  ListRestorer(VnSNMPVarList& list) : list_(list), saved_(list) {}  // NOLINT
  ~ListRestorer() { Restore(); }
  ListRestorer(const ListRestorer&) = delete;
  ListRestorer& operator=(const ListRestorer&) = delete;
  void Restore() {
    if (done_) return;
    done_ = true;
    if (list_.Count() != saved_.Count()) {
      list_ = saved_;
      return;
    }
    for (int i = 0; i < list_.Count(); ++i) {
      VnSNMPVarDesc* item = list_.Item(i);
      const VnSNMPVarDesc* saved = saved_.Item(i);
      item->Access = saved->Access;
      *item->Value = *saved->Value;
      *item->LastOid = *saved->LastOid;
    }
  }

 private:
  VnSNMPVarList& list_;
  VnSNMPVarList saved_;
  bool done_ = false;
};

}  // namespace

bool VnSNMPRequest::SendSet(VnSetReply reply, const AnsiString& indexList, TStrings* values) {
  if (!Active) return false;
  ListRestorer restorer(VarList);
  ApplyIndexList(indexList, values);
  for (int i = 0; i < VarList.Count(); ++i) EvaluateDerived(i, VnDerivation::OnSend);
  UTarget utarget;
  CTarget ctarget;
  SnmpTarget* target = nullptr;
  BuildTarget(utarget, ctarget, target);
  Pdu pdu;
  std::vector<int> items;
  BuildPdu(PduMode::Set, pdu, &items);
  NeedBindings(pdu);
  ++syncExchanges_;
  const int result = Session().set(pdu, *target);
  restorer.Restore();
  RaiseSnmpResult(result);
  if (FirstExceptionBinding(pdu) != 0) RaiseLibraryError(VNERR_NOSUCHNAME);
  if (reply != VnSetReply::ReadBack) return false;
  AnsiString rowIndex;
  if (ReadReply(pdu, items, ReplyTo::Get, rowIndex) != ReplyOutcome::Row) return false;
  FinishRow(rowIndex);
  return IsTable();
}

void VnSNMPRequest::SendSetAsync(const VnSNMPCompletion& completion, VnSetReply reply,
                                 const AnsiString& indexList, TStrings* values) {
  if (!Active) return;
  ListRestorer restorer(VarList);
  ApplyIndexList(indexList, values);
  for (int i = 0; i < VarList.Count(); ++i) EvaluateDerived(i, VnDerivation::OnSend);
  std::shared_ptr<SnmpTarget> target = SendTarget();
  Pdu pdu;
  std::vector<int> items;
  BuildPdu(PduMode::Set, pdu, &items);
  NeedBindings(pdu);
  restorer.Restore();
  Submit(sNMP_PDU_SET,
         reply == VnSetReply::ReadBack ? ReplyKind::SetReadBack : ReplyKind::SetStatusOnly,
         std::move(pdu), std::move(target), completion, std::move(items));
}

VnSNMPRequest::ExchangeId VnSNMPRequest::SendGetAsync(const VnSNMPCompletion& completion,
                                                      VnReadFrom from) {
  return SubmitRead(completion, from == VnReadFrom::Start ? PduMode::FirstRead : PduMode::WalkStep);
}

VnSNMPRequest::ExchangeId VnSNMPRequest::SubmitRead(const VnSNMPCompletion& completion,
                                                    PduMode mode, ExchangeId again) {
  if (!Active) return 0;
  std::shared_ptr<SnmpTarget> target = SendTarget();
  Pdu pdu;
  std::vector<int> items;
  BuildPdu(mode, pdu, &items);
  int pduType = 0;
  if (VarList.ItemType == VnItemType::SVT_SV || VarList.ItemType == VnItemType::MVT_SV)
    pduType = sNMP_PDU_GET;
  else if (IsTable())
    pduType = sNMP_PDU_GETNEXT;
  else
    RaiseLibraryError(VNERR_BAD_ITEM_TYPE);
  return Submit(pduType, ReplyKind::Read, std::move(pdu), std::move(target), completion,
                std::move(items), again);
}
