#include "toolkit/PLTextException.h"

#include <utility>

PLTextException::PLTextException(int code, std::string message)
    : code_(code), message_(std::move(message)) {}
