#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/Profile.h"
#include "shell/SoftwareChangesDlg.h"
#include "shell/Updater.h"
#include "shell/VersionCheck.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

TEST(VersionCheck, StoresTheTruncatedVersionAndComparesToFourPlaces) {
  EXPECT_EQ(VersionNumberToStore(), 245299u);
  // Stored numbers are rounded to four places before they are compared with 2.453: from 245295
  // on they read as 2.453, and only below it as an older version.
  const struct {
    std::uint32_t stored;
    bool newer;
  } cases[] = {{0, true},       {245200, true},      {245294, true},  {245295, false},
               {245299, false}, {245300, false},     {245304, false}, {245305, false},
               {250000, false}, {4294967295u, false}};
  for (const auto& c : cases) EXPECT_EQ(IsNewerThanStored(c.stored), c.newer) << c.stored;
}

TEST(VersionCheck, WritesTheVersionAndShowsNoChangesWhileThereAreNone) {
  ScratchFolder folder("montage-version");
  Profile profile((folder.Path() / "profile.ini").string());
  static int shown = 0;
  CheckVersion(profile, [] { ++shown; });
  EXPECT_EQ(profile.ReadNumber("Settings", "Version", 0), 245299u);
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(SoftwareChangesDlg::ChangesText(), "Software Version 2.453\r\n");
}

class UpdaterTest : public testing::Test {
 protected:
  std::string Folder() const { return folder_.Path().string() + "/"; }
  std::string Record() const { return Folder() + "ran.txt"; }
  // A stand-in updater that writes its arguments and working folder where the test can see.
  void InstallStandIn(bool executable = true) const {
    const std::string path = Folder() + "Updater";
    std::ofstream(path) << "#!/bin/sh\necho \"$# $1 $(pwd)\" > '" << Record() << ".part'\nmv '"
                        << Record() << ".part' '" << Record() << "'\n";
    ::chmod(path.c_str(), executable ? 0755 : 0644);
  }
  // The detached updater runs on its own; wait for it to leave its record.
  std::string WaitForRecord() const {
    for (int i = 0; i < 200 && !std::filesystem::exists(Record()); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return ReadFile(Record());
  }

  ScratchFolder folder_{"montage-updater"};
  Profile profile_{Folder() + "profile.ini"};
};

TEST_F(UpdaterTest, StartsQuietlyInTheInstallationFolderUnlessSwitchedOff) {
  InstallStandIn();
  ASSERT_TRUE(StartUpdater(profile_, Folder()));
  const std::string folder = folder_.Path().string();
  EXPECT_EQ(WaitForRecord(), "1 -quiet " + folder + "\n");

  std::filesystem::remove(Record());
  profile_.WriteNumber("Settings", "Updater", 0);
  EXPECT_FALSE(StartUpdater(profile_, Folder()));
  profile_.WriteNumber("Settings", "Updater", 7);
  EXPECT_TRUE(StartUpdater(profile_, Folder()));
  EXPECT_EQ(WaitForRecord(), "1 -quiet " + folder + "\n");
}

TEST_F(UpdaterTest, AMissingOrUnusableUpdaterIsSilentlyLeftOut) {
  EXPECT_FALSE(StartUpdater(profile_, Folder()));
  InstallStandIn(false);
  EXPECT_FALSE(StartUpdater(profile_, Folder()));
}

}  // namespace
