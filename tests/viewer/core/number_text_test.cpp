#include "viewer/core/number_text.h"

#include <gtest/gtest.h>

namespace sorvath {
namespace {

TEST(ViewerNumberText, ShortestGeneralForm) {
    EXPECT_EQ(generalNumberText(4.5), "4.5");
    EXPECT_EQ(generalNumberText(1500.0), "1500");
    EXPECT_EQ(generalNumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(generalNumberText(-2.0 / 3.0), "-0.666666666666667");
    EXPECT_EQ(generalNumberText(1.0e-20), "1E-20");
    EXPECT_EQ(generalNumberText(0.0), "0");
}

}  // namespace
}  // namespace sorvath
