#include <tagcomponent/LenientNumber.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using tagcomponent::readLenientNumber;
using tagcomponent::roundToInt16;

TEST(LenientNumber, ReadsAsMuchOfTheTextAsFormsANumber) {
  struct Case {
    std::u16string text;
    double value;
  };
  // clang-format off
  const Case cases[] = {
      {u"1999", 1999},       {u"19  ", 19},          {u"    ", 0},          {std::u16string(4, u'\0'), 0},
      {u"98xx", 98},         {u"abcd", 0},           {u" 1 9", 19},         {u"\t1\n2", 12},
      {u"2k01", 2},          {u"", 0},               {u"-5", -5},           {u"+7", 7},
      {u"- 5", -5},          {u"--1", 0},            {u"-", 0},             {u".", 0},
      {u"1.5", 1.5},         {u".5", 0.5},           {u"1.2.3", 1.2},       {u"12-3", 12},
      {u"1,5", 1},           {u"1\r2", 1},           {std::u16string(u"1\0" u"2", 3), 1},      {u"\u0661\u0662", 0},
      {u"1E3 ", 1000},       {u"1e3", 1000},         {u"1D2", 100},         {u"1d-1", 0.1},
      {u"2E+2", 200},        {u"1 E 2", 100},        {u"1E", 1},            {u"1E+", 1},
      {u"1Ex", 1},           {u"1F3", 1},            {u"9E99", 9e99},       {u"1E-999", 0},
      {u"&HFF", 255},        {u"&hff", 255},         {u"& H 1 0", 16},      {u"&H1G", 1},
      {u"&O17", 15},         {u"&o8", 0},            {u"&H", 0},            {u"&X1", 0},
      {u"-&H1", 0},          {u"&", 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(readLenientNumber(c.text), c.value)
        << "text of " << c.text.size() << " chars starting " << char(c.text.empty() ? ' ' : c.text[0]);
  }
}

TEST(LenientNumber, ValuesBeyondADoubleReadAsInfinity) {
  EXPECT_EQ(readLenientNumber(u"1E999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(readLenientNumber(u"-1D999"), -std::numeric_limits<double>::infinity());
}

TEST(LenientNumber, RoundsHalvesToEvenAndRefusesWhatASixteenBitIntegerCannotHold) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    std::optional<std::int16_t> expected;
  };
  const Case cases[] = {
      {18.5, 18},         {19.5, 20},     {-18.5, -18}, {-19.5, -20},     {0.5, 0},      {1.5, 2},
      {2.4999, 2},        {2.5001, 3},    {-0.4, 0},    {32767.4, 32767}, {32767.5, {}}, {32768, {}},
      {-32768.5, -32768}, {-32768.6, {}}, {9e99, {}},   {inf, {}},        {-inf, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(roundToInt16(c.value), c.expected) << "value " << c.value;
}

}  // namespace
