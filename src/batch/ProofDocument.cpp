#include "batch/ProofDocument.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <utility>

#include "images/CompositeSubjects.h"
#include "output/CompositeExport.h"
#include "output/CompositeOutput.h"
#include "output/ReplacementDevice.h"
#include "platform/FileReplacement.h"
#include "settings/PreviewPage.h"

namespace {

// The most pages held in memory ahead of the painting.
constexpr std::size_t kMostWaitingPages = 8;

// How the footer names a picture that could not be drawn: the subject and the file's name, which
// is what the school can check and the studio can find.
std::string MissingEntry(const PictureProblem& problem) {
  const std::size_t slash = problem.Path.find_last_of('/');
  const std::string file =
      slash == std::string::npos ? problem.Path : problem.Path.substr(slash + 1);
  if (problem.Subject.empty()) return file;
  return problem.Subject + " (" + file + ")";
}

}  // namespace

ProofDocument::ProofDocument(std::string path) : path_(std::move(path)) {}

ProofDocument::~ProofDocument() {
  // A document dropped unfinished paints no more; the replacement then abandons the new file.
  {
    const std::lock_guard<std::mutex> guard(lock_);
    dropping_ = true;
  }
  changed_.notify_all();
  if (painter_.joinable()) painter_.join();
}

std::optional<std::string> ProofDocument::Begin() {
  const std::lock_guard<std::mutex> guard(lock_);
  if (file_) return "the proof " + path_ + " was begun before";
  file_ = std::make_unique<FileReplacement>(path_);
  if (std::optional<std::string> failure = file_->Begin()) {
    file_.reset();
    return "cannot write " + path_ + ": " + *failure;
  }
  device_ = std::make_unique<ReplacementDevice>(*file_);
  painter_ = std::thread([this] { PaintPages(); });
  return std::nullopt;
}

std::optional<std::string> ProofDocument::AddComposite(
    std::size_t index, const Montage& layout, const PreviewSettings& settings, ImageCache& cache,
    const CompositeSubjects& subjects, const std::string& group, std::size_t count) {
  ProofPage page;
  const ExportResult drawn =
      DrawCompositePicture(layout, settings, cache, subjects, Dpi, page.Composite);
  if (!drawn.Succeeded()) {
    Skip(index);
    return "cannot draw the proof of " + group + ": " + drawn.Message;
  }
  const Rect paper = PreviewPage(settings, layout);
  page.PaperWidth = paper.Width();
  page.PaperHeight = paper.Height();
  page.Group = group;
  page.Count = count;
  for (const PictureProblem& problem : drawn.Problems) {
    page.Missing.push_back(MissingEntry(problem));
  }
  return AddPage(index, std::move(page));
}

std::optional<std::string> ProofDocument::AddPage(std::size_t index, ProofPage page) {
  return Deliver(index, std::move(page));
}

void ProofDocument::Skip(std::size_t index) { Deliver(index, std::nullopt); }

std::optional<std::string> ProofDocument::Deliver(std::size_t index,
                                                  std::optional<ProofPage> page) {
  {
    std::unique_lock<std::mutex> lock(lock_);
    // A page ahead of the painting waits for room, so that callers drawing faster than the pages
    // are painted do not pile them up in memory. The page next in order is always taken, and
    // with it the painting goes on, so the wait ends.
    const bool holdsPicture = page.has_value();
    changed_.wait(lock, [&] {
      return !holdsPicture || index == next_ || waiting_.size() < kMostWaitingPages || finishing_ ||
             dropping_;
    });
    if (!file_ || finishing_ || dropping_) return "the proof " + path_ + " is not open for pages";
    if (index < next_ || waiting_.contains(index)) {
      return "page " + std::to_string(index + 1) + " of the proof was given twice";
    }
    waiting_.emplace(index, std::move(page));
  }
  changed_.notify_all();
  return std::nullopt;
}

void ProofDocument::PaintPages() {
  // The writer and its painter live and die on this thread, with the fonts its text was set in.
  QPdfWriter writer(device_.get());
  writer.setCreator(QStringLiteral("montage-designer"));
  writer.setTitle(QStringLiteral("Proof"));
  writer.setResolution(static_cast<int>(Dpi));
  QPainter painter;
  std::unique_lock<std::mutex> lock(lock_);
  for (;;) {
    changed_.wait(lock, [this] {
      return dropping_ || finishing_ || (!waiting_.empty() && waiting_.begin()->first == next_);
    });
    if (dropping_ || waiting_.empty()) break;
    // Once the document is finishing, no page is waited for any longer: the rest go in order.
    auto due = waiting_.extract(waiting_.begin());
    next_ = due.key() + 1;
    changed_.notify_all();
    if (!due.mapped()) continue;
    lock.unlock();
    const ProofPage& page = *due.mapped();
    writer.setPageLayout(CompositePageLayout(page.PaperWidth, page.PaperHeight));
    // The first page starts the painting; each later one starts on a page of its own paper.
    const bool started = painter.isActive() ? writer.newPage() : painter.begin(&writer);
    if (started) PaintProofPage(painter, page);
    lock.lock();
    if (started) {
      ++written_;
    } else {
      file_->Fail("the PDF cannot be started");
    }
  }
  lock.unlock();
  if (painter.isActive()) painter.end();
}

std::optional<std::string> ProofDocument::Finish() {
  {
    const std::lock_guard<std::mutex> guard(lock_);
    if (!file_ || finishing_) return "the proof " + path_ + " is not open for pages";
    finishing_ = true;
  }
  changed_.notify_all();
  painter_.join();
  if (written_ == 0) file_->Fail("there is no composite to proof");
  if (std::optional<std::string> failure = file_->Finish()) {
    return "cannot write " + path_ + ": " + *failure;
  }
  return std::nullopt;
}

std::size_t ProofDocument::PagesWritten() const {
  const std::lock_guard<std::mutex> guard(lock_);
  return written_;
}
