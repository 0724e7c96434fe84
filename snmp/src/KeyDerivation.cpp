#include "KeyDerivation.h"

#include <openssl/evp.h>

#include <memory>

namespace vnsnmp {

namespace {

const EVP_MD* Digest(HashKind hash) { return hash == HashKind::Md5 ? EVP_md5() : EVP_sha1(); }

struct CtxFree {
  void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};
using Ctx = std::unique_ptr<EVP_MD_CTX, CtxFree>;

constexpr std::size_t kExpanded = 1048576;  // one megabyte of pass phrase

}  // namespace

std::vector<std::uint8_t> PasswordToKu(HashKind hash, const std::string& password) {
  if (password.empty()) return {};
  Ctx ctx(EVP_MD_CTX_new());
  if (!ctx || EVP_DigestInit_ex(ctx.get(), Digest(hash), nullptr) != 1) return {};
  unsigned char block[64];
  std::size_t pos = 0;
  for (std::size_t done = 0; done < kExpanded; done += sizeof block) {
    for (unsigned char& c : block) {
      c = static_cast<unsigned char>(password[pos]);
      pos = pos + 1 == password.size() ? 0 : pos + 1;
    }
    if (EVP_DigestUpdate(ctx.get(), block, sizeof block) != 1) return {};
  }
  unsigned char out[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  if (EVP_DigestFinal_ex(ctx.get(), out, &len) != 1) return {};
  return std::vector<std::uint8_t>(out, out + len);
}

std::vector<std::uint8_t> LocalizeKey(HashKind hash, const std::vector<std::uint8_t>& ku,
                                      const std::vector<std::uint8_t>& engine_id) {
  if (ku.empty()) return {};
  Ctx ctx(EVP_MD_CTX_new());
  unsigned char out[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  if (!ctx || EVP_DigestInit_ex(ctx.get(), Digest(hash), nullptr) != 1 ||
      EVP_DigestUpdate(ctx.get(), ku.data(), ku.size()) != 1 ||
      (!engine_id.empty() &&
       EVP_DigestUpdate(ctx.get(), engine_id.data(), engine_id.size()) != 1) ||
      EVP_DigestUpdate(ctx.get(), ku.data(), ku.size()) != 1 ||
      EVP_DigestFinal_ex(ctx.get(), out, &len) != 1) {
    return {};
  }
  return std::vector<std::uint8_t>(out, out + len);
}

}  // namespace vnsnmp
