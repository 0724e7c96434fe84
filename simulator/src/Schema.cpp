#include "simulator/src/Schema.h"

#include <arpa/inet.h>

#include <algorithm>

#include "library/VnSNMPVarDesc.h"

namespace sim {

bool ObjectDef::Accessible() const {
  return (access & (SNMP_ACCESS_READONLY | SNMP_ACCESS_WRITEONLY)) != 0;
}

bool ObjectDef::Writable() const { return (access & SNMP_ACCESS_WRITEONLY) != 0; }

bool ObjectDef::HasOption(std::int64_t value) const {
  return std::any_of(options.begin(), options.end(),
                     [&](const auto& o) { return o.first == value; });
}

const ActionRule* ObjectDef::RuleFor(std::int64_t value) const {
  for (const auto& r : rules) {
    if (r.on == value) return &r;
  }
  return nullptr;
}

const ObjectDef* TableDef::RowStatusColumn() const {
  for (const auto* c : columns) {
    if (c->rowStatus) return c;
  }
  return nullptr;
}

ObjectDef& Schema::AddObject(const Oid& oid) {
  auto& slot = objects_[oid];
  if (!slot) {
    slot = std::make_unique<ObjectDef>();
    slot->oid = oid;
  }
  return *slot;
}

ObjectDef* Schema::MutableObject(const Oid& oid) {
  auto it = objects_.find(oid);
  return it == objects_.end() ? nullptr : it->second.get();
}

const ObjectDef* Schema::Object(const Oid& oid) const {
  auto it = objects_.find(oid);
  return it == objects_.end() ? nullptr : it->second.get();
}

TableDef& Schema::AddTable(const Oid& entry, std::vector<IndexKind> index) {
  auto& slot = tables_[entry];
  if (!slot) slot = std::make_unique<TableDef>();
  slot->entry = entry;
  slot->index = std::move(index);
  return *slot;
}

TableDef* Schema::MutableTable(const Oid& entry) {
  auto it = tables_.find(entry);
  return it == tables_.end() ? nullptr : it->second.get();
}

const TableDef* Schema::Table(const Oid& entry) const {
  auto it = tables_.find(entry);
  return it == tables_.end() ? nullptr : it->second.get();
}

void Schema::Link() {
  for (auto& [entry, table] : tables_) table->columns.clear();
  for (auto& [oid, object] : objects_) {
    object->table = nullptr;
    if (oid.size() < 2) continue;
    Oid parent(oid.begin(), oid.end() - 1);
    auto it = tables_.find(parent);
    if (it == tables_.end()) continue;
    object->table = it->second.get();
    it->second->columns.push_back(object.get());  // objects_ is ordered: columns ascend
  }
}

const ObjectDef* Schema::Resolve(const Oid& instance, Oid* rest) const {
  for (std::size_t len = instance.size(); len > 0; --len) {
    Oid prefix(instance.begin(), instance.begin() + static_cast<std::ptrdiff_t>(len));
    auto it = objects_.find(prefix);
    if (it != objects_.end()) {
      if (rest) rest->assign(instance.begin() + static_cast<std::ptrdiff_t>(len), instance.end());
      return it->second.get();
    }
  }
  return nullptr;
}

namespace {

bool TakeOctets(const Oid& arcs, std::size_t& pos, std::size_t count, std::string& out) {
  if (pos + count > arcs.size()) return false;
  out.clear();
  for (std::size_t i = 0; i < count; ++i) {
    if (arcs[pos + i] > 255) return false;
    out += static_cast<char>(arcs[pos + i]);
  }
  pos += count;
  return true;
}

void PutOctets(const std::string& bytes, Oid& out) {
  for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
}

// The components from the front of the arcs; `pos` ends past the last one.
bool DecodeComponents(const std::vector<IndexKind>& kinds, const Oid& arcs, std::vector<Value>& out,
                      std::size_t& pos) {
  out.clear();
  pos = 0;
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    const bool last = k + 1 == kinds.size();
    std::string bytes;
    switch (kinds[k]) {
      case IndexKind::Int:
        if (pos >= arcs.size() || arcs[pos] > 0x7FFFFFFFu) return false;
        out.push_back(Value::Int(arcs[pos++]));
        break;
      case IndexKind::String: {
        if (pos >= arcs.size()) return false;
        std::size_t n = arcs[pos++];
        if (!TakeOctets(arcs, pos, n, bytes)) return false;
        out.push_back(Value::Octets(bytes));
        break;
      }
      case IndexKind::ImpliedString:
        if (!last || !TakeOctets(arcs, pos, arcs.size() - pos, bytes)) return false;
        out.push_back(Value::Octets(bytes));
        break;
      case IndexKind::Mac:
        if (!TakeOctets(arcs, pos, 6, bytes)) return false;
        out.push_back(Value::Octets(bytes));
        break;
      case IndexKind::Ipv6:
        if (!TakeOctets(arcs, pos, 16, bytes)) return false;
        out.push_back(Value::Octets(bytes));
        break;
      case IndexKind::Ip: {
        if (!TakeOctets(arcs, pos, 4, bytes)) return false;
        Value v = Value::Octets(bytes);
        v.type = Type::IpAddress;
        out.push_back(v);
        break;
      }
      case IndexKind::ObjectId: {
        if (pos >= arcs.size()) return false;
        std::size_t n = arcs[pos++];
        if (pos + n > arcs.size()) return false;
        out.push_back(
            Value::ObjectIdentifier(Oid(arcs.begin() + static_cast<std::ptrdiff_t>(pos),
                                        arcs.begin() + static_cast<std::ptrdiff_t>(pos + n))));
        pos += n;
        break;
      }
      case IndexKind::ImpliedObjectId:
        if (!last) return false;
        out.push_back(Value::ObjectIdentifier(
            Oid(arcs.begin() + static_cast<std::ptrdiff_t>(pos), arcs.end())));
        pos = arcs.size();
        break;
    }
  }
  return true;
}

}  // namespace

