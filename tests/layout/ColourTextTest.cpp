#include "layout/ColourText.h"

#include <gtest/gtest.h>

namespace {

TEST(ColourTextTest, ParsesRedGreenBlueFieldsOfUpToTwoDigits) {
  EXPECT_EQ(ParseColour("FFFFFF"), MakeColourRef(255, 255, 255));
  EXPECT_EQ(ParseColour("ffffff"), MakeColourRef(255, 255, 255));
  EXPECT_EQ(ParseColour("0A0B0C"), MakeColourRef(10, 11, 12));
  EXPECT_EQ(ParseColour("A"), MakeColourRef(10, 0, 0));
  EXPECT_EQ(ParseColour(""), MakeColourRef(0, 0, 0));
  EXPECT_EQ(ParseColour(" 1 2\t3"), MakeColourRef(1, 2, 3));
  EXPECT_EQ(ParseColour("FFGG00"), MakeColourRef(255, 0, 0));
  EXPECT_EQ(ParseColour("ZZ"), MakeColourRef(0, 0, 0));
}

TEST(ColourTextTest, WritesSixUpperCaseDigitsWithLeadingZeros) {
  EXPECT_EQ(ColourText(MakeColourRef(10, 11, 12)), "0A0B0C");
  EXPECT_EQ(ColourText(MakeColourRef(0, 0, 255)), "0000FF");
  EXPECT_EQ(ColourText(MakeColourRef(171, 205, 239)), "ABCDEF");
  EXPECT_EQ(ParseColour(ColourText(MakeColourRef(1, 128, 254))), MakeColourRef(1, 128, 254));
}

}  // namespace
