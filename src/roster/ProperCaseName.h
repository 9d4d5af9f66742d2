#pragma once

#include <string>

// Gives a name the capitals a printed name should have: each word starts with a capital,
// words in capitals and mixed-case names keep theirs, small joining words ("of", "the", ...)
// stay as written, and letters after an apostrophe or a hyphen start a new word. Changes the
// text in place and returns it.
std::string& ProperCaseName(std::string& text);
