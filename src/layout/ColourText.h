#pragma once

#include <string>
#include <string_view>

#include "platform/ColourRef.h"

// A stored colour is six hexadecimal digits, two each for red, green and blue. ParseColour reads
// three fields of at most two digits each (white space before a field is skipped, either case is
// accepted); a field that cannot be read, and every field after it, counts as 0.
ColourRef ParseColour(std::string_view text);

// The six upper-case digits of a colour, each pair with a leading zero when needed.
std::string ColourText(ColourRef colour);
