#include "roster/SampleNames.h"

#include <gtest/gtest.h>

#include <string>

#include "roster/ProperCaseName.h"

namespace {

TEST(SampleNames, AreAlreadyInTheirPrintedForm) {
  for (std::uint32_t i = 0; i < SampleNames::Count; ++i) {
    std::string first(SampleNames::At(i).First);
    std::string last(SampleNames::At(i).Last);
    EXPECT_EQ(ProperCaseName(first), SampleNames::At(i).First);
    EXPECT_EQ(ProperCaseName(last), SampleNames::At(i).Last);
  }
}

TEST(SampleNames, HaveTheShapesThatTryTheNameDrawing) {
  EXPECT_EQ(SampleNames::At(1).Last, SampleNames::At(8).Last);
  EXPECT_EQ(SampleNames::At(3).First.size(), 12u);
  EXPECT_EQ(SampleNames::At(4).Last.size(), 17u);
  EXPECT_EQ(SampleNames::At(9).First.size(), 13u);
  EXPECT_EQ(SampleNames::At(9).Last.size(), 18u);
  EXPECT_NE(SampleNames::At(4).Last.find('-'), std::string_view::npos);
}

TEST(SampleNames, CursorWrapsAfterTheLastPairAndIsNeverReset) {
  const std::uint32_t start = SampleNames::NameCursor();
  for (std::uint32_t i = 0; i < 13; ++i) {
    EXPECT_EQ(&SampleNames::Next(), &SampleNames::At(start + i));
  }
  EXPECT_EQ(SampleNames::NameCursor(), (start + 13) % SampleNames::Count);
}

}  // namespace
