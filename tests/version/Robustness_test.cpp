// Every valid fixture, cut at every length and with every byte replaced in
// turn: the reader must answer or refuse, never crash, hang or read outside
// its input (the sanitizer builds check the last). And what it hands out must
// keep the services' promises.
#include <gtest/gtest.h>

#include <algorithm>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

// The promises: a 16-bit block of at most 0xFFFF bytes whose root length is
// its size, answers inside it, and strings that end with a NUL inside it.
::testing::AssertionResult keepsPromises(const Bytes& bytes) {
    const auto info = readBytes(bytes);
    if (!info) {
        return ::testing::AssertionSuccess();
    }
    const auto& block = info->block;
    if (block.size() < 4 || block.size() > 0xFFFF) {
        return ::testing::AssertionFailure() << "block of " << block.size() << " bytes";
    }
    if ((std::to_integer<std::size_t>(block[0]) | std::to_integer<std::size_t>(block[1]) << 8) !=
        block.size()) {
        return ::testing::AssertionFailure() << "root length is not the block's size";
    }
    for (const auto path :
         {kProductQuery, std::string_view("\\"), std::string_view("\\VarFileInfo\\Translation")}) {
        const auto answer = queryAnsiBlock(block, path);
        if (!answer) {
            continue;
        }
        if (answer->offset >= block.size() || answer->length > block.size() - answer->offset) {
            return ::testing::AssertionFailure() << "answer for " << path << " outside the block";
        }
        const auto rest = std::span(block).subspan(answer->offset);
        if (path == kProductQuery && std::find(rest.begin(), rest.end(), std::byte{0}) == rest.end()) {
            return ::testing::AssertionFailure() << "answer for " << path << " has no NUL in the block";
        }
    }
    return ::testing::AssertionSuccess();
}

using NamedFixture = std::pair<std::string, Bytes>;

class EveryFixture : public ::testing::TestWithParam<NamedFixture> {};

TEST_P(EveryFixture, SurvivesBeingCutAtEveryLength) {
    const auto& bytes = GetParam().second;
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        ASSERT_TRUE(keepsPromises(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size))))
            << "size " << size;
    }
}

// A file cut short once gave the version text up to the cut, which could
// read as a whole version ("4.00.1116" from "4.00.1116 (a fixture build...").
TEST_P(EveryFixture, PrefixGivesTheWholeFilesBlockOrNone) {
    const auto& bytes = GetParam().second;
    const auto whole = readBytes(bytes);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const auto cut = readBytes(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(size)));
        if (cut) {
            ASSERT_TRUE(whole && cut->block == whole->block) << "size " << size;
        }
    }
}

TEST_P(EveryFixture, SurvivesAnyOneByteReplaced) {
    auto bytes = GetParam().second;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto original = bytes[i];
        for (const auto replacement : {std::byte{0x00}, std::byte{0xFF}, std::byte{0x7F}}) {
            bytes[i] = replacement;
            ASSERT_TRUE(keepsPromises(bytes)) << "byte " << i << " replaced";
        }
        bytes[i] = original;
    }
}

TEST(EveryBlock, QuerySurvivesAnyOneByteReplaced) {
    for (const auto& [name, bytes] : fixtures::standardCorpus()) {
        const auto info = readBytes(bytes);
        if (!info) {
            continue;  // a broken fixture: no block to vary
        }
        auto block = info->block;
        for (std::size_t i = 0; i < block.size(); ++i) {
            const auto original = block[i];
            for (const auto replacement : {std::byte{0x00}, std::byte{0xFF}, std::byte{0x01}}) {
                block[i] = replacement;
                const auto answer = queryAnsiBlock(block, kProductQuery);
                ASSERT_TRUE(!answer || answer->offset + answer->length <= block.size())
                    << name << " byte " << i;
            }
            block[i] = original;
        }
    }
}

std::string fixtureName(const ::testing::TestParamInfo<NamedFixture>& info) {
    std::string name = info.param.first;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, EveryFixture, ::testing::ValuesIn(fixtures::standardCorpus()), fixtureName);

}  // namespace
}  // namespace rt::version::test
