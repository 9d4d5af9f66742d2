#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "batch/GroupComposite.h"
#include "output/CompositeOutput.h"
#include "roster/SchoolGroups.h"

class ClassList;
class PreviewSettings;
struct BatchRequest;

// One composite a batch is to make: a group of the school and the file it goes to.
struct PlannedComposite {
  std::size_t GroupIndex = 0;  // in the plan's Groups().Groups()
  std::string FileName;        // in the output folder
};

// Everything about a batch that can be checked before a picture is drawn: the caption lines'
// and the file name's fields, the list, its groups, the groups asked for, and the output folder,
// which is made and tried. File names are given in the school's group order whichever groups
// are asked for, so that a retake of one group overwrites the very file the whole batch wrote,
// "Room 4 (2).jpg" included.
class BatchPlan {
 public:
  enum class Status {
    Ready,
    // The request cannot be followed as written: an unknown field or group name.
    Refused,
    // The list cannot be read or grouped, or the folder cannot be written.
    Failed,
  };

  static BatchPlan Make(const BatchRequest& request, const PreviewSettings& settings);

  Status Outcome() const { return status_; }
  // Why the plan is not ready; empty when it is.
  const std::string& Error() const { return error_; }

  const ClassList& List() const { return *list_; }
  const SchoolGroups& Groups() const { return groups_; }
  const CaptionFields& Captions() const { return captions_; }
  // The composites in the school's group order.
  const std::vector<PlannedComposite>& Composites() const { return composites_; }
  const Group& GroupOf(const PlannedComposite& composite) const;
  // The full path of the composite's file, or of a file of that name, in the output folder.
  std::string PathOf(const std::string& fileName) const;

  // The report's name in the output folder, which no composite takes.
  static constexpr const char* ReportName = "report.csv";

 private:
  explicit BatchPlan(const PreviewSettings& settings);
  BatchPlan& Fail(Status status, std::string error);
  void NameFiles(const BatchRequest& request, const FieldTemplate& fileName,
                 const std::vector<bool>& chosen);

  Status status_ = Status::Ready;
  std::string error_;
  std::string folder_;
  std::shared_ptr<const ClassList> list_;
  SchoolGroups groups_;
  CaptionFields captions_;
  std::vector<PlannedComposite> composites_;
};

// The extension the files of a format get: ".jpg", ".png" or ".pdf".
std::string ExtensionOf(OutputFormat format);