bool DecodeIndex(const std::vector<IndexKind>& kinds, const Oid& arcs, std::vector<Value>& out) {
  std::size_t pos = 0;
  return DecodeComponents(kinds, arcs, out, pos) && pos == arcs.size();
}

bool DecodeLeadingIndex(const std::vector<IndexKind>& kinds, const Oid& arcs,
                        std::vector<Value>& out) {
  std::size_t pos = 0;
  return DecodeComponents(kinds, arcs, out, pos);
}

bool EncodeIndex(const std::vector<IndexKind>& kinds, const std::vector<Value>& values, Oid& out) {
  out.clear();
  if (kinds.size() != values.size()) return false;
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    const Value& v = values[k];
    switch (kinds[k]) {
      case IndexKind::Int:
        if (v.num < 0 || v.num > 0x7FFFFFFF) return false;
        out.push_back(static_cast<std::uint32_t>(v.num));
        break;
      case IndexKind::String:
        out.push_back(static_cast<std::uint32_t>(v.bytes.size()));
        PutOctets(v.bytes, out);
        break;
      case IndexKind::ImpliedString:
        PutOctets(v.bytes, out);
        break;
      case IndexKind::Mac:
        if (v.bytes.size() != 6) return false;
        PutOctets(v.bytes, out);
        break;
      case IndexKind::Ipv6:
        if (v.bytes.size() != 16) return false;
        PutOctets(v.bytes, out);
        break;
      case IndexKind::Ip:
        if (v.bytes.size() != 4) return false;
        PutOctets(v.bytes, out);
        break;
      case IndexKind::ObjectId:
        out.push_back(static_cast<std::uint32_t>(v.oid.size()));
        out.insert(out.end(), v.oid.begin(), v.oid.end());
        break;
      case IndexKind::ImpliedObjectId:
        out.insert(out.end(), v.oid.begin(), v.oid.end());
        break;
    }
  }
  return true;
}

bool ParseIndexValue(IndexKind kind, std::string_view text, Value& out) {
  std::string error;
  std::string s(text);
  switch (kind) {
    case IndexKind::Int:
      return ParseTypedValue('i', text, out, error) && out.num >= 0;
    case IndexKind::String:
    case IndexKind::ImpliedString:
      if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
        s = s.substr(1, s.size() - 2);
      } else if (s.rfind("0x", 0) == 0) {
        std::string bytes;
        if (!ParseHex(s.substr(2), bytes)) return false;
        s = bytes;
      }
      out = Value::Octets(s);
      return true;
    case IndexKind::Mac: {
      std::string bytes;
      if (!ParseHex(text, bytes) || bytes.size() != 6) return false;
      out = Value::Octets(bytes);
      return true;
    }
    case IndexKind::Ipv6: {
      unsigned char buf[16];
      if (inet_pton(AF_INET6, s.c_str(), buf) != 1) return false;
      out = Value::Octets(std::string(reinterpret_cast<char*>(buf), 16));
      return true;
    }
    case IndexKind::Ip:
      return ParseTypedValue('a', text, out, error);
    case IndexKind::ObjectId:
    case IndexKind::ImpliedObjectId:
      return ParseTypedValue('o', text, out, error);
  }
  return false;
}

bool ParseIndexKind(std::string_view name, IndexKind& out) {
  static const std::pair<const char*, IndexKind> kNames[] = {
      {"int", IndexKind::Int},
      {"str", IndexKind::String},
      {"istr", IndexKind::ImpliedString},
      {"mac", IndexKind::Mac},
      {"ipv6", IndexKind::Ipv6},
      {"ip", IndexKind::Ip},
      {"oid", IndexKind::ObjectId},
      {"ioid", IndexKind::ImpliedObjectId},
  };
  for (const auto& [n, k] : kNames) {
    if (name == n) {
      out = k;
      return true;
    }
  }
  return false;
}

}  // namespace sim
