#include "cli/PreviewOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <system_error>

#include "platform/FileStamp.h"

namespace {

constexpr std::array<std::string_view, 4> kCaptionOptions = {"--caption1", "--caption2",
                                                             "--caption3", "--caption4"};

bool TakesValue(std::string_view option) {
  return option == "--images" || option == "--paper" || option == "--sample" ||
         option == "--background" || option == "--logo" || option == "--class" ||
         option == "--missing" || option == "--group" || option == "--group-by" ||
         std::find(kCaptionOptions.begin(), kCaptionOptions.end(), option) != kCaptionOptions.end();
}

}  // namespace

bool ParseBoundedNumber(const std::string& text, std::uint32_t low, std::uint32_t high,
                        std::uint32_t& value) {
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < low || number > high) {
    return false;
  }
  value = static_cast<std::uint32_t>(number);
  return true;
}

PreviewOptions::PreviewOptions(const std::string& installFolder) {
  settings_.SetInstallFolder(installFolder);
}

std::size_t PreviewOptions::Take(const SubcommandArgs& args, std::size_t index) {
  error_.clear();
  const std::string& option = args[index];
  if (option == "--landscape-samples") {
    settings_.SamplePortrait = false;
    return 1;
  }
  if (!TakesValue(option)) return 0;
  if (index + 1 >= args.size()) {
    error_ = "option " + option + " needs a value";
    return 0;
  }
  if (!Apply(option, args[index + 1])) return 0;
  given_.insert(option);
  return 2;
}

CommandArguments PreviewOptions::Parse(const SubcommandArgs& args,
                                       const std::vector<std::string_view>& extraOptions,
                                       const std::vector<std::string_view>& flags) {
  return CommandArguments(
      args, extraOptions,
      [this](const SubcommandArgs& words, std::size_t index, std::string& error) {
        const std::size_t taken = Take(words, index);
        error = error_;
        return taken;
      },
      flags);
}

bool PreviewOptions::Apply(const std::string& option, const std::string& value) {
  if (option == "--images") {
    if (ParseBoundedNumber(value, 0, MaxImages, settings_.NumImages)) return true;
    error_ = "--images takes a whole number from 0 to " + std::to_string(MaxImages) + ", not \"" +
             value + "\"";
    return false;
  }
  if (option == "--paper") return SetPaper(value);
  if (option == "--sample") return SetPicture(option, value, settings_.SampleImagePath);
  if (option == "--background") return SetPicture(option, value, settings_.BackgroundImage);
  if (option == "--logo") return SetPicture(option, value, settings_.LogoImage);
  if (option == "--class") return SetClassList(value);
  if (option == "--missing") return SetMissing(value);
  if (option == "--group") {
    group_ = value;
    return true;
  }
  if (option == "--group-by") return SetGroupBy(value);
  const auto caption = std::find(kCaptionOptions.begin(), kCaptionOptions.end(), option);
  if (value.size() > MaxCaptionBytes) {
    error_ = option + " takes at most " + std::to_string(MaxCaptionBytes) + " bytes of text";
    return false;
  }
  settings_.SampleCaptionText[static_cast<std::size_t>(caption - kCaptionOptions.begin())] = value;
  return true;
}

bool PreviewOptions::SetPaper(const std::string& value) {
  for (int row = 0; row < PreviewSettings::CustomPaperType; ++row) {
    if (value == PreviewSettings::PaperSizes[static_cast<std::size_t>(row)].Name) {
      settings_.SetPaperType(row);
      return true;
    }
  }
  const std::size_t cross = value.find_first_of("xX");
  std::uint32_t height = 0;
  std::uint32_t width = 0;
  if (cross != std::string::npos &&
      ParseBoundedNumber(value.substr(0, cross), 1, MaxPaperSide, height) &&
      ParseBoundedNumber(value.substr(cross + 1), 1, MaxPaperSide, width)) {
    settings_.PaperHeight = height;
    settings_.PaperWidth = width;
    settings_.DerivePaperType();
    return true;
  }
  error_ =
      "--paper takes 7x5, 8x6, 9x6, 10x7, 10x8 or HEIGHTxWIDTH in tenths of a millimetre "
      "from 1 to " +
      std::to_string(MaxPaperSide) + ", not \"" + value + "\"";
  return false;
}

bool PreviewOptions::SetPicture(const std::string& option, const std::string& value,
                                std::string& path) {
  // An empty path asks for no picture. A path that names nothing is most likely a typing
  // mistake, which is better told at once than shown as a composite without the picture.
  if (!value.empty() && !PathExists(value)) {
    error_ = option + ": no such file: " + value;
    return false;
  }
  path = value;
  return true;
}

bool PreviewOptions::SetClassList(const std::string& value) {
  // The list itself is read when the composite is drawn, which tells a malformed one by its
  // line; an empty path would silently mean the samples, which nobody asks for this way.
  if (value.empty()) {
    error_ = "--class needs the path of a class list (CSV) or a portrait index";
    return false;
  }
  settings_.ClassListPath = value;
  return true;
}

bool PreviewOptions::SetMissing(const std::string& value) {
  if (value == "placeholder") {
    settings_.Missing = MissingPictures::Placeholder;
  } else if (value == "omit") {
    settings_.Missing = MissingPictures::Omit;
  } else {
    error_ = "--missing takes placeholder or omit, not \"" + value + "\"";
    return false;
  }
  return true;
}

bool PreviewOptions::SetGroupBy(const std::string& value) {
  groupBy_ = ParseGroupBy(value);
  if (!groupBy_)
    error_ = "--group-by takes teacher, homeroom, grade or none, not \"" + value + "\"";
  return groupBy_.has_value();
}

const char* PreviewOptions::Usage() {
  return "preview options:\n"
         "  --images N            number of images including the main image (default 20)\n"
         "  --paper NAME          7x5, 8x6, 9x6, 10x7, 10x8 (default) or HEIGHTxWIDTH in\n"
         "                        tenths of a mm, landscape sense\n"
         "  --landscape-samples   orient the sample images landscape\n"
         "  --sample PATH         sample portrait (default: the installed sample)\n"
         "  --background PATH     background picture (default: the installed sample)\n"
         "  --logo PATH           logo picture (default: the installed sample)\n"
         "  --caption1 TEXT ... --caption4 TEXT   sample caption lines\n"
         "  --class FILE          draw the class of a class list (CSV: columns FirstName,\n"
         "                        LastName, Picture and optionally Main, 1 for the main\n"
         "                        subject) or of a portrait index (INDEX.TXT) instead of\n"
         "                        the samples; the class's size replaces --images (at\n"
         "                        most 9999). Pictures that cannot be read are named on\n"
         "                        standard error and the exit status is 3\n"
         "  --missing placeholder|omit   a class member whose picture is missing or cannot\n"
         "                        be read is drawn as a placeholder portrait with the name\n"
         "                        (default), or left out so that the class closes up\n"
         "  --group NAME          draw only this group of the --class list, its teacher as\n"
         "                        the main image, with the caption lines' fields ({Teacher},\n"
         "                        {Grade}, {HomeRoom}, {Volume}, {Group}, {Count}) filled,\n"
         "                        as batch draws it\n"
         "  --group-by teacher|homeroom|grade|none   what the list's pupils are grouped by\n"
         "                        (default: teacher where the list names one, else home\n"
         "                        room, else grade)\n";
}
