#include "shell/form/FormFields.h"

#include <algorithm>
#include <limits>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/form/FormControlIds.h"

namespace {

using PS = PreviewSettings;
using Words = const char*;

// Lengths and the paper size have no upper bound of their own; they take any 32-bit value.
constexpr std::uint32_t kAny = std::numeric_limits<std::uint32_t>::max();

// One maker per kind, so that a row cannot pair a kind with a member of the wrong type.
template <typename Record>
constexpr FormField Number(int id, Words label, std::uint32_t Record::*member, std::uint32_t low,
                           std::uint32_t high, Words tip, Words undo = nullptr) {
  return {.Id = id,
          .Kind = FieldKind::Number,
          .Label = label,
          .Tooltip = tip,
          .Target = FieldMember<Record, std::uint32_t>(member),
          .Low = low,
          .High = high,
          .Undo = undo};
}

constexpr FormField Text(int id, Words label, FieldMember<PS, std::string> member, Words tip) {
  return {.Id = id, .Kind = FieldKind::Text, .Label = label, .Tooltip = tip, .Target = member};
}

template <typename Record>
constexpr FormField Check(int id, Words label, bool Record::*member, Words tip,
                          Words undo = nullptr) {
  return {.Id = id,
          .Kind = FieldKind::Check,
          .Label = label,
          .Tooltip = tip,
          .Target = FieldMember<Record, bool>(member),
          .Undo = undo};
}

template <typename Value>
constexpr FormField Radio(int id, Words label, Value Montage::*member, std::int32_t value,
                          Words tip, Words undo) {
  return {.Id = id,
          .Kind = FieldKind::Radio,
          .Label = label,
          .Tooltip = tip,
          .Target = FieldMember<Montage, Value>(member),
          .Value = value,
          .Undo = undo};
}

// A swatch has no tooltip of its own: its "Colour" button explains it.
constexpr FormField Colour(int id, Words label, std::string Montage::*member, Words undo) {
  return {.Id = id,
          .Kind = FieldKind::Colour,
          .Label = label,
          .Tooltip = nullptr,
          .Target = FieldMember<Montage, std::string>(member),
          .Undo = undo};
}

constexpr FormField ColourButton(int id, std::string Montage::*member, Words tip) {
  return {.Id = id,
          .Kind = FieldKind::ColourButton,
          .Label = "Colour",
          .Tooltip = tip,
          .Target = FieldMember<Montage, std::string>(member)};
}

constexpr FormField Browse(int id, std::string PS::*member, Words tip) {
  return {.Id = id,
          .Kind = FieldKind::Browse,
          .Label = "...",
          .Tooltip = tip,
          .Target = FieldMember<PS, std::string>(member)};
}

constexpr FormField Font(int id, Words label, FieldMember<Montage, FontDetails> member, Words tip,
                         Words undo = nullptr) {
  return {.Id = id,
          .Kind = FieldKind::Font,
          .Label = label,
          .Tooltip = tip,
          .Target = member,
          .Undo = undo};
}

constexpr FormField List(int id, Words label, FieldTarget target, Words tip) {
  return {.Id = id, .Kind = FieldKind::List, .Label = label, .Tooltip = tip, .Target = target};
}

constexpr FormField Command(int id, Words label, Words tip) {
  return {.Id = id,
          .Kind = FieldKind::Command,
          .Label = label,
          .Tooltip = tip,
          .Target = std::monostate()};
}

constexpr FieldMember<PS, std::string> SampleCaption(int line) {
  return {&PS::SampleCaptionText, line};
}

constexpr FieldMember<Montage, FontDetails> CaptionFont(int line) {
  return {&Montage::CaptionFonts, line};
}

// The texts are the product's established wording, kept as users and their guides know them,
// slips included.
constexpr FormField kFields[] = {
    // The numbers, in the order they are read and checked.
    Number(FormId::PaperWidth, "Width", &ShownPaper::Width, 0, kAny,
           "The paper width for a custom paper size in tenths of a mm"),
    Number(FormId::PaperHeight, "Height", &ShownPaper::Height, 0, kAny,
           "The paper height for a custom paper size in tenths of a mm"),
    Number(FormId::NumImages, "Number of images (including main image)", &PS::NumImages, 3, 9999,
           "Number of images to use in the preview (if there is one then this number includes "
           "the main image)"),
    Number(FormId::CropHeight, "Proport'n", &Montage::CropHeight, 1, 100,
           "The proportions to crop each image to"),
    Number(FormId::CropWidth, "X", &Montage::CropWidth, 1, 100,
           "The proportions to crop each image to", "Proport'n"),
    Number(FormId::MainImageMultiple, "Main image size", &Montage::MainImageMultiple, 1, 10,
           "1 for no main image, 2 for main image size twice the small image size, 3 for three "
           "times the size etc."),
    Number(FormId::ImageMargin, "Image Margin", &Montage::ImageMargin, 0, 50,
           "Percentage of the image are to leave as a margin between the images"),
    Number(FormId::OuterMargin, "Outer Margin", &Montage::OuterMargin, 0, kAny,
           "A margin around the entire print. For mounted prints a white margin of at least 5mm "
           "(50) is recommended"),
    Number(FormId::InnerFrame, "Inner", &Montage::InnerFrame, 0, kAny,
           "The image inner frame in tenths mm. Use 0 for none. There may be up to .3mm bleed "
           "from the outer frame.",
           "Inner Frame"),
    Number(FormId::OuterFrame, "Outer", &Montage::OuterFrame, 0, kAny,
           "The image outer frame in tenths mm. Use 0 for none.", "Outer Frame"),
    Number(FormId::DropShadowWidth, "Width", &Montage::DropShadowWidth, 0, 50,
           "Percentage of the SMALL image width for the drop shadow. Use 0 for none",
           "Drop Shadow Width"),
    Number(FormId::DropShadowDepth, "Shade", &Montage::DropShadowDepth, 0, 20,
           "Darkness of the drop shadow. 0 gives white, 20 gives black."),
    Number(FormId::NumCaptionLines, "Number of lines", &Montage::NumCaptionLines, 0, 4,
           "The number of caption lines to print (maximum 4). Set to zero to print no captions."),
    Number(FormId::CaptionRows, "Image rows", &Montage::CaptionRows, 1, 50,
           "Number of image rows to use for the captions"),
    Number(FormId::CaptionCols, "Image cols", &Montage::CaptionCols, 1, 50,
           "Number of image columns to use for the captions. If the main image and captions are "
           "both centred it is best to make both either even or odd."),
    Number(FormId::LogoTransparencyTolerance, "Transparency tolerance",
           &Montage::LogoTransparencyTolerance, 0, 500,
           "When printing the logo all pixels matching the top left pixel of the logo image "
           "within this tolerance will be transparent."),

    // The buttons and the list at the top.
    Command(FormId::Update, "Update", "Update the preview with your changes (or just hit return)"),
    Command(FormId::Print, "Print",
            "Print the preview - the layout will change to match the printer dimensions"),
    Command(FormId::Produce, "Produce",
            "Make one composite for every group of the class list or portrait index"),
    Command(FormId::New, "New",
            "Start a new layout. Note that a number of starter layouts have been provided in the "
            "installation folder."),
    Command(FormId::Open, "Open",
            "Open an existing layout. Note that a number of starter layouts have been provided in "
            "the installation folder."),
    Command(FormId::Save, "Save", "Save the current layout"),
    Command(FormId::SaveAs, "Save As", "Save the current layout under a new name"),
    List(FormId::RecentFiles, "Recent files", std::monostate(), "Select a recent file to open"),

    // Preview Settings.
    List(FormId::Paper, "Paper", FieldMember<ShownPaper, std::int32_t>(&ShownPaper::Row),
         "Select the paper size for the preview. Note that the layout is not constrained to one "
         "paper size"),
    Text(FormId::SampleImagePath, "Subject", &PS::SampleImagePath,
         "The path of the sample image to be used for the preview - a fairly small image is best "
         "for speed"),
    Browse(FormId::BrowseSampleImage, &PS::SampleImagePath,
           "Click to browse to and select the image to use for the preview"),
    Text(FormId::BackgroundImage, "Backgr'd", &PS::BackgroundImage,
         "The path of the sample background image. If a background image is selected a "
         "background image file will be required when Kestrel is run."),
    Browse(FormId::BrowseBackground, &PS::BackgroundImage,
           "Click to browse to and select the sample background image. A sample background image "
           "has been provided in the installation folder."),
    Text(FormId::LogoImage, "Logo", &PS::LogoImage,
         "The path of the sample logo image. If \"Print Logo\" is selected an logo image file will "
         "be required when Kestrel is run."),
    Browse(FormId::BrowseLogo, &PS::LogoImage,
           "Click to browse to and select the a sample image to use for the logo. A sample logo "
           "has been provided in the installation directory."),
    Text(FormId::ClassListPath, "Class list", &PS::ClassListPath,
         "The path of a class list (a CSV file with FirstName, LastName, Picture and optionally "
         "Main columns) to preview the layout with a real group instead of the sample images. "
         "Leave empty to use the sample images."),
    Browse(FormId::BrowseClassList, &PS::ClassListPath,
           "Click to browse to and select a class list to preview instead of the sample images"),
    List(FormId::ClassGroup, "Group", FieldMember<PS, std::string>(&PS::ClassGroup),
         "The group of the class list or portrait index to preview, with its teacher as the main "
         "image and its caption fields filled"),
    Check(FormId::SamplePortrait, "Portrait", &PS::SamplePortrait,
          "Select this if the individual images should be oriented as portrait"),
    Command(FormId::Test, "Test",
            "Automatic test to check layouts for a range of image counts - highly recommened"),
    Command(FormId::Stop, "Stop", nullptr),
    Text(FormId::SampleCaptionLine1, "Line 1", SampleCaption(0),
         "The sample text to display in the first line of the captions in the preview"),
    Text(FormId::SampleCaptionLine2, "Line 2", SampleCaption(1),
         "The sample text to display in the second line of the captions in the preview"),
    Text(FormId::SampleCaptionLine3, "Line 3", SampleCaption(2),
         "The sample text to display in the third line of the captions in the preview"),
    Text(FormId::SampleCaptionLine4, "Line 4", SampleCaption(3),
         "The sample text to display in the fourth line of the captions in the preview"),

    // General.
    ColourButton(FormId::OuterMarginColourButton, &Montage::OuterMarginColour,
                 "The colour to use for the outer margin. If using 3D this is the shaded colour so "
                 "a dark colour should be chosen."),
    Colour(FormId::OuterMarginColour, "Outer margin colour", &Montage::OuterMarginColour,
           "Outer Margin Colour"),
    Check(FormId::OuterMargin3d, "3D", &Montage::OuterMargin3d,
          "Give a 3D effect by making the bottom and right edges a little lighter",
          "Outer Margin 3D"),
    Check(FormId::OrientPortrait, "Orient paper portrait", &Montage::Portrait,
          "Select this if the final print should be oriented as portrait"),

    // Background.
    Radio(FormId::BackgroundNone, "None", &Montage::BackgroundType, 0,
          "No background is printed (it is left white).", "Background"),
    Radio(FormId::BackgroundImageType, "Image", &Montage::BackgroundType, 1,
          "An image is printed on the background. Tick \"Background overwrites...\" if you want "
          "this to overwrite the outer margin.",
          "Background"),
    Radio(FormId::BackgroundColourType, "Colour", &Montage::BackgroundType, 2,
          "The background is filled with the specified colour. Tick \"Background overwrites...\" "
          "if you want this to overwrite the outer margin.",
          "Background"),
    ColourButton(FormId::BackgroundColourButton, &Montage::BackgroundColour,
                 "The colour to use for the background."),
    Colour(FormId::BackgroundColour, "Background colour", &Montage::BackgroundColour,
           "Background Colour"),
    Check(FormId::BackgroundOverwrite, "Background overwrites outer margin",
          &Montage::BackgroundOverwrite,
          "Select this to print the background over the outer margin. An outer margin should "
          "still be used to position the images correctly for mounts."),

    // Image, with the drop shadow, the frames and the main image's position.
    Radio(FormId::DropShadowLeft, "L", &Montage::DropShadowRight, 0,
          "Shadow drops to the left of the image", "Drop Shadow L/R"),
    Radio(FormId::DropShadowRight, "R", &Montage::DropShadowRight, 1,
          "Shadow drops to the right of the image", "Drop Shadow L/R"),
    ColourButton(FormId::InnerFrameColourButton, &Montage::InnerFrameColour,
                 "The colour to use for the inner frame around each image. If using 3D this is the "
                 "shaded colour so a dark colour should be chosen."),
    Colour(FormId::InnerFrameColour, "Inner frame colour", &Montage::InnerFrameColour,
           "Inner Frame Colour"),
    Check(FormId::InnerFrame3d, "3D", &Montage::InnerFrame3d,
          "Give a 3D effect by making the bottom and right edges a little lighter",
          "Inner Frame 3D"),
    ColourButton(FormId::OuterFrameColourButton, &Montage::OuterFrameColour,
                 "The colour to use for the outer frame around each image. If using 3D this is the "
                 "shaded colour so a dark colour should be chosen."),
    Colour(FormId::OuterFrameColour, "Outer frame colour", &Montage::OuterFrameColour,
           "Outer Frame Colour"),
    Check(FormId::OuterFrame3d, "3D", &Montage::OuterFrame3d,
          "Give a 3D effect by making the bottom and right edges a little lighter",
          "Outer Frame 3D"),
    Radio(FormId::MainPositions[0], "top left", &Montage::MainImagePosition, 0,
          "Position main image at top left", "Main Position"),
    Radio(FormId::MainPositions[1], "top centre", &Montage::MainImagePosition, 1,
          "Position main image at top centre", "Main Position"),
    Radio(FormId::MainPositions[2], "top right", &Montage::MainImagePosition, 2,
          "Position main image at top right", "Main Position"),
    Radio(FormId::MainPositions[3], "middle left", &Montage::MainImagePosition, 3,
          "Position main image at middle left", "Main Position"),
    Radio(FormId::MainPositions[4], "middle centre", &Montage::MainImagePosition, 4,
          "Position main image at middle centre", "Main Position"),
    Radio(FormId::MainPositions[5], "middle right", &Montage::MainImagePosition, 5,
          "Position main image at middle right", "Main Position"),
    Radio(FormId::MainPositions[6], "bottom left", &Montage::MainImagePosition, 6,
          "Position main image at bottom left", "Main Position"),
    Radio(FormId::MainPositions[7], "bottom centre", &Montage::MainImagePosition, 7,
          "Position main image at bottom centre", "Main Position"),
    Radio(FormId::MainPositions[8], "bottom right", &Montage::MainImagePosition, 8,
          "Position main image at bottom right", "Main Position"),

    // Names. In each order group the first button stands for the flag being set.
    Check(FormId::PrintNames, "Print names (if available)", &Montage::PrintNames,
          "Print names under each image (if available)"),
    Check(FormId::PrintNames2Lines, "Print first and last name on separate lines",
          &Montage::PrintNames2Lines,
          "Use two lines for printing the name with first and last names on separate lines."),
    Radio(FormId::PrintFirstLast, "First name, last name", &Montage::PrintNamesFirstLast, 1,
          "Print the first name and then the last name", "Print name order"),
    Radio(FormId::PrintLastFirst, "Last name, first name", &Montage::PrintNamesFirstLast, 0,
          "Print the last name and then the first name", "Print name order"),
    Radio(FormId::SortFirstLast, "First name, last name", &Montage::SortFirstName, 1,
          "Sort the images by first name and then last name", "Sort name order"),
    Radio(FormId::SortLastFirst, "Last name, first name", &Montage::SortFirstName, 0,
          "Sort the images by last name and then first name", "Sort name order"),
    Font(FormId::NameFont, "Small Font", &Montage::NameFont,
         "Select colour and maximum font size for the smaller image names. If there is "
         "insufficient space a smaller point size may be used"),
    Font(FormId::MainNameFont, "Main Font", &Montage::MainNameFont,
         "Select colour and maximum font size for the main image name. If there is insufficient "
         "space a smaller point size may be used"),

    // Captions, with the logo, the fonts and the captions' position.
    Check(FormId::PrintLogo, "Print logo", &Montage::PrintLogo,
          "Print small a logo (such as the school crest). If selected an logo image file will be "
          "required when Kestrel is run."),
    Check(FormId::SingleLogo, "Single logo", &Montage::SingleLogo,
          "Print only a single logo on one or other side of the captions. If not selected a logo "
          "will be printed on each side."),
    Check(FormId::LogoLeft, "Logo on left", &Montage::LogoLeft,
          "Print a single logo on the left of the captions otherwise it will be printed on the "
          "right."),
    Check(FormId::LogoTop, "Logo on top", &Montage::LogoTop,
          "Print a single logo on the top of the captions. This will use the first line of the "
          "captions so only three further lines will be printed."),
    Font(FormId::CaptionFonts[0], "Line 1", CaptionFont(0),
         "Select colour and maximum font size for line 1. If there is insufficient space a "
         "smaller point size may be used.",
         "Line 1 Font"),
    Font(FormId::CaptionFonts[1], "Line 2", CaptionFont(1),
         "Select colour and maximum font size for line 2. If there is insufficient space a "
         "smaller point size may be used.",
         "Line 2 Font"),
    Font(FormId::CaptionFonts[2], "Line 3", CaptionFont(2),
         "Select colour and maximum font size for line 3. If there is insufficient space a "
         "smaller point size may be used.",
         "Line 3 Font"),
    Font(FormId::CaptionFonts[3], "Line 4", CaptionFont(3),
         "Select colour and maximum font size for line 4. If there is insufficient space a "
         "smaller point size may be used.",
         "Line 4 Font"),
    Radio(FormId::CaptionPositions[0], "top left", &Montage::CaptionPosition, 0,
          "Position captions at top left", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[1], "top centre", &Montage::CaptionPosition, 1,
          "Position captions at top centre", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[2], "top right", &Montage::CaptionPosition, 2,
          "Position captions at top right", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[3], "middle left", &Montage::CaptionPosition, 3,
          "Position captions at middle left", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[4], "middle centre", &Montage::CaptionPosition, 4,
          "Position captions at middle centre", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[5], "middle right", &Montage::CaptionPosition, 5,
          "Position captions at middle right", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[6], "bottom left", &Montage::CaptionPosition, 6,
          "Position captions at bottom left", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[7], "bottom centre", &Montage::CaptionPosition, 7,
          "Position captions at bottom centre", "Caption Posit'n"),
    Radio(FormId::CaptionPositions[8], "bottom right", &Montage::CaptionPosition, 8,
          "Position captions at bottom right", "Caption Posit'n"),
    Check(FormId::CaptionAbove, "On overlap print caption above the main image",
          &Montage::CaptionAbove,
          "If there is an overlap with the main image (eg both set for middle centre) then print "
          "captions above, otherwise print them below."),
};

// Faults of the table that no input could cause are refused when the program is built.
constexpr bool IdsAreUnique() {
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    for (std::size_t j = i + 1; j < std::size(kFields); ++j) {
      if (kFields[i].Id == kFields[j].Id) return false;
    }
  }
  return true;
}
static_assert(IdsAreUnique());

constexpr const FormField* FieldOfTarget(const FieldTarget& target) {
  for (const FormField& field : kFields) {
    if (field.IsField() && field.Target == target) return &field;
  }
  return nullptr;
}

constexpr bool EditorsHaveFields() {
  for (const FormField& field : kFields) {
    const bool editor = field.Kind == FieldKind::ColourButton || field.Kind == FieldKind::Browse;
    if (editor && FieldOfTarget(field.Target) == nullptr) return false;
  }
  return true;
}
static_assert(EditorsHaveFields());

template <typename Target>
constexpr bool kInLayout = false;
template <typename Value>
constexpr bool kInLayout<FieldMember<Montage, Value>> = true;

}  // namespace

bool FormField::IsLayoutField() const {
  return IsField() &&
         std::visit([](const auto& target) { return kInLayout<std::decay_t<decltype(target)>>; },
                    Target);
}

std::span<const FormField> FormFields() { return kFields; }

const FormField* FormFieldFor(int id) {
  const auto found = std::find_if(std::begin(kFields), std::end(kFields),
                                  [id](const FormField& field) { return field.Id == id; });
  return found != std::end(kFields) ? found : nullptr;
}

const FormField& EditedField(const FormField& editor) { return *FieldOfTarget(editor.Target); }
