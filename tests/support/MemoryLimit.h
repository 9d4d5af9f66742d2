#pragma once

#include <cstddef>
#include <functional>

namespace testsupport {

// Runs body in a child process whose address space may grow by headroom bytes from the start of
// body, so that memory runs out for real; returns the body's result, or -1 when the child did
// not end normally.
int WithMemoryLimit(std::size_t headroom, const std::function<int()>& body);

// Lets the calling child's address space grow freely again.
bool LiftMemoryLimit();

}  // namespace testsupport
