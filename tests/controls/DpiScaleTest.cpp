#include "controls/DpiScale.h"

#include <gtest/gtest.h>

TEST(DpiScaleTest, LengthsGrowWithTheScaleRoundedToWholePixels)
{
    EXPECT_EQ(120, ScaleForDpi(120, 96));
    EXPECT_EQ(150, ScaleForDpi(120, 120));
    EXPECT_EQ(180, ScaleForDpi(120, 144));
    EXPECT_EQ(240, ScaleForDpi(120, 192));
    EXPECT_EQ(3, ScaleForDpi(2, 120));   // 2.5 rounds up
    EXPECT_EQ(5, ScaleForDpi(4, 120));
    EXPECT_EQ(-3, ScaleForDpi(-2, 120));  // and away from zero below it
}

TEST(DpiScaleTest, PicturesComeAtTheNearestDrawnSizeNeverAnInBetweenOne)
{
    // The usual scales have a picture drawn for them.
    EXPECT_EQ(32, DrawnSizeForDpi(32, 96));
    EXPECT_EQ(40, DrawnSizeForDpi(32, 120));
    EXPECT_EQ(48, DrawnSizeForDpi(32, 144));
    EXPECT_EQ(64, DrawnSizeForDpi(32, 192));
    EXPECT_EQ(20, DrawnSizeForDpi(16, 120));
    // 175 %: 56 lies between 48 and 64; the smaller is shown whole.
    EXPECT_EQ(48, DrawnSizeForDpi(32, 168));
    EXPECT_EQ(24, NearestDrawnSize(28));
    EXPECT_EQ(32, NearestDrawnSize(29));
    // Beyond the drawn set: the nearest end.
    EXPECT_EQ(16, NearestDrawnSize(9));
    EXPECT_EQ(64, DrawnSizeForDpi(32, 288));
}
