#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "batch/ProofPage.h"

class CompositeSubjects;
class FileReplacement;
class ImageCache;
class Montage;
class PreviewSettings;
class ReplacementDevice;

// The proof of a school's composites: a PDF with one page per composite, drawn at 100 dpi with a
// light diagonal "PROOF" mark and a footer naming the group, its count and its missing pictures,
// for the school to check spelling and placement. Each page has the size of its composite's paper.
//
// The document is begun once and given its pages as the composites are made, from any number of
// threads. Pages are numbered by the caller from 0 and appear in that order, whatever order they
// come in: a page whose predecessors have not all come waits in memory (its picture at 100 dpi,
// about 3 MB for 10 x 8 inches), and once eight wait, a caller with a later page waits too until
// the painting catches up. So the caller numbers the pages in the order it starts them, and
// gives every number once, by a page or by Skip; the next number in order is never kept waiting.
// One thread of the document's own paints the pages as they fall due, since the PDF keeps the fonts
// of the thread that painted its text until the end.
//
// The file is written as every file of the program is (FileReplacement): nothing appears under
// the path until Finish succeeds, and a failure, or a document dropped unfinished (an
// interrupted batch), leaves no partial file and keeps the proof that was there before. Failures
// are the reason as text; nothing when all is well.
class ProofDocument {
 public:
  static constexpr std::uint32_t Dpi = 100;

  explicit ProofDocument(std::string path);
  ~ProofDocument();
  ProofDocument(const ProofDocument&) = delete;
  ProofDocument& operator=(const ProofDocument&) = delete;

  // Makes the file ready to be written; a folder that cannot take it fails here, before any
  // composite is drawn.
  std::optional<std::string> Begin();

  // Draws the composite of the subjects at Dpi on the calling thread, through the same drawing
  // as the export, and adds it as page `index`, its footer naming the group, the count and each
  // picture the drawing could not draw. A composite that cannot be drawn gives no page, its
  // number counted as skipped, and the reason.
  std::optional<std::string> AddComposite(std::size_t index, const Montage& layout,
                                          const PreviewSettings& settings, ImageCache& cache,
                                          const CompositeSubjects& subjects,
                                          const std::string& group, std::size_t count);
  // Adds a page already drawn.
  std::optional<std::string> AddPage(std::size_t index, ProofPage page);
  // Says that page `index` will not come, so that the pages after it need not wait for it.
  void Skip(std::size_t index);

  // Writes the pages still waiting, in order and past any number never given, and puts the
  // document in place. A document without a page is refused, the old file kept.
  std::optional<std::string> Finish();

  std::size_t PagesWritten() const;

 private:
  // Queues the page (or its absence) under its number for the painting thread.
  std::optional<std::string> Deliver(std::size_t index, std::optional<ProofPage> page);
  // Paints the pages as they fall due until the document is finished or dropped, then ends the
  // PDF; runs on the document's own thread.
  void PaintPages();

  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::string path_;
  std::unique_ptr<FileReplacement> file_;
  std::unique_ptr<ReplacementDevice> device_;
  std::map<std::size_t, std::optional<ProofPage>> waiting_;
  std::size_t next_ = 0;  // the number of the next page to paint
  std::size_t written_ = 0;
  bool finishing_ = false;
  bool dropping_ = false;
  std::thread painter_;
};
