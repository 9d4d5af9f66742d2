#include "batch/BatchRun.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "batch/BatchPlan.h"
#include "batch/BatchReport.h"
#include "batch/BatchRequest.h"
#include "batch/GroupComposite.h"
#include "batch/ProofDocument.h"
#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "output/CompositeExport.h"
#include "platform/FileReplacement.h"
#include "roster/ClassList.h"
#include "settings/PreviewSettings.h"

namespace {

using Clock = std::chrono::steady_clock;

BatchResult Stopped(BatchResult::Status status, std::string message) {
  BatchResult result;
  result.Outcome = status;
  result.Message = std::move(message);
  return result;
}

// The workers of one batch and what they share: the next group to take, the outcomes, and the
// first reason to stop.
class BatchRun {
 public:
  BatchRun(const Montage& layout, const PreviewSettings& settings, const BatchRequest& request,
           const BatchPlan& plan, const BatchProgressCallback& progress,
           const std::atomic<bool>& cancel, ProofDocument* proof)
      : layout_(layout),
        settings_(settings),
        request_(request),
        plan_(plan),
        progress_(progress),
        cancel_(cancel),
        proof_(proof),
        outcomes_(plan.Composites().size()) {
    for (std::size_t i = 0; i < outcomes_.size(); ++i) {
      outcomes_[i].Group = plan.GroupOf(plan.Composites()[i]).Name;
      outcomes_[i].File = plan.PathOf(plan.Composites()[i].FileName);
    }
  }

  // Runs the workers, the calling thread among them, until every group is done or the batch
  // stops. A thread that cannot be had leaves its share to the others.
  void Run(std::size_t jobs) {
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < jobs; ++i) {
      try {
        helpers.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        break;
      }
    }
    Work();
  }

  std::vector<GroupOutcome>& Outcomes() { return outcomes_; }
  // The first reason the batch stopped for, and whether it is the request's fault.
  const std::optional<std::string>& StopReason() const { return stopReason_; }
  bool Refused() const { return refused_; }
  bool Complete() const {
    return std::none_of(outcomes_.begin(), outcomes_.end(), [](const GroupOutcome& outcome) {
      return outcome.Outcome != GroupOutcome::State::Written;
    });
  }

 private:
  void Work() {
    // Pictures are asked for once per composite and the proof's, so no decoded copy is kept,
    // and a picture that cannot be decoded fails at once: nobody watches a batch to retry it.
    ImageCache cache(LoadRetryPolicy::SingleAttempt());
    cache.SetKeepDecodedCopies(false);
    for (;;) {
      std::size_t index = 0;
      {
        const std::lock_guard<std::mutex> guard(lock_);
        if (stopReason_ || cancel_ || next_ >= outcomes_.size()) return;
        index = next_++;
      }
      Tell(BatchProgress::Event::Started, index, std::nullopt);
      const std::size_t done = Make(index, cache);
      // The next group's pictures take the place of this one's.
      cache.Clear();
      Tell(BatchProgress::Event::Finished, index, done);
    }
  }

  // Makes the composite of the group and, asked for, its page of the proof; returns the number
  // of composites done with it.
  std::size_t Make(std::size_t index, ImageCache& cache) {
    const PlannedComposite& composite = plan_.Composites()[index];
    const Group& group = plan_.GroupOf(composite);
    const PreviewSettings settings = plan_.Captions().For(settings_, group);
    const CompositeSubjects subjects = GroupSubjects(group);
    GroupOutcome outcome;
    const ExportResult result =
        ExportComposite(layout_, settings, cache, subjects,
                        {plan_.PathOf(composite.FileName), request_.Format, request_.Dpi});
    std::optional<std::string> proofFailure;
    if (result.Succeeded()) {
      outcome.Outcome = GroupOutcome::State::Written;
      SortPictureProblems(result.Problems, outcome);
      outcome.SmallestNameTenths = result.SmallestNameTenths;
      outcome.Remark = result.Message;
      if (proof_) {
        proofFailure = proof_->AddComposite(index, layout_, settings, cache, subjects, group.Name,
                                            group.PupilCount());
      }
    } else {
      outcome.Outcome = GroupOutcome::State::Failed;
      outcome.Failure = result.Message;
      if (proof_) proof_->Skip(index);
    }
    const std::lock_guard<std::mutex> guard(lock_);
    outcome.Group = std::move(outcomes_[index].Group);
    outcome.File = std::move(outcomes_[index].File);
    outcomes_[index] = std::move(outcome);
    ++done_;
    if (!result.Succeeded() && !stopReason_) {
      // A page that cannot be drawn or refused for its resolution is the same for every group.
      refused_ = result.Outcome == ExportResult::Status::TooSmall ||
                 result.Outcome == ExportResult::Status::TooLarge;
      stopReason_ = refused_ ? result.Message : group.Name + ": " + result.Message;
    } else if (proofFailure && !stopReason_) {
      stopReason_ = *proofFailure;
    }
    return done_;
  }

