// One input through the value conversions: instance suffixes into index
// values, reply bindings into value texts, and the text readers. Shared by
// the libFuzzer target and the fixed-seed random test. The only exceptions an
// input may cause are the class library's (numbered library errors and
// conversion errors); anything else, a crash or a sanitizer report is a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "library/VnRawValue.h"
#include "library/VnSNMPRequest.h"
#include "library/VnValueText.h"
#include "platform/Exceptions.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/Oid.h"
#include "snmp/TimeTicks.h"
#include "snmp/Vb.h"

namespace vnfuzz {

inline constexpr std::uint32_t kSyntaxes[] = {
    1,    2,    3,    4,    5,    6,    0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48,
    0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0,    0x99, 0x80,
};
inline constexpr std::size_t kSyntaxCount = sizeof kSyntaxes / sizeof kSyntaxes[0];

// Reads the input front to back; past the end it gives zeros.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return v;
  }
  std::uint32_t Syntax() { return kSyntaxes[Byte() % kSyntaxCount]; }
  // The rest of the input as bytes, in a buffer of exactly that size.
  std::vector<std::uint8_t> Rest() {
    std::vector<std::uint8_t> out(data_ + pos_, data_ + size_);
    pos_ = size_;
    return out;
  }
  std::string RestText() {
    std::vector<std::uint8_t> r = Rest();
    return std::string(r.begin(), r.end());
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A table list of `keys` index columns of the given syntaxes, the last one
// implied when asked.
inline void FillKeys(VnSNMPRequest& r, const std::vector<std::uint32_t>& syntaxes, bool implied) {
  std::vector<VnSNMPVarDesc> table;
  for (std::size_t i = 0; i < syntaxes.size(); ++i) {
    std::uint32_t access = SNMP_ACCESS_NOTACCESS;
    if (implied && i + 1 == syntaxes.size()) access |= SNMP_ACCESS_IMPLIED;
    table.push_back({"1.3.6.1.4.1.171.12.1.1", "Key", syntaxes[i], access, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr});
  }
  table.push_back({});
  r.VarList =
      VnSNMPVarList(table.data(), VnItemType::MVT_FMV, static_cast<std::uint32_t>(syntaxes.size()));
}

// Decodes a suffix over the key columns, then encodes the values again.
inline void DecodeKeys(VnSNMPRequest& r, const AnsiString& suffix) {
  AnsiString rest = suffix;
  for (int k = 0; k < r.VarList.Count(); ++k) rest = r.IndexToValue(k, rest);
  for (int k = 0; k < r.VarList.Count(); ++k) {
    AnsiString part;
    r.ValueToIndex(k, part);
  }
}

inline void RunMode(Input& in) {
  VnSNMPRequest r;
  switch (in.Byte() % 8) {
    case 0: {  // a suffix of sub-identifiers over up to four key columns
      std::vector<std::uint32_t> keys(1 + in.Byte() % 4);
      for (auto& k : keys) k = in.Syntax();
      bool implied = in.Byte() & 1;
      FillKeys(r, keys, implied);
      std::vector<std::uint32_t> ids(in.Byte() % 40);
      for (auto& id : ids) id = (in.Byte() & 0x80) ? in.Word() : in.Byte();
      DecodeKeys(r, VnDottedText(ids));
      break;
    }
    case 1: {  // a suffix as free text
      FillKeys(r, {in.Syntax(), in.Syntax()}, in.Byte() & 1);
      DecodeKeys(r, AnsiString(in.RestText()));
      break;
    }
    case 2: {  // a reply of octets
      FillKeys(r, {in.Syntax()}, false);
      std::vector<std::uint8_t> bytes = in.Rest();
      Vb vb(Oid("1.3.6.1"));
      vb.set_value(OctetStr(bytes.data(), bytes.size()));
      r.VbToValue(0, vb);
      r.ValueToVb(0, vb);
      break;
    }
    case 3: {  // a reply of a number, an identifier or an exception
      FillKeys(r, {in.Syntax()}, false);
      Vb vb(Oid("1.3.6.1"));
      std::uint32_t w = in.Word();
      switch (in.Byte() % 6) {
        case 0:
          vb.set_value(SnmpInt32(static_cast<std::int32_t>(w)));
          break;
        case 1:
          vb.set_value(Counter32(w));
          break;
        case 2:
          vb.set_value(TimeTicks(w));
          break;
        case 3:
          vb.set_value(Counter64(w, in.Word()));
          break;
        case 4:
          vb.set_value(Oid(AnsiString(in.RestText()).c_str()));
          break;
        default:
          vb.set_syntax(0x80 + w % 3);
          break;
      }
      r.VbToValue(0, vb);
      r.ValueToVb(0, vb);
      break;
    }
    case 4: {  // a typed value text sent and used as an index
      FillKeys(r, {in.Syntax()}, in.Byte() & 1);
      *r.VarList.Item(0)->Value = AnsiString(in.RestText());
      Vb vb(Oid("1.3.6.1"));
      r.ValueToVb(0, vb);
      AnsiString part;
      r.ValueToIndex(0, part);
      break;
    }
    case 5: {  // raw bytes of values and parts
      std::uint32_t syntax = in.Syntax(), part = in.Syntax(), offset = in.Byte();
      std::vector<std::uint8_t> bytes = in.Rest();
      AnsiString text = VnBytesToValue(bytes, syntax);
      VnBytesToValue(VnPartBytes(VnValueToBytes(text, syntax), offset, part), part);
      VnValueToBytes(AnsiString(std::string(bytes.begin(), bytes.end())), syntax);
      break;
    }
    case 6: {  // item references in expressions
      FillKeys(r, {in.Syntax(), in.Syntax(), in.Syntax()}, false);
      for (int k = 0; k < 3; ++k) *r.VarList.Item(k)->Value = AnsiString(std::string(1, '$'));
      std::string text = in.RestText();
      r.ExpandItemReferences(AnsiString(text), true, '$');
      r.ExpandItemReferences(AnsiString(text), false, '#');
      break;
    }
    default: {  // the text readers
      AnsiString text(in.RestText());
      VnHexOctets(text);
      VnTimeTicksText(VnTimeTicksValue(text));
      VnCounter64Text(VnCounter64Value(text));
      VnLeadingNumber(text);
      VnFloatValue(text);
      VnSubIds ids;
      if (VnParseDotted(text, ids)) VnDottedText(ids);
      break;
    }
  }
}

inline void RunValueFuzzInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  try {
    RunMode(in);
  } catch (const Exception&) {
    // Numbered library errors and conversion errors are the expected answers.
  }
}

}  // namespace vnfuzz
