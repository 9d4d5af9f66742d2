#include "images/ClassComposite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "images/ClassPicture.h"
#include "images/DeviceIndepBitmap.h"
#include "images/ImageAdjustments.h"
#include "images/ImageError.h"
#include "layout/Montage.h"
#include "platform/EveryCore.h"
#include "platform/FileStamp.h"
#include "roster/ClassList.h"
#include "roster/ProperCaseName.h"
#include "settings/PreviewSettings.h"

namespace {

std::string ProperCase(std::string name) { return ProperCaseName(name); }

// A class picture is only turned upright by its Exif orientation.
ImageAdjustments ClassAdjustments() {
  ImageAdjustments adjustments;
  adjustments.UseExifOrientation = true;
  return adjustments;
}

// Below 2 the main image is an ordinary cell; from 2 on it is drawn on its own.
bool MainIsCell(const Montage& layout) { return layout.MainImageMultiple < 2; }

// Whether the member at index may be left out for want of a picture. The main image drawn on
// its own keeps its placeholder: the grid keeps its block whatever it shows, and an empty block
// in the middle of the composite would look like a fault.
bool MayOmit(const Montage& layout, const PreviewSettings& settings, std::size_t index,
             std::size_t main) {
  return settings.Missing == MissingPictures::Omit && (index != main || MainIsCell(layout));
}

// The largest centred box of the shape's proportion in the picture. This is for a photograph
// whose orientation differs from the cells': the sample would be turned a quarter, but a real
// subject would then lie on their side, so the cut keeps them upright instead.
ZodarEdo::CropBox CutAcross(ZodarEdo::PictureSize size, ZodarEdo::PictureSize shape) {
  const double wanted = static_cast<double>(shape.Width) / shape.Height;
  int width = size.Width;
  int height = size.Height;
  if (static_cast<double>(size.Width) / size.Height > wanted) {
    width = std::max(1, static_cast<int>(std::lround(size.Height * wanted)));
  } else {
    height = std::max(1, static_cast<int>(std::lround(size.Width / wanted)));
  }
  const int left = (size.Width - width) / 2;
  const int top = (size.Height - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace

ClassComposite::ClassComposite(const Montage& layout, const PreviewSettings& settings,
                               ImageCache& cache)
    : layout_(layout), settings_(settings), cache_(cache), shape_(CellShape(layout, settings)) {}

ZodarEdo::PictureSize ClassComposite::CellShape(const Montage& layout,
                                                const PreviewSettings& settings) {
  constexpr std::uint32_t kLargestSide = 1u << 20;
  const std::uint32_t longer = std::max(layout.CropHeight, layout.CropWidth);
  const std::uint32_t shorter = std::min(layout.CropHeight, layout.CropWidth);
  if (shorter == 0 || longer > kLargestSide) return {};
  const auto a = static_cast<int>(shorter);
  const auto b = static_cast<int>(longer);
  return settings.SamplePortrait ? ZodarEdo::PictureSize{a, b} : ZodarEdo::PictureSize{b, a};
}

std::size_t ClassComposite::KnownOmissions(const ClassList& list, const Montage& layout,
                                           const PreviewSettings& settings) {
  const std::vector<ClassMember>& members = list.Members();
  std::size_t omitted = 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    const std::string& picture = members[i].Picture;
    if (MayOmit(layout, settings, i, list.MainIndex()) &&
        (picture.empty() || !IsReadableFile(picture))) {
      ++omitted;
    }
  }
  return omitted;
}

std::size_t ClassComposite::BuildCellItems(const ClassList& list, ZodarEdo::PictureSize cellPixels,
                                           std::vector<CellItem>& items, CellItem& mainItem,
                                           bool greyscale, std::vector<PictureProblem>& problems) {
  const std::vector<ClassMember>& members = list.Members();
  if (members.empty()) return 0;
  const std::size_t main = list.MainIndex();
  const bool mainIsCell = MainIsCell(layout_);
  const int multiple = mainIsCell ? 1 : static_cast<int>(std::min(layout_.MainImageMultiple, 64u));
  const auto times = [multiple](int side) {
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{side} * multiple, INT32_MAX));
  };
  const ZodarEdo::PictureSize mainPixels{times(cellPixels.Width), times(cellPixels.Height)};
  const DecodeTarget cellTarget = TargetFor(cellPixels);
  const DecodeTarget mainTarget = TargetFor(mainPixels);
  const auto targetOf = [&](std::size_t i) { return i == main ? mainTarget : cellTarget; };

