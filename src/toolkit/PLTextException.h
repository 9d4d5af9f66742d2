#pragma once

#include <string>

#include "toolkit/PLObject.h"

// The toolkit's error codes, carried by PLTextException.
enum PLErrorCode : int {
  PL_ERRWRONG_SIGNATURE = 1,
  PL_ERRUNEXPECTED_DATA = 2,
  PL_ERRPATH_NOT_FOUND = 3,
  PL_ERRFILE_NOT_FOUND = 4,
  PL_ERRACCESS_DENIED = 5,
  PL_ERRDECODE_FAILURE = 6,
  PL_ERRUNKNOWN_FILE_TYPE = 8,
  PL_ERRTOO_LARGE = 9,
  PL_ERRNO_MEMORY = 10,
  PL_ERREND_OF_FILE = 11,
  PL_ERRBAD_EXIF = 14,
};

// The one exception type of the toolkit: a code and a message.
class PLTextException : public PLObject {
 public:
  PLTextException(int code, std::string message);

  int Code() const { return code_; }
  const std::string& Message() const { return message_; }

 private:
  int code_;
  std::string message_;
};
