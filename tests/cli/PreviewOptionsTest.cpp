#include "cli/PreviewOptions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/InstallFolder.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

struct Parsed {
  bool ok = false;
  std::string error;
  PreviewSettings settings;
  std::vector<std::string> words;
  std::string output;
};

Parsed Parse(const SubcommandArgs& args) {
  PreviewOptions options("/opt/montage/");
  const CommandArguments arguments = options.Parse(args, {"-o"});
  Parsed parsed;
  parsed.ok = arguments.Error().empty() && !arguments.HelpAsked();
  parsed.error = arguments.Error();
  parsed.settings = options.Settings();
  parsed.words = arguments.Words();
  if (const std::string* output = arguments.Value("-o")) parsed.output = *output;
  return parsed;
}

TEST(PreviewOptionsDefaults, BuiltInValuesWithTheInstalledSamples) {
  const Parsed parsed = Parse({"layout.txt"});
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.words, std::vector<std::string>{"layout.txt"});
  EXPECT_EQ(parsed.settings.NumImages, 20u);
  EXPECT_EQ(parsed.settings.PaperType, 4);
  EXPECT_EQ(parsed.settings.PaperHeight, 2032u);
  EXPECT_EQ(parsed.settings.PaperWidth, 2540u);
  EXPECT_TRUE(parsed.settings.SamplePortrait);
  EXPECT_EQ(parsed.settings.SampleImagePath, "/opt/montage/SampleImage.jpg");
  EXPECT_EQ(parsed.settings.BackgroundImage, "/opt/montage/SampleBackground.jpg");
  EXPECT_EQ(parsed.settings.LogoImage, "/opt/montage/SampleLogo.jpg");
  EXPECT_EQ(parsed.settings.SampleCaptionText[3], "Sample text line 4");
}

TEST(PreviewOptionsValues, PapersImagesCaptionsAndOrientation) {
  const Parsed parsed = Parse({"--paper", "7x5", "--images", "9999", "--caption2", "Year 6",
                               "--landscape-samples", "-o", "out.png", "l.txt", "--logo", ""});
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.settings.PaperType, 0);
  EXPECT_EQ(parsed.settings.PaperHeight, 1270u);
  EXPECT_EQ(parsed.settings.PaperWidth, 1778u);
  EXPECT_EQ(parsed.settings.NumImages, 9999u);
  EXPECT_EQ(parsed.settings.SampleCaptionText[1], "Year 6");
  EXPECT_FALSE(parsed.settings.SamplePortrait);
  EXPECT_EQ(parsed.settings.LogoImage, "");
  EXPECT_EQ(parsed.output, "out.png");
  EXPECT_EQ(parsed.words, std::vector<std::string>{"l.txt"});

  // A size in tenths of a millimetre finds its preset, or counts as custom.
  EXPECT_EQ(Parse({"--paper", "1778x2540"}).settings.PaperType, 3);
  const Parsed custom = Parse({"--paper", "1000X1500"});
  EXPECT_EQ(custom.settings.PaperType, 5);
  EXPECT_EQ(custom.settings.PaperHeight, 1000u);
  EXPECT_EQ(custom.settings.PaperWidth, 1500u);
}

TEST(PreviewOptionsValues, MissingPicturesArePlaceholdersUnlessOmitted) {
  const struct {
    SubcommandArgs args;
    MissingPictures missing;
  } cases[] = {
      {{}, MissingPictures::Placeholder},
      {{"--missing", "omit"}, MissingPictures::Omit},
      {{"--missing", "omit", "--missing", "placeholder"}, MissingPictures::Placeholder},
  };
  for (const auto& c : cases) {
    const Parsed parsed = Parse(c.args);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.settings.Missing, c.missing);
  }
  EXPECT_EQ(Parse({"--missing", "skip"}).error,
            "--missing takes placeholder or omit, not \"skip\"");
}

TEST(PreviewOptionsValues, RefusedValuesSayWhy) {
  for (const SubcommandArgs& args : std::vector<SubcommandArgs>{
           {"--images", "12abc"},
           {"--images", ""},
           {"--images", "4294967296"},
           {"--images", "100001"},
           {"--paper", "x2540"},
           {"--paper", "2032x"},
           {"--paper", "100001x2540"},
           {"--paper", "2032x100001"},
           {"--paper", "0x2540"},
           {"--paper", "2032x0"},
           {"--paper", "A4"},
           {"--caption5", "text"},
           {"--caption1"},
           {"--caption3", std::string(4097, 'A')},
           {"--missing", "Omit"},
           {"--missing"},
       }) {
    const Parsed parsed = Parse(args);
    EXPECT_FALSE(parsed.ok) << args[0];
    EXPECT_FALSE(parsed.error.empty()) << args[0];
  }
  // After "--" every word is a file name, even one that looks like an option.
  const Parsed dashes = Parse({"--", "--images"});
  ASSERT_TRUE(dashes.ok);
  EXPECT_EQ(dashes.words, std::vector<std::string>{"--images"});
}

TEST(PreviewOptionsValues, EveryBoundItselfIsAccepted) {
  const std::string longest(4096, 'A');
  const struct {
    SubcommandArgs args;
    std::uint32_t images, height, width;
    std::string caption;
  } cases[] = {
      {{"--images", "0"}, 0, 2032, 2540, "Sample text line 1"},
      {{"--images", "100000"}, 100000, 2032, 2540, "Sample text line 1"},
      {{"--paper", "1x1"}, 20, 1, 1, "Sample text line 1"},
      {{"--paper", "100000x100000"}, 20, 100000, 100000, "Sample text line 1"},
      {{"--caption1", longest}, 20, 2032, 2540, longest},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1].substr(0, 16));
    const Parsed parsed = Parse(c.args);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.settings.NumImages, c.images);
    EXPECT_EQ(parsed.settings.PaperHeight, c.height);
    EXPECT_EQ(parsed.settings.PaperWidth, c.width);
    EXPECT_EQ(parsed.settings.SampleCaptionText[0], c.caption);
  }
}

TEST(InstallFolderSearch, BesideTheExecutableOrInTheSharedDataFolder) {
  const ScratchFolder folder("install-folder");
  const fs::path& root = folder.Path();
  fs::create_directories(root / "bin");
  EXPECT_EQ(InstallFolderFor((root / "bin").string()), (root / "bin").string() + "/");
  folder.Write("share/montage-designer/SampleImage.jpg", "x");
  EXPECT_EQ(InstallFolderFor((root / "bin").string()),
            (root / "share" / "montage-designer").string() + "/");
  folder.Write("bin/SampleImage.jpg", "x");
  EXPECT_EQ(InstallFolderFor((root / "bin").string()), (root / "bin").string() + "/");
}

}  // namespace
