#include "platform/base/Result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace rt {
namespace {

enum class Trouble { Missing };

TEST(Result, CarriesMoveOnlyValuesAndErrors) {
    Result<std::unique_ptr<int>, Trouble> held(std::make_unique<int>(7));
    ASSERT_TRUE(held.ok());
    const auto taken = std::move(held).value();
    EXPECT_EQ(*taken, 7);

    const Result<std::string, Trouble> failed(Trouble::Missing);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.error(), Trouble::Missing);
}

TEST(Result, VoidFormIsSuccessUnlessGivenAnError) {
    using Status = Result<void, Trouble>;
    EXPECT_TRUE(Status().ok());
    EXPECT_EQ(Status(Trouble::Missing).error(), Trouble::Missing);
}

TEST(ResultDeathTest, ReadingTheAbsentSideEndsTheProgram) {
    using Number = Result<int, Trouble>;
    using Status = Result<void, Trouble>;
    EXPECT_DEATH((void)Number(Trouble::Missing).value(), "holds none");
    EXPECT_DEATH((void)Number(3).error(), "holds none");
    EXPECT_DEATH((void)Status().error(), "holds none");
}

}  // namespace
}  // namespace rt
