// The printf and strtod texts, used where to_chars for doubles is missing, against the
// standard library's to_chars on the same values.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/DecimalChars.h"

using namespace spekulor::support;

namespace {

std::string ToChars(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string ToChars(double value, std::chars_format format, int decimals) {
  char text[400];
  return std::string(text, std::to_chars(text, text + sizeof text, value, format, decimals).ptr);
}

// Edge values and random bit patterns: every exponent, subnormals, integers.
std::vector<double> Values() {
  std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.1, 0.5, 2.5, 1e21, 1e22, 123456789012.0,
                                1e-7, 9.999999999999999e22, 5e-324,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::min(), 400.0, 3200.0, -2.78, 0.75};
  std::mt19937_64 random(20261208);
  while (values.size() < 20000) {
    const std::uint64_t bits = random();
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) values.push_back(value);
  }
  std::uniform_real_distribution<double> design(-5000.0, 5000.0);
  for (int i = 0; i < 20000; ++i) values.push_back(design(random));
  for (int power = 0; power < 2000; ++power) values.push_back(std::ldexp(1.0, power - 1074));
  return values;
}

}  // namespace

TEST(DecimalChars, PrintfTextsAreToCharsTexts) {
  int shortest = 0;
  int fixed = 0;
  int scientific = 0;
  for (const double value : Values()) {
    shortest += PrintfShortestDecimal(value) != ToChars(value);
    if (std::fabs(value) < 1e30) fixed += PrintfFixedDecimal(value, 6) != ToChars(value, std::chars_format::fixed, 6);
    scientific += PrintfScientificDecimal(value, 9) != ToChars(value, std::chars_format::scientific, 9);
  }
  EXPECT_EQ(shortest, 0);
  EXPECT_EQ(fixed, 0);
  EXPECT_EQ(scientific, 0);
  EXPECT_EQ(PrintfShortestDecimal(1e22), "1e+22");
  EXPECT_EQ(PrintfShortestDecimal(-0.0), "-0");
  EXPECT_EQ(PrintfShortestDecimal(1e-7), "1e-07");
}