  std::vector<PictureRequest> requests;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (!members[i].Picture.empty()) requests.push_back({members[i].Picture, targetOf(i)});
  }
  PrefetchClassPictures(cache_, std::move(requests));

  // Once the pictures are decoded, copying each cell's cut out of them is most of what is left,
  // and every member's item is its own, so they are made on every core.
  std::vector<CellItem> made(members.size());
  std::vector<std::optional<PictureProblem>> failures(members.size());
  ForEachOnEveryCore(members.size(), [&](std::size_t i) {
    made[i] = MakeItem(members[i], targetOf(i), greyscale, failures[i]);
  });

  items.reserve(items.size() + members.size());
  std::size_t omitted = 0;
  for (std::size_t i = 0; i < members.size(); ++i) {
    // A picture that several members share is named once, with the first of them.
    const auto samePath = [&](const PictureProblem& problem) {
      return problem.Path == failures[i]->Path;
    };
    if (failures[i] && std::none_of(problems.begin(), problems.end(), samePath)) {
      problems.push_back(*failures[i]);
    }
    CellItem item = std::move(made[i]);
    if (!item.Picture && MayOmit(layout_, settings_, i, main)) {
      ++omitted;
    } else if (i == main) {
      mainItem = item;
      if (mainIsCell) items.push_back(std::move(item));
    } else {
      items.push_back(std::move(item));
    }
  }
  // The names stay with the items whether or not the layout prints them: the class keeps the
  // layout's order either way, and the renderer prints them only when the layout says so.
  SortCellItems(items, layout_.SortFirstName);
  return omitted;
}

DecodeTarget ClassComposite::TargetFor(ZodarEdo::PictureSize pixels) const {
  // A cell of unknown size gets the whole picture, which serves any cell.
  if (pixels.Width <= 0 || pixels.Height <= 0) return {};
  const bool cut = shape_.Width > 0;
  return DecodeTarget{.CellWidth = pixels.Width,
                      .CellHeight = pixels.Height,
                      .CropFirst = cut ? static_cast<double>(layout_.CropHeight) : 0.0,
                      .CropSecond = cut ? static_cast<double>(layout_.CropWidth) : 0.0,
                      .Zoom = ClassAdjustments().Zoom,
                      .EitherWay = true};
}

CellItem ClassComposite::MakeItem(const ClassMember& member, const DecodeTarget& target,
                                  bool greyscale, std::optional<PictureProblem>& problem) const {
  CellItem item;
  item.FirstName = ProperCase(member.FirstName);
  item.LastName = ProperCase(member.LastName);
  item.Shape = shape_;
  if (member.Picture.empty()) return item;

  // The cell keeps the layout's crop of a picture that lies as the cells do, and the cut
  // across of one that does not.
  const CellCut cut =
      [this](const ZodarEdo::DeviceIndepBitmap& decoded) -> std::optional<ZodarEdo::CropBox> {
    if (shape_.Width <= 0) return std::nullopt;
    const ZodarEdo::PictureSize size = decoded.GetSize();
    const bool portraitCells = shape_.Width <= shape_.Height;
    if (portraitCells != !decoded.IsLandscape()) return CutAcross(size, shape_);
    return ZodarEdo::RatioCropBox(size.Width, size.Height, layout_.CropHeight, layout_.CropWidth, 0,
                                  0, 0);
  };
  ImageError error;
  auto picture = LoadClassPicture(cache_, member.Picture, ClassAdjustments(), target, error, cut);
  if (!picture) {
    problem = PictureProblem{member.Picture, error.Text, item.FirstName + " " + item.LastName};
    return item;
  }
  if (greyscale) picture->MakeGreyscale();
  item.Picture = std::move(picture);
  return item;
}
