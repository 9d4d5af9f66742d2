#include "batch/BatchPlan.h"

#include <filesystem>
#include <system_error>

#include "batch/BatchRequest.h"
#include "batch/OutputFolder.h"
#include "roster/ClassList.h"
#include "roster/UniqueFileNames.h"

namespace {

namespace fs = std::filesystem;

// The proof's file name when it lies in the output folder, where no composite may take it.
std::string ProofNameInFolder(const std::string& proof, const std::string& folder) {
  if (proof.empty()) return {};
  std::error_code error;
  const fs::path proofFolder = fs::weakly_canonical(fs::absolute(proof).parent_path(), error);
  const fs::path outputFolder = fs::weakly_canonical(fs::absolute(folder), error);
  if (error || proofFolder != outputFolder) return {};
  return fs::path(proof).filename().string();
}

}  // namespace

std::string ExtensionOf(OutputFormat format) {
  switch (format) {
    case OutputFormat::Png:
      return ".png";
    case OutputFormat::Pdf:
      return ".pdf";
    case OutputFormat::Jpeg:
      break;
  }
  return ".jpg";
}

BatchPlan::BatchPlan(const PreviewSettings& settings)
    : list_(std::make_shared<ClassList>()), captions_(settings) {}

BatchPlan& BatchPlan::Fail(Status status, std::string error) {
  status_ = status;
  error_ = std::move(error);
  composites_.clear();
  return *this;
}

BatchPlan BatchPlan::Make(const BatchRequest& request, const PreviewSettings& settings) {
  BatchPlan plan(settings);
  plan.folder_ = request.OutputFolder;
  // Mistakes in the request are told first: they take no reading and are put right at once.
  if (!plan.captions_.Ok()) return plan.Fail(Status::Refused, plan.captions_.Error());
  const FieldTemplate fileName = FieldTemplate::Parse(request.FileName);
  if (!fileName.Ok()) return plan.Fail(Status::Refused, "file name: " + fileName.Error());

  plan.list_ = std::make_shared<const ClassList>(ClassList::Read(request.ListPath));
  if (!plan.list_->Ok()) return plan.Fail(Status::Failed, plan.list_->Error());
  plan.groups_ =
      SchoolGroups::Make(*plan.list_, request.By.value_or(DefaultGroupBy(plan.list_->Filled())));
  if (!plan.groups_.Ok()) return plan.Fail(Status::Failed, plan.groups_.Error());

  const std::vector<Group>& groups = plan.groups_.Groups();
  std::vector<bool> chosen(groups.size(), request.Only.empty());
  for (const std::string& name : request.Only) {
    std::string error;
    const Group* group = ChooseGroup(plan.groups_, name, *plan.list_, error);
    if (!group) return plan.Fail(Status::Refused, error);
    chosen[static_cast<std::size_t>(group - groups.data())] = true;
  }
  plan.NameFiles(request, fileName, chosen);

  if (auto failure = PrepareOutputFolder(request.OutputFolder)) {
    return plan.Fail(Status::Failed, *failure);
  }
  return plan;
}

void BatchPlan::NameFiles(const BatchRequest& request, const FieldTemplate& fileName,
                          const std::vector<bool>& chosen) {
  UniqueFileNames names(ExtensionOf(request.Format));
  names.Reserve(ReportName);
  if (std::string proof = ProofNameInFolder(request.ProofPath, request.OutputFolder);
      !proof.empty()) {
    names.Reserve(proof);
  }
  const std::vector<Group>& groups = groups_.Groups();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    std::string name = names.Next(fileName.Fill(groups[i]));
    if (chosen[i]) composites_.push_back({i, std::move(name)});
  }
}

const Group& BatchPlan::GroupOf(const PlannedComposite& composite) const {
  return groups_.Groups()[composite.GroupIndex];
}

std::string BatchPlan::PathOf(const std::string& fileName) const {
  return (fs::path(folder_) / fileName).string();
}
