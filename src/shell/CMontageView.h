#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <memory>
#include <string>
#include <vector>

#include "platform/Rect.h"
#include "shell/DocumentView.h"
#include "shell/PreviewComposite.h"

class CMontageDoc;
class PreviewCache;
class PreviewPrinter;

// The preview: the document's layout drawn with the sample pictures on the preview paper,
// zoomable and scrollable, and printed on request. Zoom is logical units (tenths of a
// millimetre at the screen's logical resolution) per layout unit. A page smaller than the view
// is centred with the surround colour around it; where it is larger it scrolls. Repaints come
// from a picture of the page that only a change of the layout, the preview values, the zoom or
// the page's pixel size draws again.
class CMontageView : public QAbstractScrollArea, public DocumentView {
  Q_OBJECT

 public:
  static constexpr QRgb SurroundColour = 0xFFD6D3CE;  // RGB(214, 211, 206)

  // Registers with the document, which must outlive the view.
  explicit CMontageView(CMontageDoc& document, QWidget* parent = nullptr);
  ~CMontageView() override;

  void ZoomIn();
  void ZoomOut();
  void ZoomActualSize();
  // Fits the whole page into the view, by its height or, when that makes it too wide, by its
  // width.
  void FitToWindow();
  double Zoom() const { return zoom_; }
  // The print command: the print dialog, then one page laid out for the printer.
  void Print();

  void OnUpdate(unsigned hint) override;

  // The page at the zoom in logical units, which the scroll bars cover.
  QSize ScrollExtent() const { return extent_; }
  // Whether the first automatic fit after showing the view has been made.
  bool FittedOnce() const { return fittedOnce_; }
  // Composites drawn for the screen so far, what the last one showed, and the size of the
  // picture kept for repaints.
  int Drawings() const;
  PreviewDrawn LastDrawn() const;
  QSize CachedPictureSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Rect Page() const;
  // The viewport's size in logical units.
  QSize ClientSize() const;
  void UpdateScrollSizes();
  void ZoomTo(double zoom);
  void Redraw();
  void ScheduleFirstFit();
  void ShowHeldMessages(std::vector<std::string> messages);

  CMontageDoc& document_;
  double zoom_ = 1.0;
  bool fittedOnce_ = false;
  bool fitScheduled_ = false;
  // A message that a drawing could not avoid (an unreadable sample picture) is shown once for
  // each change, not for every part of a large page drawn while scrolling.
  bool messagesShown_ = false;
  QSize extent_;
  std::unique_ptr<PreviewCache> cache_;
  std::unique_ptr<PreviewPrinter> printer_;
};
