#include "foundation/archives/idea_cipher.h"

#include <gcrypt.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

namespace {

using Block = std::array<uint8_t, kIdeaBlockBytes>;

struct Schedules
{
    IdeaSchedule encrypt;
    IdeaSchedule decrypt;

    explicit Schedules(const uint16_t key[kIdeaKeyWords])
    {
        IdeaExpandKey(key, encrypt);
        IdeaInvertKey(encrypt, decrypt);
    }
};

// libgcrypt reads its 16 key bytes as big-endian words.
std::array<uint8_t, 16> OracleKey(const uint16_t key[kIdeaKeyWords])
{
    std::array<uint8_t, 16> bytes;
    for (int i = 0; i < kIdeaKeyWords; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(key[i] >> 8);
        bytes[2 * i + 1] = static_cast<uint8_t>(key[i]);
    }
    return bytes;
}

std::vector<uint8_t> OracleEncrypt(const uint16_t key[kIdeaKeyWords], const std::vector<uint8_t>& plain,
                                   int mode)
{
    gcry_check_version(nullptr);
    gcry_cipher_hd_t handle = nullptr;
    EXPECT_EQ(gcry_cipher_open(&handle, GCRY_CIPHER_IDEA, mode, 0), 0);
    const auto bytes = OracleKey(key);
    EXPECT_EQ(gcry_cipher_setkey(handle, bytes.data(), bytes.size()), 0);
    if (mode == GCRY_CIPHER_MODE_CBC) {
        const Block zero{};
        EXPECT_EQ(gcry_cipher_setiv(handle, zero.data(), zero.size()), 0);
    }
    std::vector<uint8_t> out(plain.size());
    EXPECT_EQ(gcry_cipher_encrypt(handle, out.data(), out.size(), plain.data(), plain.size()), 0);
    gcry_cipher_close(handle);
    return out;
}

TEST(IdeaCipher, PublishedVector)
{
    const uint16_t key[kIdeaKeyWords] = {1, 2, 3, 4, 5, 6, 7, 8};
    const Schedules s(key);
    const Block plain = {0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03};
    const Block expected = {0x11, 0xFB, 0xED, 0x2B, 0x01, 0x98, 0x6D, 0xE5};
    Block cipher;
    IdeaCipherBlock(s.encrypt, plain.data(), cipher.data());
    EXPECT_EQ(cipher, expected);
    Block back;
    IdeaCipherBlock(s.decrypt, cipher.data(), back.data());
    EXPECT_EQ(back, plain);
}

TEST(IdeaCipher, KeyScheduleStartsWithKeyWordsThenRotates)
{
    const uint16_t key[kIdeaKeyWords] = {1, 2, 3, 4, 5, 6, 7, 8};
    IdeaSchedule schedule;
    IdeaExpandKey(key, schedule);
    // The second group is the key rotated left by 25 bits, worked out by hand.
    const uint16_t second[kIdeaKeyWords] = {0x0400, 0x0600, 0x0800, 0x0A00, 0x0C00, 0x0E00, 0x1000, 0x0200};
    for (int i = 0; i < kIdeaKeyWords; ++i) {
        EXPECT_EQ(schedule[i], key[i]);
        EXPECT_EQ(schedule[kIdeaKeyWords + i], second[i]) << i;
    }
}

TEST(IdeaCipher, MultiplicationTreatsZeroAs65536)
{
    EXPECT_EQ(IdeaMul(0, 0), 1);     // (-1) * (-1)
    EXPECT_EQ(IdeaMul(0, 1), 0);     // 65536
    EXPECT_EQ(IdeaMul(0, 2), 65535); // -2 = 65535
    EXPECT_EQ(IdeaMul(2, 32768), 0); // 65536
    EXPECT_EQ(IdeaMul(3, 21846), 1); // 65538
    EXPECT_EQ(IdeaMul(65535, 65535), 4);
}

TEST(IdeaCipher, EveryInverseIsExact)
{
    for (uint32_t a = 0; a <= 0xFFFF; ++a)
        ASSERT_EQ(IdeaMul(static_cast<uint16_t>(a), IdeaMulInv(static_cast<uint16_t>(a))), 1) << a;
}

TEST(IdeaCipher, MatchesLibgcryptOnRandomKeysAndBlocks)
{
    std::mt19937 random(20240601);
    for (int trial = 0; trial < 200; ++trial) {
        uint16_t key[kIdeaKeyWords];
        for (auto& word : key)
            word = static_cast<uint16_t>(random());
        const Schedules s(key);
        std::vector<uint8_t> plain(kIdeaBlockBytes * (1 + trial % 7));
        for (auto& byte : plain)
            byte = static_cast<uint8_t>(random());

        for (const bool chain : {false, true}) {
            std::vector<uint8_t> cipher(plain.size());
            const size_t blocks = plain.size() / kIdeaBlockBytes;
            IdeaEncrypt(s.encrypt, plain.data(), blocks, cipher.data(), chain);
            EXPECT_EQ(cipher, OracleEncrypt(key, plain, chain ? GCRY_CIPHER_MODE_CBC : GCRY_CIPHER_MODE_ECB));

            // In place, as the enciphering layer uses it.
            std::vector<uint8_t> back = cipher;
            IdeaDecrypt(s.decrypt, back.data(), blocks, back.data(), chain);
            EXPECT_EQ(back, plain);
        }
    }
}

} // namespace
