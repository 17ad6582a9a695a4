#include <gtest/gtest.h>

#include "base/numbers.h"

TEST(Placeholder, Builds) { EXPECT_EQ(tallivan::toMilli(1.15), 1150); }
