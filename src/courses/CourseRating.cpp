#include "CourseRating.h"

#include <string_view>

namespace larkspin {

namespace {

constexpr int kLowestRating = 400;  // tenths
constexpr int kHighestRating = 900;
constexpr int kLowestSlope = 55;
constexpr int kHighestSlope = 155;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Digits alone, held at 1000 for longer numbers; -1 for an empty text or anything but digits.
int ReadDigits(std::string_view text) {
  if (text.empty()) return -1;
  int value = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return -1;
    value = value < 1000 ? value * 10 + (c - '0') : 1000;
  }
  return value;
}

// "71.3" or "71" in tenths; -1 for anything else.
int ReadRatingTenths(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  if (whole.empty() || whole.size() > 2) return -1;
  const int strokes = ReadDigits(whole);
  if (strokes < 0) return -1;
  if (point == std::string_view::npos) return strokes * 10;
  const std::string_view decimal = text.substr(point + 1);
  if (decimal.size() != 1 || !IsDigit(decimal[0])) return -1;
  return strokes * 10 + (decimal[0] - '0');
}

int ReadSlope(std::string_view text) {
  const int slope = ReadDigits(text);
  return slope >= kLowestSlope && slope <= kHighestSlope ? slope : -1;
}

int ReadStrokeIndex(std::string_view text) {
  const int index = ReadDigits(text);
  return index >= 1 && index <= kHoles ? index : -1;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

std::optional<CourseRating> ReadCourseRating(const RatingRecord& record) {
  if (!RatingProblem(record).empty() || HoldsNoRating(record)) return std::nullopt;
  CourseRating rating;
  rating.ratingTenths = ReadRatingTenths(record[kRatingCell]);
  rating.slope = ReadSlope(record[kSlopeCell]);
  for (int hole = 1; hole <= kHoles; ++hole)
    rating.strokeIndex[hole - 1] = ReadStrokeIndex(record[StrokeIndexCell(hole)]);
  return rating;
}

std::string RatingProblem(const RatingRecord& record) {
  if (HoldsNoRating(record)) return {};
  const std::string& rating = record[kRatingCell];
  if (rating.empty()) return "the Rating is empty; it is a number from 40.0 to 90.0, such as 71.3";
  const int tenths = ReadRatingTenths(rating);
  if (tenths < kLowestRating || tenths > kHighestRating) {
    return "the Rating " + Quoted(rating) +
           " is not a number from 40.0 to 90.0 with at most one decimal, such as 71.3";
  }
  const std::string& slope = record[kSlopeCell];
  if (slope.empty()) return "the Slope is empty; it is a whole number from 55 to 155, such as 128";
  if (ReadSlope(slope) < 0) {
    return "the Slope " + Quoted(slope) + " is not a whole number from 55 to 155";
  }
  std::array<int, kHoles + 1> holeOfIndex{};  // 0: not given yet
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::string& text = record[StrokeIndexCell(hole)];
    const std::string holeName = "hole " + std::to_string(hole);
    if (text.empty()) return holeName + " has no stroke index; each hole has one of 1 to 18";
    const int index = ReadStrokeIndex(text);
    if (index < 0) {
      return "the stroke index " + Quoted(text) + " of " + holeName +
             " is not a whole number from 1 to 18";
    }
    if (holeOfIndex[index] != 0) {
      return "holes " + std::to_string(holeOfIndex[index]) + " and " + std::to_string(hole) +
             " both have stroke index " + std::to_string(index) + "; each of 1 to 18 is given once";
    }
    holeOfIndex[index] = hole;
  }
  return {};
}

}  // namespace larkspin
