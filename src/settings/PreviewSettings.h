#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class Profile;

// A preset paper: its name in the form's Paper list and its size in tenths of a millimetre in
// the landscape sense (height the shorter side).
struct PaperSize {
  std::string_view Name;
  std::uint32_t Height;
  std::uint32_t Width;
};

// What a composite does for a subject whose picture cannot be had: shows a neutral
// head-and-shoulders placeholder with the name, or leaves the subject out so that the group
// closes up.
enum class MissingPictures { Placeholder, Omit };

// The values that shape the preview without belonging to the layout: the paper, the number of
// images, the sample pictures and caption texts, the class list, the colour dialog's custom colours
// and the installation folder. The program keeps one process-wide record (Instance); a default-made
// record holds the built-in defaults, which the command line uses instead of the user's own.
class PreviewSettings {
 public:
  static constexpr int CustomPaperType = 5;
  static constexpr std::array<PaperSize, 6> PaperSizes = {{
      {"7x5", 1270, 1778},
      {"8x6", 1524, 2032},
      {"9x6", 1524, 2286},
      {"10x7", 1778, 2540},
      {"10x8", 2032, 2540},
      {"Custom", 2032, 2540},
  }};

  // The process-wide record, loaded from the user's profile on first use unless it was
  // replaced before. Used on the user-interface thread only.
  static PreviewSettings& Instance();
  // Makes these values the process-wide record without reading the user's profile.
  static void ReplaceInstance(const PreviewSettings& values);

  // Reads every value from the profile's settings section with the built-in defaults, then
  // derives the paper type from the size; values are taken as they are, not validated.
  void Load(const Profile& profile);
  void Store(Profile& profile) const;

  // Sets the installation folder (a folder separator is added when missing) and points each
  // sample picture path that is still empty at the sample file in that folder.
  void SetInstallFolder(const std::string& folder);
  // Takes the preset size of the row; rows outside the table count as Custom.
  void SetPaperType(int row);
  // Sets the page height as the form shows it: for a portrait page that is the paper width.
  void SetPaperHeight(std::uint32_t value, bool portrait);
  void SetPaperWidth(std::uint32_t value, bool portrait);
  // The first preset row of the same size, or Custom.
  void DerivePaperType();
  // The row's (height, width) as the form shows them for the page's orientation.
  static std::pair<std::uint32_t, std::uint32_t> LookUpPaperSize(int row, bool portrait);

  std::string InstallFolder;
  std::array<std::uint32_t, 16> CustomColour = DefaultCustomColours();
  std::string SampleImagePath;
  bool SamplePortrait = true;
  std::int32_t PaperType = 4;
  std::uint32_t PaperHeight = 2032;
  std::uint32_t PaperWidth = 2540;
  std::uint32_t NumImages = 20;
  std::array<std::string, 4> SampleCaptionText = {"Sample text line 1", "Sample text line 2",
                                                  "Sample text line 3", "Sample text line 4"};
  std::string BackgroundImage;
  std::string LogoImage;
  // A class list (CSV) whose subjects and pictures the preview draws instead of the samples;
  // empty for the samples. Never part of the layout.
  std::string ClassListPath;
  // The group of the class list the preview draws when the list is a school's (its groups'
  // name, see SchoolGroups); empty or unknown for the first group. Kept in the user's profile,
  // never in the layout.
  std::string ClassGroup;
  // How subjects without a picture are drawn. Each drawing chooses it (the command line's
  // --missing); it is kept neither in the profile nor in the layout, so the window always shows
  // the placeholder, as the product's output does by default.
  MissingPictures Missing = MissingPictures::Placeholder;

 private:
  static constexpr std::array<std::uint32_t, 16> DefaultCustomColours() {
    std::array<std::uint32_t, 16> colours{};
    colours.fill(0xFFFFFF);
    return colours;
  }
};
