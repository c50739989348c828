// The scrambling's algebra over every byte value, and known answers that pin
// the file format.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "config_codec.h"
#include "factory_config.h"

namespace {

std::array<uint8_t, 256> AllByteValues()
{
    std::array<uint8_t, 256> abyValues;
    for (int i = 0; i < 256; ++i)
        abyValues[i] = static_cast<uint8_t>(i);
    return abyValues;
}

TEST(CodecTest, DecodeUndoesEncodeAndEncodeUndoesDecodeForEveryByte)
{
    std::array<uint8_t, 256> abyValues = AllByteValues();
    EncodeConfig(abyValues.data(), 256);
    DecodeConfig(abyValues.data(), 256);
    EXPECT_EQ(abyValues, AllByteValues());

    DecodeConfig(abyValues.data(), 256);
    EncodeConfig(abyValues.data(), 256);
    EXPECT_EQ(abyValues, AllByteValues());
}

TEST(CodecTest, EncodingIsOneToOne)
{
    std::array<uint8_t, 256> abyValues = AllByteValues();
    EncodeConfig(abyValues.data(), 256);
    std::array<bool, 256> abSeen{};
    for (uint8_t by : abyValues) {
        EXPECT_FALSE(abSeen[by]) << "two byte values encode to " << int(by);
        abSeen[by] = true;
    }
}

TEST(CodecTest, EncodingIsNotItsOwnInverse)
{
    std::array<uint8_t, 256> abyValues = AllByteValues();
    EncodeConfig(abyValues.data(), 256);
    EncodeConfig(abyValues.data(), 256);
    EXPECT_NE(abyValues, AllByteValues());
}

struct KnownByte {
    uint8_t byPlain;
    uint8_t byEncoded;
};

// Worked by hand: XOR 0x6D, then rotate right by 2.
class CodecKnownAnswerTest : public ::testing::TestWithParam<KnownByte> {};

TEST_P(CodecKnownAnswerTest, EncodesAndDecodes)
{
    uint8_t by = GetParam().byPlain;
    EncodeConfig(&by, 1);
    EXPECT_EQ(by, GetParam().byEncoded);
    DecodeConfig(&by, 1);
    EXPECT_EQ(by, GetParam().byPlain);
}

INSTANTIATE_TEST_SUITE_P(Bytes, CodecKnownAnswerTest,
                         ::testing::Values(KnownByte{0x00, 0x5B},   // 0x6D -> 0x5B
                                           KnownByte{0x15, 0x1E},   // port 21: 0x78 -> 0x1E
                                           KnownByte{0x6D, 0x00},   // the mask itself
                                           KnownByte{0xEC, 0x60},   // 0x81 -> 0110 0000
                                           KnownByte{0xFF, 0xA4})); // 0x92 -> 1010 0100

TEST(CodecTest, NonPositiveLengthsLeaveTheBufferAlone)
{
    for (int32_t iLength : {0, -1, -308, INT32_MIN}) {
        std::array<uint8_t, 4> aby = {1, 2, 3, 4};
        EncodeConfig(aby.data(), iLength);
        DecodeConfig(aby.data(), iLength);
        EXPECT_EQ(aby, (std::array<uint8_t, 4>{1, 2, 3, 4})) << "length " << iLength;
    }
}

TEST(CodecTest, TransformDependsOnTheValueOnlyNotThePosition)
{
    std::vector<uint8_t> aby(CONFIG_RECORD_SIZE, 0xA7);
    EncodeConfig(aby.data(), CONFIG_RECORD_SIZE);
    for (uint8_t by : aby)
        EXPECT_EQ(by, aby[0]);
}

TEST(CodecTest, FreshRecordEncodesToTheKnownImage)
{
    FactoryConfig sConfig = MakeFreshConfig();
    EncodeConfig(&sConfig, CONFIG_RECORD_SIZE);
    const uint8_t* pby = reinterpret_cast<const uint8_t*>(&sConfig);
    for (int i = 0; i < CONFIG_RECORD_SIZE; ++i)
        EXPECT_EQ(pby[i], i == 2 ? 0x1E : 0x5B) << "offset " << i;
}

TEST(CodecTest, EncodesOnlyTheGivenLength)
{
    std::array<uint8_t, 4> aby = {0, 0, 0, 0};
    EncodeConfig(aby.data(), 2);
    EXPECT_EQ(aby, (std::array<uint8_t, 4>{0x5B, 0x5B, 0, 0}));
}

} // namespace
