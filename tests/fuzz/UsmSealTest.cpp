#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/UsmSeal.h"

// The session target's sealed replies are the agent's own: the plaintext
// kept as the sealed seed, sealed with the user's keys, is the recorded
// authPriv reply octet for octet (digest and ciphertext), and the ciphers
// give their published answers.
namespace {

using vnfuzz::Bytes;

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes Hex(const std::string& text) {
  Bytes out;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
  return out;
}

TEST(UsmSeal, CiphersGiveTheirPublishedAnswers) {
  EXPECT_EQ(vnfuzz::Sha1({'a', 'b', 'c'}), Hex("a9993e364706816aba3e25717850c26c9cd0d89d"));
  EXPECT_EQ(vnfuzz::HmacSha1(Bytes(20, 0x0b), {'H', 'i', ' ', 'T', 'h', 'e', 'r', 'e'}),
            Hex("b617318655057264e28bc0b6fb378c8ef146be00"));
  EXPECT_EQ(vnfuzz::HmacSha1({}, {}), Hex("fbdb1d1b18aa6c08324b7d64b71fb76370690e1d"));
  const Bytes cipher =
      vnfuzz::DesCbc(Hex("133457799bbcdff1"), Bytes(8, 0), Hex("0123456789abcdef"), true);
  EXPECT_EQ(cipher, Hex("85e813540f0ab405"));
  EXPECT_EQ(vnfuzz::DesCbc(Hex("133457799bbcdff1"), Bytes(8, 0), cipher, false),
            Hex("0123456789abcdef"));
  EXPECT_EQ(vnfuzz::DesCbc(Hex("133457799bbcdff1"), Bytes(8, 0), Hex("0123456789abcdef0102"), true),
            cipher);
  EXPECT_TRUE(vnfuzz::DesCbc(Hex("133457799bbcdf"), Bytes(8, 0), cipher, true).empty());
  // 4 KiB of counting octets: the digest of their ciphertext as another
  // CBC-DES gives it, so that the chaining is checked over many blocks.
  Bytes counting(4096);
  for (std::size_t i = 0; i < counting.size(); ++i) counting[i] = static_cast<std::uint8_t>(i);
  const Bytes longCipher = vnfuzz::DesCbc(Hex("133457799bbcdff1"), Bytes(8, 0), counting, true);
  EXPECT_EQ(vnfuzz::Sha1(longCipher), Hex("706e1ec64c33e3eec0da67553d1840383828d8ed"));
  EXPECT_EQ(vnfuzz::DesCbc(Hex("133457799bbcdff1"), Bytes(8, 0), longCipher, false), counting);
}

TEST(UsmSeal, TheSealedSeedIsTheRecordedReply) {
  const Bytes recorded = ReadBytes(std::string(VN_FUZZ_DIR) + "/corpus/session/v3-authpriv");
  ASSERT_GT(recorded.size(), 3u);
  const std::size_t report = std::size_t{recorded[1]} << 8 | recorded[2];
  ASSERT_GT(recorded.size(), 3 + report + 2);
  const Bytes reply(recorded.begin() + static_cast<std::ptrdiff_t>(3 + report + 2), recorded.end());

  const Bytes seed = ReadBytes(std::string(VN_FUZZ_DIR) + "/corpus/session/v3-sealed-response");
  ASSERT_FALSE(seed.empty());
  EXPECT_EQ(seed[0] & 3, 3);
  const vnfuzz::SealParams params = vnfuzz::RecordedAgentSeal(0x5810);
  const Bytes plaintext(seed.begin() + 1, seed.end());
  EXPECT_EQ(vnfuzz::SealResponse(params, plaintext), reply);
  Bytes opened = vnfuzz::OpenResponse(params, reply);
  opened.resize(plaintext.size());
  EXPECT_EQ(opened, plaintext);
}

}  // namespace
