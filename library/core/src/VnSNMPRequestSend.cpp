// Synchronous GET, GETNEXT walk steps and SET of a request's variable list,
// and the target and PDU building that the asynchronous sends share.
#include <string>
#include <utility>
#include <vector>

#include "SendTargetCache.h"
#include "SetReplyCheck.h"
#include "library/VnErrors.h"
#include "library/VnNumList.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPSession.h"
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

const char* const kNotDone = "(NOTDONE)";

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
  if (mode == PduMode::Set && IsTable()) rowIndex = RowIndexText();
  if (mode == PduMode::FirstRead) shortDateTimes_.clear();

  for (int i = 0; i < VarList.Count(); ++i) {
    VnSNMPVarDesc& item = *VarList.Item(i);
    Vb vb;
    if (mode != PduMode::Set) {
      if (!VarList.IsReadable(i)) continue;
      if (mode == PduMode::FirstRead) {
        item.LastOid->str().clear();
        vb.set_oid(
            Oid(type == VnItemType::SVT_SV ? ColumnOid(i).str() + ".0" : ColumnOid(i).str()));
      } else {
        vb.set_oid(NextStepOid(i));
      }
    } else {
      // Index columns are never written: their values make the instance.
      if (IsTable() && static_cast<std::uint32_t>(i) < VarList.KeyCount) continue;
      if (!VarList.IsWritable(i)) continue;
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
}

VnSNMPRequest::ReplyOutcome VnSNMPRequest::ReadReply(const Pdu& reply,
                                                     const std::vector<int>& bindingItems,
                                                     bool noSuchName, AnsiString& rowIndex,
                                                     bool valuesLater) {
  rowIndex = AnsiString();
  waitingValues_.clear();
  valuesFrom_ = valuesLater ? &reply : nullptr;
  if (reply.get_vb_count() < static_cast<int>(bindingItems.size()))
    RaiseSnmpResult(SNMP_CLASS_INVALID_PDU);
  std::size_t ended = 0;
  bool haveRowIndex = false;
  // The texts are written into the same strings for every binding and row.
  AnsiString& col = columnText_;
  AnsiString& ret = replyOidText_;
  for (std::size_t j = 0; j < bindingItems.size(); ++j) {
    const int i = bindingItems[j];
    if (i >= VarList.Count()) RaiseSnmpResult(SNMP_CLASS_INVALID_PDU);
    VnSNMPVarDesc& item = *VarList.Item(i);
    const Vb& vb = reply.get_vb(static_cast<int>(j));
    WriteColumnOid(i, col);
    vb.get_oid().write_printable(ret.str());
    if (noSuchName) {
      // A version 1 agent answers noSuchName past the last instance and
      // returns the request's own identifiers.
      return ret == *item.LastOid ? ReplyOutcome::WalkEnd : ReplyOutcome::NoSuchName;
    }
    // The previous step's identifier is known beside its text while the
    // item's LastOid is still that text.
    const std::size_t at = static_cast<std::size_t>(i);
    const bool stepKnown = at < stepFrom_.size() && stepFrom_[at].text == *item.LastOid;
    const KnownIds known{&ret, &vb.get_oid().subids(), item.LastOid,
                         stepKnown ? &stepFrom_[at].subids : nullptr};
    bool tableEnd = false;
    {
      struct Lend {
        const KnownIds*& slot;
        ~Lend() { slot = nullptr; }
      } lend{knownIds_};
      knownIds_ = stepKnown ? &known : nullptr;
      tableEnd = IsTableEnd(col, *item.LastOid, ret);
    }
    if (tableEnd) {
      ++ended;
      *item.Value = kNotDone;
      // The index items still hold the previous row: the next step asks the
      // column again from there and finds it ended again. A column that ends
      // on the first step has no row of this walk to name (the index items
      // may still hold an earlier walk's): it is asked from itself again.
      if (item.LastOid->IsEmpty()) {
        *item.LastOid = col;
      } else {
        try {
          *item.LastOid = WithSuffix(col, RowIndexText());
        } catch (const Exception&) {
          // An index the items cannot name again (the agent indexes the
          // table otherwise): the column is asked again from where it was
          // asked now, which ends it again.
        }
      }
      continue;
    }
    if (valuesLater)
      waitingValues_.emplace_back(i, static_cast<int>(j));
    else
      VbToValue(i, vb);
    // The row stands where the first column that goes on stands; a column
    // that has just ended points into another subtree.
    if (!haveRowIndex && ret.Length() > col.Length()) {
      rowIndex = ret.SubString(col.Length() + 2, ret.Length() - col.Length() - 1);
      haveRowIndex = true;
    }
    item.LastOid->str().swap(ret.str());  // the old text's storage takes the next one
    if (stepFrom_.size() <= static_cast<std::size_t>(i))
      stepFrom_.resize(static_cast<std::size_t>(i) + 1);
    StepFrom& from = stepFrom_[static_cast<std::size_t>(i)];
    from.text.str().assign(item.LastOid->str());
    from.subids.assign(vb.get_oid().subids().begin(), vb.get_oid().subids().end());
  }
  return ended == bindingItems.size() ? ReplyOutcome::AllEnded : ReplyOutcome::Row;
}

void VnSNMPRequest::TakeWaitingValues() {
  const Pdu* reply = std::exchange(valuesFrom_, nullptr);
  if (!reply) return;
  for (const auto& [item, binding] : waitingValues_) VbToValue(item, reply->get_vb(binding));
}

void VnSNMPRequest::FinishRow(const AnsiString& rowIndex) {
  if (IsTable()) DecodeRowIndex(rowIndex);
  for (int i = 0; i < VarList.Count(); ++i) EvaluateDerived(i, VnDerivation::OnReceive);
}

bool VnSNMPRequest::SendGet(VnReadFrom from) {
  if (!Active) return false;
  UTarget utarget;
  CTarget ctarget;
  SnmpTarget* target = nullptr;
  BuildTarget(utarget, ctarget, target);
  Pdu pdu;
  std::vector<int> items;
  BuildPdu(from == VnReadFrom::Start ? PduMode::FirstRead : PduMode::WalkStep, pdu, &items);

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
  const bool noSuchName = number == VNERR_NOSUCHNAME && IsTable();
  if (number != VNERR_OK && !noSuchName) throw Exception(text, number);

  AnsiString rowIndex;
  switch (ReadReply(pdu, items, noSuchName, rowIndex)) {
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
  if (ReadReply(pdu, items, false, rowIndex) != ReplyOutcome::Row) return false;
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
  if (!Active) return 0;
  std::shared_ptr<SnmpTarget> target = SendTarget();
  Pdu pdu;
  std::vector<int> items;
  BuildPdu(from == VnReadFrom::Start ? PduMode::FirstRead : PduMode::WalkStep, pdu, &items);
  int pduType = 0;
  if (VarList.ItemType == VnItemType::SVT_SV || VarList.ItemType == VnItemType::MVT_SV)
    pduType = sNMP_PDU_GET;
  else if (IsTable())
    pduType = sNMP_PDU_GETNEXT;
  else
    RaiseLibraryError(VNERR_BAD_ITEM_TYPE);
  return Submit(pduType, ReplyKind::Read, std::move(pdu), std::move(target), completion,
                std::move(items));
}
