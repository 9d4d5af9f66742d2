#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "shell/FieldNumber.h"

namespace {

constexpr std::uint32_t kMax = 4294967295u;
const std::string kNotANumber = "Enter a positive integer.";

struct NumberCase {
  std::string Text;
  std::uint32_t Low;
  std::uint32_t High;
  std::optional<std::uint32_t> Value;
  std::string Message;
};

class FieldNumberReading : public testing::TestWithParam<NumberCase> {};

TEST_P(FieldNumberReading, GivesTheValueOrTheMessage) {
  const NumberCase& c = GetParam();
  const FieldNumber number = ReadFieldNumber(c.Text, c.Low, c.High);
  EXPECT_EQ(number.Value, c.Value) << '"' << c.Text << '"';
  EXPECT_EQ(number.Message, c.Message) << '"' << c.Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    AcceptedNumbers, FieldNumberReading,
    testing::Values(NumberCase{"7", 0, 10, 7, ""}, NumberCase{"  007 ", 0, 10, 7, ""},
                    NumberCase{"\t12\t", 0, 50, 12, ""}, NumberCase{" \t 3\t ", 3, 9999, 3, ""},
                    NumberCase{"9999", 3, 9999, 9999, ""}, NumberCase{"0", 0, 4, 0, ""},
                    NumberCase{"000", 0, 4, 0, ""},
                    NumberCase{"00000000000000000000001", 1, 100, 1, ""},
                    NumberCase{"4294967295", 0, kMax, kMax, ""}));

INSTANTIATE_TEST_SUITE_P(
    TextThatIsNoNumber, FieldNumberReading,
    testing::Values(NumberCase{"", 3, 9999, std::nullopt, kNotANumber},
                    NumberCase{"   \t ", 3, 9999, std::nullopt, kNotANumber},
                    NumberCase{"12a", 3, 9999, std::nullopt, kNotANumber},
                    NumberCase{"1.5", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"+3", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"x", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"-", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"--1", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"- 1", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"1 2", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"0x10", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"1e3", 0, kMax, std::nullopt, kNotANumber},
                    NumberCase{"\n5", 0, 50, std::nullopt, kNotANumber},
                    NumberCase{"5\r", 0, 50, std::nullopt, kNotANumber},
                    // A full-width digit is not an ASCII digit.
                    NumberCase{"\xEF\xBC\x93", 0, 50, std::nullopt, kNotANumber},
                    // Digits past 32 bits followed by a letter are still no number.
                    NumberCase{"99999999999x", 0, kMax, std::nullopt, kNotANumber}));

INSTANTIATE_TEST_SUITE_P(
    NumbersOutOfRange, FieldNumberReading,
    testing::Values(
        NumberCase{"2", 3, 9999, std::nullopt, "Enter an integer between 3 and 9999."},
        NumberCase{"10000", 3, 9999, std::nullopt, "Enter an integer between 3 and 9999."},
        NumberCase{"0", 1, 100, std::nullopt, "Enter an integer between 1 and 100."},
        NumberCase{" 101 ", 1, 100, std::nullopt, "Enter an integer between 1 and 100."},
        // Negative numbers are never wrapped round into an unsigned field.
        NumberCase{"-1", 0, kMax, std::nullopt, "Enter an integer between 0 and 4294967295."},
        NumberCase{"-5", 3, 9999, std::nullopt, "Enter an integer between 3 and 9999."},
        NumberCase{" -0 ", 0, 50, std::nullopt, "Enter an integer between 0 and 50."},
        // Nor are numbers beyond 32 bits: 2^32 would wrap to 0, 2^32 + 5 to 5.
        NumberCase{"4294967296", 0, kMax, std::nullopt,
                   "Enter an integer between 0 and 4294967295."},
        NumberCase{"4294967301", 0, 10, std::nullopt, "Enter an integer between 0 and 10."},
        NumberCase{"123456789012345678901234567890", 0, 500, std::nullopt,
                   "Enter an integer between 0 and 500."},
        NumberCase{"-99999999999", 0, 4, std::nullopt, "Enter an integer between 0 and 4."}));

}  // namespace
