#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RecordingProgress.h"
#include "support/Raised.h"
#include "support/ScratchFolder.h"
#include "support/TestJpeg.h"
#include "toolkit/PLFileSource.h"
#include "toolkit/PLMemSource.h"
#include "toolkit/PLTextException.h"

namespace {

TEST(DataSource, AdvancesWithinTheDataAndStopsAtItsEnd) {
  std::vector<std::uint8_t> data(3000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  RecordingProgress progress;
  PLMemSource source(&progress);
  ASSERT_EQ(source.Open(data.data(), data.size()), 0);
  EXPECT_EQ(source.Name(), "Mem");
  EXPECT_EQ(source.Advance(1000), data.data());
  EXPECT_TRUE(progress.parts.empty());  // no kibibyte boundary crossed yet
  EXPECT_EQ(*source.Advance(100), 1000 % 256);
  EXPECT_EQ(progress.parts, std::vector<double>{1100.0 / 3000.0});
  source.Advance(1900);
  EXPECT_EQ(source.Position(), 3000u);
  const PLTextException pastTheEnd = Raised<PLTextException>([&] { source.Advance(1); });
  EXPECT_EQ(pastTheEnd.Code(), PL_ERREND_OF_FILE);
  EXPECT_EQ(pastTheEnd.Message(), "End of file reached while decoding.\n");
  EXPECT_EQ(source.Position(), 3000u);
  source.Close();
  EXPECT_EQ(progress.parts.back(), 1.0);
  EXPECT_FALSE(source.IsOpen());
}

TEST(DataSource, FileSourceMapsTheWholeFile) {
  const ScratchFolder folder("mapped-source");
  const std::vector<std::uint8_t> bytes = testsupport::EncodeJpeg();
  const std::string path = folder.Write("source.bin", {bytes.begin(), bytes.end()}).string();
  PLFileSource source;
  ASSERT_EQ(source.Open(path), 0);
  EXPECT_EQ(source.Name(), path);
  ASSERT_EQ(source.Size(), bytes.size());
  EXPECT_EQ(
      std::vector<std::uint8_t>(source.CurrentPointer(), source.CurrentPointer() + bytes.size()),
      bytes);
}

}  // namespace
