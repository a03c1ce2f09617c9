// The value-or-reason result of the model, project and scripting layers.
#include "torvio/Result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

torvio::Result<int> Half(int n) {
  if (n % 2 != 0)
    return torvio::Failure{std::to_string(n) + " is odd"};
  return n / 2;
}

TEST(Result, HoldsTheValueOrTheReason) {
  const torvio::Result<int> even = Half(8);
  ASSERT_TRUE(even.ok());
  EXPECT_TRUE(static_cast<bool>(even));
  EXPECT_EQ(*even, 4);
  EXPECT_EQ(even.error(), "");

  const torvio::Result<int> odd = Half(7);
  EXPECT_FALSE(odd.ok());
  EXPECT_FALSE(static_cast<bool>(odd));
  EXPECT_EQ(odd.error(), "7 is odd");
}

// A string value is a value, never taken for a reason.
TEST(Result, AStringValueIsNoFailure) {
  const torvio::Result<std::string> text = std::string("not JSON");
  ASSERT_TRUE(text.ok());
  EXPECT_EQ(*text, "not JSON");
  EXPECT_EQ(text->size(), 8u);
  EXPECT_EQ(text.error(), "");
}

TEST(Result, MovesOutAValueThatCannotBeCopied) {
  torvio::Result<std::unique_ptr<int>> r = std::make_unique<int>(5);
  const std::unique_ptr<int> p = std::move(r).value();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(*p, 5);
}

TEST(Status, SucceedsByDefaultAndFailsWithItsReason) {
  const torvio::Status done;
  EXPECT_TRUE(done.ok());
  EXPECT_EQ(done.error(), "");
  const torvio::Status refused = torvio::Failure{"R: -1 is outside its limits 0.01..150"};
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.error(), "R: -1 is outside its limits 0.01..150");
  // A failure without words is still a failure.
  EXPECT_FALSE(torvio::Status(torvio::Failure{}).ok());
}

} // namespace
