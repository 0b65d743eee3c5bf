#include "platform/definition/FieldBinding.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "DefinitionFixtures.h"

namespace {

using namespace rt::definition::test;
using rt::definition::BindingFault;

class FieldBinding : public ::testing::Test {
  protected:
    FieldBinding() {
        auto walked = rt::definition::loadWindowDescription(kStatusModule, kStatusWindow);
        EXPECT_TRUE(walked);
        if (walked) {
            m_window = std::move(walked).value();
        }
    }

    std::vector<std::span<char>> fields(std::size_t count) {
        std::vector<std::span<char>> spans;
        for (std::size_t i = 0; i < count; ++i) {
            spans.emplace_back(m_fields[i]);
        }
        return spans;
    }

    rt::definition::WindowDescription m_window;
    std::array<std::array<char, 40>, 4> m_fields{};
};

TEST_F(FieldBinding, StatusWindowShowsItsThreeFieldsInChainOrder) {
    const auto bound = rt::definition::bindFields(m_window, fields(3));
    ASSERT_TRUE(bound) << bound.error().message();
    ASSERT_EQ(bound->size(), 3u);
    EXPECT_EQ(bound->at(2).data(), m_fields[0].data());
    EXPECT_EQ(bound->at(4).data(), m_fields[1].data());
    EXPECT_EQ(bound->at(6).data(), m_fields[2].data());
}

TEST_F(FieldBinding, EveryDisplayNeedsAFieldAndEveryFieldADisplay) {
    const auto fewer = rt::definition::bindFields(m_window, fields(2));
    ASSERT_FALSE(fewer);
    EXPECT_EQ(fewer.error().fault, BindingFault::FewerFields);
    const auto more = rt::definition::bindFields(m_window, fields(4));
    ASSERT_FALSE(more);
    EXPECT_EQ(more.error().fault, BindingFault::MoreFields);
}

// A display redraws from its field at the length its variable gives: a field
// of another type or length would be read as something it is not.
TEST_F(FieldBinding, DisplayOfAnotherVariableTypeTakesNoField) {
    for (auto& control : m_window.controls) {
        if (control.id == 4) {
            control.variable.typeCode = static_cast<std::uint8_t>(rt::definition::kFixedTextType + 1);
        }
    }
    const auto bound = rt::definition::bindFields(m_window, fields(3));
    ASSERT_FALSE(bound);
    EXPECT_EQ(bound.error().fault, BindingFault::FieldMismatch);
    EXPECT_EQ(bound.error().message(), "bound variable 2 does not match value display 4");
}

}  // namespace
