#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/ScratchFolder.h"

namespace {

class ProfileTest : public testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return (folder_.Path() / name).string(); }
  std::string WriteFile(const std::string& name, const std::string& contents) const {
    return folder_.Write(name, contents).string();
  }

  ScratchFolder folder_{"profile"};
};

TEST_F(ProfileTest, ValuesWrittenAreReadBackAfterReopening) {
  const std::string path = PathOf("montage.ini");
  {
    Profile profile(path);
    profile.WriteNumber("Settings", "Version", 245299);
    profile.WriteNumber("Settings", "CustomColour00", 0xFFFFFFFF);
    profile.WriteNumber("Settings", "PaperType", 0);
    profile.WriteText("Settings", "SampleCaptionText0", "Class of 2024, Room 3; \"Zoë\" = café");
    profile.WriteText("Settings", "LogoImage", "");
    profile.WriteText("Settings", "Spaces", "  padded  ");
    profile.WriteNumber("Other", "Version", 7);
  }
  const Profile profile(path);
  EXPECT_EQ(profile.ReadNumber("Settings", "Version", 0), 245299u);
  EXPECT_EQ(profile.ReadNumber("Settings", "CustomColour00", 1), 0xFFFFFFFFu);
  EXPECT_EQ(profile.ReadNumber("Settings", "PaperType", 4), 0u);
  EXPECT_EQ(profile.ReadText("Settings", "SampleCaptionText0", ""),
            "Class of 2024, Room 3; \"Zoë\" = café");
  EXPECT_EQ(profile.ReadText("Settings", "LogoImage", "default"), "");
  EXPECT_EQ(profile.ReadText("Settings", "Spaces", ""), "  padded  ");
  EXPECT_EQ(profile.ReadNumber("Other", "Version", 0), 7u);
}

TEST_F(ProfileTest, MissingValuesReadAsTheDefault) {
  const Profile profile(PathOf("absent.ini"));
  EXPECT_EQ(profile.ReadNumber("Settings", "Updater", 1), 1u);
  EXPECT_EQ(profile.ReadText("Settings", "ZovedLayoutFile", "none"), "none");
}

TEST_F(ProfileTest, HandEditedValuesNeverCrashAndFallBackWhenUnusable) {
  const Profile profile(WriteFile("edited.ini",
                                  "[Settings]\n"
                                  "NumImages=twenty\n"
                                  "PaperType=-1\n"
                                  "PaperWidth=99999999999\n"
                                  "TestInterval= 7 \n"
                                  "Fraction=2.5\n"
                                  "Pair=1, 2\n"
                                  "Caption=Hello, world\n"
                                  "Shape=@Rect(1 2 3 4)\n"
                                  "Empty=\n"));
  EXPECT_EQ(profile.ReadNumber("Settings", "NumImages", 20), 20u);
  EXPECT_EQ(static_cast<std::int32_t>(profile.ReadNumber("Settings", "PaperType", 4)), -1);
  EXPECT_EQ(profile.ReadNumber("Settings", "PaperWidth", 2540), 2540u);
  EXPECT_EQ(profile.ReadNumber("Settings", "TestInterval", 2), 7u);
  EXPECT_EQ(profile.ReadNumber("Settings", "Fraction", 3), 3u);
  EXPECT_EQ(profile.ReadNumber("Settings", "Pair", 3), 3u);
  EXPECT_EQ(profile.ReadNumber("Settings", "Empty", 9), 9u);
  EXPECT_EQ(profile.ReadText("Settings", "Caption", ""), "Hello, world");
  EXPECT_EQ(profile.ReadText("Settings", "Shape", "fallback"), "fallback");
  EXPECT_EQ(profile.ReadText("Settings", "Empty", "fallback"), "");

  const Profile garbage(WriteFile("garbage.ini", std::string("\0\xFF[\x01=\n==\n[[", 12)));
  EXPECT_EQ(garbage.ReadNumber("Settings", "NumImages", 20), 20u);
}

TEST_F(ProfileTest, FlushReportsStorageThatCannotBeWritten) {
  Profile writable(PathOf("ok.ini"));
  writable.WriteNumber("Settings", "Version", 1);
  EXPECT_TRUE(writable.Flush());

  Profile unwritable("/proc/montage-profile-test/settings.ini");
  unwritable.WriteNumber("Settings", "Version", 1);
  EXPECT_FALSE(unwritable.Flush());
}

TEST(ProfileLocation, TheUserProfileLivesInTheConfigurationFolder) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config == nullptr) GTEST_SKIP() << "XDG_CONFIG_HOME is not set";
  EXPECT_EQ(Profile().FileName(), std::string(config) + "/Larkfield/Montage.conf");
}

}  // namespace
