#include "snmp/Pdu.h"

#include <cstring>
#include <utility>

Pdu::Pdu(const Vb* vbs, int count) {
  if (vbs && count > 0) vbs_.assign(vbs, vbs + count);
}

Pdu& Pdu::operator+=(const Vb& vb) {
  vbs_.push_back(vb);
  return *this;
}

Pdu& Pdu::operator+=(Vb&& vb) {
  vbs_.push_back(std::move(vb));
  return *this;
}

void Pdu::reserve(int count) {
  if (count > 0) vbs_.reserve(static_cast<std::size_t>(count));
}

bool Pdu::get_vb(Vb& vb, int index) const {
  if (index < 0 || index >= get_vb_count()) return false;
  vb = vbs_[static_cast<std::size_t>(index)];
  return true;
}

bool Pdu::set_vb(const Vb& vb, int index) {
  if (index < 0 || index >= get_vb_count()) return false;
  vbs_[static_cast<std::size_t>(index)] = vb;
  return true;
}

bool Pdu::delete_vb(int index) {
  if (index < 0 || index >= get_vb_count()) return false;
  vbs_.erase(vbs_.begin() + index);
  return true;
}

void Pdu::trim(int count) {
  if (count <= 0) return;
  std::size_t n = static_cast<std::size_t>(count);
  vbs_.resize(n >= vbs_.size() ? 0 : vbs_.size() - n);
}

void Pdu::clear() {
  vbs_.clear();
  error_status_ = 0;
  error_index_ = 0;
  request_id_ = 0;
  type_ = 0;
}

void Pdu::set_context_engine_id(const OctetStr& id) {
  context_engine_id_ = id;
  context_engine_id_valid_ = true;
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void Pdu::set_context_engine_id(const char* text) {
  context_engine_id_.clear();
  context_engine_id_valid_ = true;
  if (!text) return;
  std::size_t len = std::strlen(text);
  if (len >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if ((len - 2) % 2 != 0) {
      context_engine_id_valid_ = false;
      return;
    }
    for (std::size_t i = 2; i < len; i += 2) {
      int hi = HexValue(text[i]);
      int lo = HexValue(text[i + 1]);
      if (hi < 0 || lo < 0) {
        context_engine_id_.clear();
        context_engine_id_valid_ = false;
        return;
      }
      context_engine_id_ += static_cast<unsigned char>(hi << 4 | lo);
    }
    return;
  }
  context_engine_id_ = OctetStr(text);
}