  // Tells the progress; done is the count a finished composite made, which another worker may
  // have raised since.
  void Tell(BatchProgress::Event event, std::size_t index, std::optional<std::size_t> done) {
    if (!progress_) return;
    const std::lock_guard<std::mutex> guard(lock_);
    BatchProgress news;
    news.What = event;
    news.Index = index;
    news.Group = plan_.GroupOf(plan_.Composites()[index]).Name;
    news.Done = done.value_or(done_);
    news.Total = outcomes_.size();
    news.SecondsElapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    if (news.Done > 0) {
      news.SecondsLeft = news.SecondsElapsed / static_cast<double>(news.Done) *
                         static_cast<double>(news.Total - news.Done);
    }
    progress_(news);
  }

  const Montage& layout_;
  const PreviewSettings& settings_;
  const BatchRequest& request_;
  const BatchPlan& plan_;
  const BatchProgressCallback& progress_;
  const std::atomic<bool>& cancel_;
  ProofDocument* proof_;
  const Clock::time_point start_ = Clock::now();

  std::mutex lock_;
  std::vector<GroupOutcome> outcomes_;
  std::size_t next_ = 0;
  std::size_t done_ = 0;
  std::optional<std::string> stopReason_;
  bool refused_ = false;
};

std::size_t WorkerCount(std::size_t asked, std::size_t composites) {
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  return std::max<std::size_t>(1, std::min(asked == 0 ? cores : asked, composites));
}

}  // namespace

BatchResult RunBatch(const Montage& layout, const PreviewSettings& settings,
                     const BatchRequest& request, const BatchProgressCallback& progress,
                     const std::atomic<bool>& cancel) {
  const BatchPlan plan = BatchPlan::Make(request, settings);
  if (plan.Outcome() != BatchPlan::Status::Ready) {
    return Stopped(plan.Outcome() == BatchPlan::Status::Refused ? BatchResult::Status::Refused
                                                                : BatchResult::Status::Failed,
                   plan.Error());
  }
  std::unique_ptr<ProofDocument> proof;
  if (!request.ProofPath.empty()) {
    proof = std::make_unique<ProofDocument>(request.ProofPath);
    if (auto failure = proof->Begin()) return Stopped(BatchResult::Status::Failed, *failure);
  }

  BatchRun run(layout, settings, request, plan, progress, cancel, proof.get());
  run.Run(WorkerCount(request.Jobs, plan.Composites().size()));

  BatchResult result;
  result.Outcome = BatchResult::Status::Done;
  if (run.StopReason()) {
    result.Outcome = run.Refused() ? BatchResult::Status::Refused : BatchResult::Status::Failed;
    result.Message = *run.StopReason();
  } else if (cancel) {
    result.Outcome = BatchResult::Status::Cancelled;
  }
  if (plan.List().ReadAsWindows1252()) {
    result.Notes.push_back(plan.List().Name() + " is not UTF-8 and was read as Windows-1252");
  }
  if (proof && run.Complete() && !cancel) {
    if (auto failure = proof->Finish()) {
      result.Outcome = BatchResult::Status::Failed;
      result.Message = *failure;
    }
  } else if (proof) {
    result.Notes.push_back("the proof " + request.ProofPath +
                           " was not written, since not every composite was made");
  }
  result.Groups = std::move(run.Outcomes());
  result.Summary = SummaryLine(plan, result.Groups);

  const std::string reportPath = plan.PathOf(BatchPlan::ReportName);
  if (auto failure =
          ReplaceFileContents(reportPath, ReportText(plan, result.Groups, result.Notes))) {
    const std::string reason = "cannot write " + reportPath + ": " + *failure;
    result.Message = result.Message.empty() ? reason : result.Message + "; " + reason;
    if (result.Outcome != BatchResult::Status::Refused)
      result.Outcome = BatchResult::Status::Failed;
  }
  if (result.Outcome == BatchResult::Status::Done &&
      std::any_of(result.Groups.begin(), result.Groups.end(), [](const GroupOutcome& outcome) {
        return !outcome.Missing.empty() || !outcome.Unreadable.empty();
      })) {
    result.Outcome = BatchResult::Status::PicturesMissing;
  }
  return result;
}
