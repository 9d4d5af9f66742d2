#pragma once

#include <gtest/gtest.h>

#include <stdexcept>

// Runs the step, which must raise an exception of the given type, and returns that exception
// for the test to look into. A step that raises none fails the test and throws in turn, so
// nothing after it reads an exception that never was.
template <typename Exception, typename Step>
Exception Raised(Step&& step) {
  try {
    step();
  } catch (const Exception& raised) {
    return raised;
  }
  ADD_FAILURE() << "the step raised no exception";
  throw std::logic_error("the step raised no exception");
}
