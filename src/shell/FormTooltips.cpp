#include "shell/FormTooltips.h"

#include <algorithm>
#include <array>

namespace {

// The texts are the product's established wording, kept as users and their guides know them,
// slips included.
constexpr std::array<FormTooltip, 87> kTooltips = {{
    {1001,
     "Select the paper size for the preview. Note that the layout is not constrained to one paper "
     "size"},
    {1002, "Select this if the final print should be oriented as portrait"},
    {1003,
     "The path of the sample image to be used for the preview - a fairly small image is best for "
     "speed"},
    {1004, "The paper height for a custom paper size in tenths of a mm"},
    {1005, "The paper width for a custom paper size in tenths of a mm"},
    {1006, "Click to browse to and select the image to use for the preview"},
    {1007, "Select this if the individual images should be oriented as portrait"},
    {1008,
     "Number of images to use in the preview (if there is one then this number includes the main "
     "image)"},
    {1009, "Select a recent file to open"},
    {1010,
     "Start a new layout. Note that a number of starter layouts have been provided in the "
     "installation folder."},
    {1011,
     "Open an existing layout. Note that a number of starter layouts have been provided in the "
     "installation folder."},
    {1012, "Save the current layout"},
    {1013, "Save the current layout under a new name"},
    {1014, "The proportions to crop each image to"},
    {1015, "The proportions to crop each image to"},
    {1016, "Update the preview with your changes (or just hit return)"},
    {1017,
     "The path of the sample background image. If a background image is selected a background "
     "image file will be required when Kestrel is run."},
    {1018,
     "1 for no main image, 2 for main image size twice the small image size, 3 for three times the "
     "size etc."},
    {1021, "Percentage of the image are to leave as a margin between the images"},
    {1022, "Position main image at top left"},
    {1023, "Position main image at top centre"},
    {1024, "Print the preview - the layout will change to match the printer dimensions"},
    {1025, "Position main image at top right"},
    {1026, "Position main image at middle left"},
    {1027, "Position main image at middle centre"},
    {1028, "Position main image at middle right"},
    {1029, "Position main image at bottom left"},
    {1030, "Position main image at bottom centre"},
    {1031, "Position main image at bottom right"},
    {1032,
     "A margin around the entire print. For mounted prints a white margin of at least 5mm (50) is "
     "recommended"},
    {1033,
     "The colour to use for the outer margin. If using 3D this is the shaded colour so a dark "
     "colour should be chosen."},
    {1035,
     "The image inner frame in tenths mm. Use 0 for none. There may be up to .3mm bleed from the "
     "outer frame."},
    {1036,
     "The colour to use for the inner frame around each image. If using 3D this is the shaded "
     "colour so a dark colour should be chosen."},
    {1038, "The image outer frame in tenths mm. Use 0 for none."},
    {1039,
     "The colour to use for the outer frame around each image. If using 3D this is the shaded "
     "colour so a dark colour should be chosen."},
    {1041, "Automatic test to check layouts for a range of image counts - highly recommened"},
    {1043, "Give a 3D effect by making the bottom and right edges a little lighter"},
    {1044, "Give a 3D effect by making the bottom and right edges a little lighter"},
    {1045, "Give a 3D effect by making the bottom and right edges a little lighter"},
    {1046, "Print names under each image (if available)"},
    {1047, "Print the first name and then the last name"},
    {1048, "Print the last name and then the first name"},
    {1049, "Sort the images by first name and then last name"},
    {1050, "Sort the images by last name and then first name"},
    {1051,
     "Select colour and maximum font size for the smaller image names. If there is insufficient "
     "space a smaller point size may be used"},
    {1052,
     "Select colour and maximum font size for the main image name. If there is insufficient space "
     "a smaller point size may be used"},
    {1053, "Use two lines for printing the name with first and last names on separate lines."},
    {1054, "No background is printed (it is left white)."},
    {1055,
     "The background is filled with the specified colour. Tick \"Background overwrites...\" if you "
     "want this to overwrite the outer margin."},
    {1056,
     "An image is printed on the background. Tick \"Background overwrites...\" if you want this to "
     "overwrite the outer margin."},
    {1057,
     "Select this to print the background over the outer margin. An outer margin should still be "
     "used to position the images correctly for mounts."},
    {1058, "The colour to use for the background."},
    {1060,
     "Click to browse to and select the sample background image. A sample background image has "
     "been provided in the installation folder."},
    {1061, "Percentage of the SMALL image width for the drop shadow. Use 0 for none"},
    {1062, "Darkness of the drop shadow. 0 gives white, 20 gives black."},
    {1063, "Position captions at top left"},
    {1064, "Shadow drops to the left of the image"},
    {1065, "Shadow drops to the right of the image"},
    {1066,
     "The path of the sample logo image. If \"Print Logo\" is selected an logo image file will be "
     "required when Kestrel is run."},
    {1067,
     "Print only a single logo on one or other side of the captions. If not selected a logo will "
     "be printed on each side."},
    {1068,
     "Print small a logo (such as the school crest). If selected an logo image file will be "
     "required when Kestrel is run."},
    {1069,
     "Print a single logo on the left of the captions otherwise it will be printed on the right."},
    {1070,
     "Print a single logo on the top of the captions. This will use the first line of the captions "
     "so only three further lines will be printed."},
    {1071, "The number of caption lines to print (maximum 4). Set to zero to print no captions."},
    {1072,
     "Select colour and maximum font size for line 1. If there is insufficient space a smaller "
     "point size may be used."},
    {1073,
     "Select colour and maximum font size for line 2. If there is insufficient space a smaller "
     "point size may be used."},
    {1074,
     "Select colour and maximum font size for line 3. If there is insufficient space a smaller "
     "point size may be used."},
    {1075,
     "Select colour and maximum font size for line 4. If there is insufficient space a smaller "
     "point size may be used."},
    {1076, "Position captions at top centre"},
    {1077, "Position captions at top right"},
    {1078, "Position captions at middle left"},
    {1079, "Position captions at middle centre"},
    {1080, "Position captions at middle right"},
    {1081, "Position captions at bottom left"},
    {1082, "Position captions at bottom centre"},
    {1083, "Position captions at bottom right"},
    {1084, "Number of image rows to use for the captions"},
    {1085,
     "If there is an overlap with the main image (eg both set for middle centre) then print "
     "captions above, otherwise print them below."},
    {1086, "The sample text to display in the first line of the captions in the preview"},
    {1087,
     "Number of image columns to use for the captions. If the main image and captions are both "
     "centred it is best to make both either even or odd."},
    {1088, "The sample text to display in the second line of the captions in the preview"},
    {1089, "The sample text to display in the third line of the captions in the preview"},
    {1090, "The sample text to display in the fourth line of the captions in the preview"},
    {1091,
     "Click to browse to and select the a sample image to use for the logo. A sample logo has been "
     "provided in the installation directory."},
    {1093,
     "When printing the logo all pixels matching the top left pixel of the logo image within this "
     "tolerance will be transparent."},
    {1094,
     "The path of a class list (a CSV file with FirstName, LastName, Picture and optionally Main "
     "columns) to preview the layout with a real group instead of the sample images. Leave empty "
     "to use the sample images."},
    {1095, "Click to browse to and select a class list to preview instead of the sample images"},
}};

constexpr bool AscendingIds() {
  for (std::size_t i = 1; i < kTooltips.size(); ++i) {
    if (kTooltips[i - 1].Id >= kTooltips[i].Id) return false;
  }
  return true;
}
static_assert(AscendingIds(), "the lookup below searches the table by id");

}  // namespace

std::span<const FormTooltip> FormTooltips() { return kTooltips; }

const char* FormTooltipFor(int id) {
  auto found = std::lower_bound(kTooltips.begin(), kTooltips.end(), id,
                                [](const FormTooltip& row, int key) { return row.Id < key; });
  return found != kTooltips.end() && found->Id == id ? found->Text : nullptr;
}
