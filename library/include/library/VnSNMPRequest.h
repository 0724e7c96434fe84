// One SNMP request context: where it goes, how it authenticates, its
// variable list and row filter, and the conversions between reply bindings
// and the items' value texts.
#pragma once

#include <cstdint>

#include "library/VnSNMPConnection.h"
#include "library/VnSNMPVarList.h"
#include "platform/AnsiString.h"

class Vb;

class VnSNMPRequest {
 public:
  // Connection settings from ConnectionDefaults, timeout g_SnmpTimeout,
  // one retry, an empty variable list and row filter, active.
  VnSNMPRequest();
  VnSNMPRequest(const VnSNMPRequest&) = delete;
  VnSNMPRequest& operator=(const VnSNMPRequest&) = delete;
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
  virtual void EvaluateDerived(int item, bool onReceive);
  // True for an empty condition, else the condition's truth.
  virtual bool EvaluateCondition(const AnsiString& condition);
  // True when a GETNEXT walk of the column is over.
  virtual bool IsTableEnd(const AnsiString& column, const AnsiString& previous,
                          const AnsiString& returned);

  std::uint32_t Timeout = 0;  // hundredths of a second
  std::uint32_t Retries = 1;
  VnSNMPDevice Device;
  VnSNMPScope Scope;
  VnSNMPSecurity Security;
  VnSNMPVarList VarList;
  // Row condition of table walks; empty accepts every row.
  AnsiString RowFilter;
  // 0 stops a running walk after the row in hand and keeps sends from starting.
  std::uint8_t Active = 1;
  // Asynchronous requests submitted and not yet completed.
  std::int32_t Outstanding = 0;

 private:
  // The item's record; -511 for an index outside the list.
  VnSNMPVarDesc& ItemAt(int item) const;
  // The item's value text mapped back through its option list.
  AnsiString RawValue(const VnSNMPVarDesc& d) const;
  // Stores a value text, mapped through the item's option list.
  void StoreValue(VnSNMPVarDesc& d, const AnsiString& text) const;
  // True when the item is the last index column and coded without length.
  bool IsImpliedIndex(int item) const;
};
