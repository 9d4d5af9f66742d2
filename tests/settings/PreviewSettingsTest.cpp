#include "settings/PreviewSettings.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>

#include "platform/Profile.h"
#include "support/ScratchFolder.h"

namespace {

class PreviewSettingsTest : public testing::Test {
 protected:
  std::string ProfilePath() const { return (folder_.Path() / "montage.ini").string(); }

  // Writes the values with a profile of their own and returns what a fresh record loads.
  PreviewSettings LoadAfterWriting(void (*write)(Profile&)) const {
    {
      Profile profile(ProfilePath());
      write(profile);
    }
    PreviewSettings settings;
    settings.Load(Profile(ProfilePath()));
    return settings;
  }

  ScratchFolder folder_{"preview-settings"};
};

TEST_F(PreviewSettingsTest, AnEmptyProfileGivesTheBuiltInDefaults) {
  PreviewSettings settings;
  settings.NumImages = 3;  // loading replaces whatever the record held
  settings.Load(Profile(ProfilePath()));
  settings.SetInstallFolder("/opt/montage/");
  EXPECT_EQ(settings.PaperType, 4);
  EXPECT_EQ(PreviewSettings::PaperSizes[4].Name, "10x8");
  EXPECT_EQ(settings.PaperHeight, 2032u);
  EXPECT_EQ(settings.PaperWidth, 2540u);
  EXPECT_EQ(settings.NumImages, 20u);
  EXPECT_TRUE(settings.SamplePortrait);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(settings.SampleCaptionText[i], "Sample text line " + std::to_string(i + 1));
  }
  for (const std::uint32_t colour : settings.CustomColour) EXPECT_EQ(colour, 0xFFFFFFu);
  EXPECT_EQ(settings.SampleImagePath, "/opt/montage/SampleImage.jpg");
  EXPECT_EQ(settings.BackgroundImage, "/opt/montage/SampleBackground.jpg");
  EXPECT_EQ(settings.LogoImage, "/opt/montage/SampleLogo.jpg");
}

TEST_F(PreviewSettingsTest, TheStoredPaperTypeIsDerivedFromTheStoredSize) {
  const PreviewSettings settings = LoadAfterWriting([](Profile& profile) {
    profile.WriteNumber("Settings", "PaperType", 0);
    profile.WriteNumber("Settings", "PaperHeight", 1778);
    profile.WriteNumber("Settings", "PaperWidth", 2540);
  });
  EXPECT_EQ(settings.PaperType, 3);

  const PreviewSettings custom = LoadAfterWriting([](Profile& profile) {
    profile.WriteNumber("Settings", "PaperType", 1);
    profile.WriteNumber("Settings", "PaperHeight", 1000);
  });
  EXPECT_EQ(custom.PaperType, PreviewSettings::CustomPaperType);
  EXPECT_EQ(custom.PaperHeight, 1000u);
}

TEST_F(PreviewSettingsTest, UnusableStoredNumbersFallBackAndFlagsAreAnyNonZero) {
  const PreviewSettings settings = LoadAfterWriting([](Profile& profile) {
    profile.WriteText("Settings", "NumImages", "lots");
    profile.WriteNumber("Settings", "SamplePortrait", 5);
    profile.WriteText("Settings", "CustomColour03", "red");
    profile.WriteNumber("Settings", "CustomColour04", 0x00FF00);
  });
  EXPECT_EQ(settings.NumImages, 20u);
  EXPECT_TRUE(settings.SamplePortrait);
  EXPECT_EQ(settings.CustomColour[3], 0xFFFFFFu);
  EXPECT_EQ(settings.CustomColour[4], 0x00FF00u);

  const PreviewSettings landscape = LoadAfterWriting(
      [](Profile& profile) { profile.WriteNumber("Settings", "SamplePortrait", 0); });
  EXPECT_FALSE(landscape.SamplePortrait);
}

TEST_F(PreviewSettingsTest, EveryValueSurvivesARoundTripThroughTheProfile) {
  PreviewSettings written;
  written.SampleImagePath = "/home/ann/portrait.jpg";
  written.BackgroundImage = "/home/ann/back, ground.jpg";
  written.LogoImage = "/home/ann/logo.jpg";
  written.ClassListPath = "/home/ann/4B/class list.csv";
  written.ClassGroup = "Mrs. Okafor";
  written.SamplePortrait = false;
  written.SetPaperType(1);
  written.NumImages = 9999;
  for (std::size_t i = 0; i < written.CustomColour.size(); ++i) {
    written.CustomColour[i] = static_cast<std::uint32_t>(0x010203 * (i + 1));
  }
  written.SampleCaptionText = {"St. Mary's", "Class 4B, 2024", "", "Zoë & Jörg"};
  {
    Profile profile(ProfilePath());
    written.Store(profile);
    ASSERT_TRUE(profile.Flush());
  }
  PreviewSettings read;
  read.Load(Profile(ProfilePath()));
  EXPECT_EQ(read.SampleImagePath, written.SampleImagePath);
  EXPECT_EQ(read.BackgroundImage, written.BackgroundImage);
  EXPECT_EQ(read.LogoImage, written.LogoImage);
  EXPECT_EQ(read.ClassListPath, written.ClassListPath);
  EXPECT_EQ(read.ClassGroup, written.ClassGroup);
  EXPECT_EQ(read.SamplePortrait, false);
  EXPECT_EQ(read.PaperType, 1);
  EXPECT_EQ(read.PaperHeight, 1524u);
  EXPECT_EQ(read.PaperWidth, 2032u);
  EXPECT_EQ(read.NumImages, 9999u);
  EXPECT_EQ(read.CustomColour, written.CustomColour);
  EXPECT_EQ(read.SampleCaptionText, written.SampleCaptionText);

  // The value names are the registry's, which the earlier program's users already hold.
  const Profile profile(ProfilePath());
  EXPECT_EQ(profile.ReadNumber("Settings", "CustomColour15", 0), 0x010203u * 16);
  EXPECT_EQ(profile.ReadText("Settings", "SampleCaptionText3", ""), "Zoë & Jörg");
  EXPECT_EQ(profile.ReadNumber("Settings", "SamplePortrait", 1), 0u);
}

