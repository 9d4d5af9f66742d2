#include "shell/FormValues.h"

#include <limits>

#include "shell/FormControlIds.h"

namespace {

// Lengths and the paper size have no upper bound of their own; they take any 32-bit value.
constexpr std::uint32_t kAny = std::numeric_limits<std::uint32_t>::max();

constexpr NumericField kNumericFields[] = {
    {FormId::PaperWidth, &FormValues::PaperWidth, 0, kAny},
    {FormId::PaperHeight, &FormValues::PaperHeight, 0, kAny},
    {FormId::NumImages, &FormValues::NumImages, 3, 9999},
    {FormId::CropHeight, &FormValues::CropHeight, 1, 100},
    {FormId::CropWidth, &FormValues::CropWidth, 1, 100},
    {FormId::MainImageMultiple, &FormValues::MainImageMultiple, 1, 10},
    {FormId::ImageMargin, &FormValues::ImageMargin, 0, 50},
    {FormId::OuterMargin, &FormValues::OuterMargin, 0, kAny},
    {FormId::InnerFrame, &FormValues::InnerFrame, 0, kAny},
    {FormId::OuterFrame, &FormValues::OuterFrame, 0, kAny},
    {FormId::DropShadowWidth, &FormValues::DropShadowWidth, 0, 50},
    {FormId::DropShadowDepth, &FormValues::DropShadowDepth, 0, 20},
    {FormId::NumCaptionLines, &FormValues::NumCaptionLines, 0, 4},
    {FormId::CaptionRows, &FormValues::CaptionRows, 1, 50},
    {FormId::CaptionCols, &FormValues::CaptionCols, 1, 50},
    {FormId::LogoTransparencyTolerance, &FormValues::LogoTransparencyTolerance, 0, 500},
};

}  // namespace

std::span<const NumericField> NumericFieldsInReadOrder() { return kNumericFields; }
