#include "batch/ProofDocument.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <utility>
#include <vector>

#include "images/CompositeSubjects.h"
#include "output/CompositeExport.h"
#include "output/CompositeOutput.h"
#include "output/ReplacementDevice.h"
#include "platform/FileReplacement.h"
#include "settings/PreviewPage.h"

namespace {

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

// The file being replaced and the PDF written into it, page by page, as they come.
struct ProofDocument::Pdf {
  explicit Pdf(const std::string& path) : file(path), device(file) {}

  FileReplacement file;
  ReplacementDevice device;
  QPdfWriter writer{&device};
  QPainter painter;
};

ProofDocument::ProofDocument(std::string path) : path_(std::move(path)) {}

ProofDocument::~ProofDocument() {
  // An unfinished document is dropped: the painter lets go of the writer before the replacement
  // abandons the new file.
  if (pdf_ && pdf_->painter.isActive()) pdf_->painter.end();
}

std::optional<std::string> ProofDocument::Begin() {
  const std::lock_guard<std::mutex> guard(lock_);
  pdf_ = std::make_unique<Pdf>(path_);
  if (std::optional<std::string> failure = pdf_->file.Begin()) {
    pdf_.reset();
    return "cannot write " + path_ + ": " + *failure;
  }
  pdf_->writer.setCreator(QStringLiteral("montage-designer"));
  pdf_->writer.setTitle(QStringLiteral("Proof"));
  pdf_->writer.setResolution(static_cast<int>(Dpi));
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
  for (const PictureProblem& problem : drawn.Problems)
    page.Missing.push_back(MissingEntry(problem));
  return AddPage(index, std::move(page));
}

std::optional<std::string> ProofDocument::AddPage(std::size_t index, ProofPage page) {
  const std::lock_guard<std::mutex> guard(lock_);
  return Deliver(index, std::move(page));
}

void ProofDocument::Skip(std::size_t index) {
  const std::lock_guard<std::mutex> guard(lock_);
  Deliver(index, std::nullopt);
}

std::optional<std::string> ProofDocument::Deliver(std::size_t index,
                                                  std::optional<ProofPage> page) {
  if (!pdf_) return "the proof " + path_ + " was not begun";
  if (index < next_ || waiting_.contains(index)) {
    return "page " + std::to_string(index + 1) + " of the proof was given twice";
  }
  waiting_.emplace(index, std::move(page));
  for (auto due = waiting_.begin(); due != waiting_.end() && due->first == next_;
       due = waiting_.erase(due), ++next_) {
    if (due->second) Write(*due->second);
  }
  return std::nullopt;
}

void ProofDocument::Write(const ProofPage& page) {
  QPdfWriter& writer = pdf_->writer;
  writer.setPageLayout(CompositePageLayout(page.PaperWidth, page.PaperHeight));
  // The first page starts the painting; each later one starts on a page of its own paper.
  if (!pdf_->painter.isActive()) {
    if (!pdf_->painter.begin(&writer)) {
      pdf_->file.Fail("the PDF cannot be started");
      return;
    }
  } else {
    writer.newPage();
  }
  PaintProofPage(pdf_->painter, page);
  ++written_;
}

std::optional<std::string> ProofDocument::Finish() {
  const std::lock_guard<std::mutex> guard(lock_);
  if (!pdf_) return "the proof " + path_ + " was not begun";
  for (auto& [index, page] : waiting_) {
    if (page) Write(*page);
  }
  waiting_.clear();
  if (written_ == 0) pdf_->file.Fail("there is no composite to proof");
  if (pdf_->painter.isActive()) pdf_->painter.end();
  std::optional<std::string> failure = pdf_->file.Finish();
  pdf_.reset();
  if (failure) return "cannot write " + path_ + ": " + *failure;
  return std::nullopt;
}

std::size_t ProofDocument::PagesWritten() const {
  const std::lock_guard<std::mutex> guard(lock_);
  return written_;
}