TEST(PreviewSettingsPaper, ACustomSizeEqualToAPresetTakesThePresetsRow) {
  PreviewSettings settings;
  settings.SetPaperType(5);
  EXPECT_EQ(settings.PaperType, 5);
  EXPECT_EQ(settings.PaperHeight, 2032u);
  EXPECT_EQ(settings.PaperWidth, 2540u);
  settings.SetPaperHeight(1270, false);
  EXPECT_EQ(settings.PaperType, 5);  // 1270 x 2540 is no preset
  settings.SetPaperWidth(1778, false);
  EXPECT_EQ(settings.PaperType, 0);
}

TEST(PreviewSettingsPaper, APortraitPageSwapsHeightAndWidth) {
  PreviewSettings settings;
  settings.SetPaperHeight(2540, true);
  EXPECT_EQ(settings.PaperWidth, 2540u);
  EXPECT_EQ(settings.PaperHeight, 2032u);
  settings.SetPaperWidth(1778, true);
  EXPECT_EQ(settings.PaperHeight, 1778u);
  EXPECT_EQ(settings.PaperType, 3);

  using Size = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(PreviewSettings::LookUpPaperSize(0, false), Size(1270, 1778));
  EXPECT_EQ(PreviewSettings::LookUpPaperSize(0, true), Size(1778, 1270));
  EXPECT_EQ(PreviewSettings::LookUpPaperSize(2, true), Size(2286, 1524));
}

TEST(PreviewSettingsPaper, RowsOutsideTheTableCountAsCustom) {
  using Size = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(PreviewSettings::LookUpPaperSize(-1, false), Size(2032, 2540));
  EXPECT_EQ(PreviewSettings::LookUpPaperSize(6, true), Size(2540, 2032));
  PreviewSettings settings;
  settings.SetPaperType(0);
  settings.SetPaperType(42);
  EXPECT_EQ(settings.PaperType, PreviewSettings::CustomPaperType);
  EXPECT_EQ(settings.PaperHeight, 2032u);
}

TEST(PreviewSettingsFolder, StoredPathsAreKeptAndEmptyOnesPointIntoTheFolder) {
  PreviewSettings settings;
  settings.SampleImagePath = "/old/place/SampleImage.jpg";
  settings.SetInstallFolder("/usr/share/montage-designer");
  EXPECT_EQ(settings.InstallFolder, "/usr/share/montage-designer/");
  EXPECT_EQ(settings.SampleImagePath, "/old/place/SampleImage.jpg");
  EXPECT_EQ(settings.BackgroundImage, "/usr/share/montage-designer/SampleBackground.jpg");
  EXPECT_EQ(settings.LogoImage, "/usr/share/montage-designer/SampleLogo.jpg");

  // Loading after the folder is known fills in what the profile left empty.
  PreviewSettings reloaded;
  reloaded.SetInstallFolder("/bin/");
  const ScratchFolder folder("preview-settings");
  reloaded.Load(Profile((folder.Path() / "empty.ini").string()));
  EXPECT_EQ(reloaded.SampleImagePath, "/bin/SampleImage.jpg");
}

TEST(PreviewSettingsInstance, ReplacedValuesAreSeenThroughEveryReference) {
  PreviewSettings values;
  values.NumImages = 42;
  PreviewSettings::ReplaceInstance(values);
  PreviewSettings& instance = PreviewSettings::Instance();
  EXPECT_EQ(instance.NumImages, 42u);
  values.NumImages = 7;
  PreviewSettings::ReplaceInstance(values);
  EXPECT_EQ(instance.NumImages, 7u);
}

// The first use reads the user's profile. It runs in a fresh process of its own, since the
// record is made once per process and the profile's folder is fixed at its first use.
void LoadInstanceFromAPrivateUserProfile() {
  bool loaded = false;
  {
    const ScratchFolder folder("user-profile");
    qputenv("XDG_CONFIG_HOME", QByteArray(folder.Path().c_str()));
    {
      Profile user;
      user.WriteNumber("Settings", "NumImages", 77);
      user.WriteNumber("Settings", "PaperHeight", 1270);
      user.WriteNumber("Settings", "PaperWidth", 1778);
    }
    const PreviewSettings& instance = PreviewSettings::Instance();
    loaded = instance.NumImages == 77 && instance.PaperType == 0;
  }
  std::exit(loaded ? 0 : 1);
}

TEST(PreviewSettingsInstance, FirstUseLoadsTheUserProfile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(LoadInstanceFromAPrivateUserProfile(), testing::ExitedWithCode(0), "");
}

}  // namespace
