#include <gtest/gtest.h>

#include <stdexcept>

#include "core/scope_exit.h"

TEST(ScopeExit, RunsOnReturnAndOnAnExceptionUnlessDismissed) {
  int Runs = 0;
  {
    const TScopeExit Guard([&] { ++Runs; });
  }
  EXPECT_EQ(Runs, 1);
  EXPECT_THROW(
      {
        const TScopeExit Guard([&] { ++Runs; });
        throw std::runtime_error("body");
      },
      std::runtime_error);
  EXPECT_EQ(Runs, 2);
  {
    TScopeExit Guard([&] { ++Runs; });
    Guard.Dismiss();
  }
  EXPECT_EQ(Runs, 2);
}

TEST(ScopeExit, AFailingActionReachesTheCallerOnlyWhenNothingElseFailed) {
  const auto FailingAction = [] { throw std::logic_error("clean-up"); };
  EXPECT_THROW({ const TScopeExit Guard(FailingAction); }, std::logic_error);
  try {
    const TScopeExit Guard(FailingAction);
    throw std::runtime_error("body");
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "body");
  }
}
