#include "ScorecardLayout.h"

#include <algorithm>
#include <functional>

#include "HandicapText.h"
#include "Tenths.h"

namespace larkspin {

namespace {

// A row of figures by hole, with each nine's total and the whole: a hole without one (nothing)
// is blank; a total is written when any of its holes has a figure, with `whole` only when all do.
CardRow FigureRow(std::string heading, const std::function<std::optional<int>(int)>& figure,
                  bool whole, const std::function<std::string(int)>& text = {}) {
  CardRow row{std::move(heading), {}};
  std::array<int, 2> sums{};
  std::array<int, 2> written{};
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::optional<int> value = figure(hole);
    if (!value) continue;
    row.cells[CardColumn(hole)] = text ? text(*value) : std::to_string(*value);
    sums[(hole - 1) / 9] += *value;
    ++written[(hole - 1) / 9];
  }
  const auto shown = [whole](int count) { return whole ? count == 9 : count > 0; };
  if (shown(written[0])) row.cells[kOutColumn] = std::to_string(sums[0]);
  if (shown(written[1])) row.cells[kInColumn] = std::to_string(sums[1]);
  if (whole ? shown(written[0]) && shown(written[1]) : written[0] + written[1] > 0)
    row.cells[kTotalColumn] = std::to_string(sums[0] + sums[1]);
  return row;
}

}  // namespace

std::string ReceivedMark(int received) {
  if (received < 0) return "-" + std::to_string(-received);
  if (received == 0) return {};
  if (received == 1) return "\u2022";
  if (received == 2) return "\u2022\u2022";
  return std::to_string(received);
}

ScorecardLayout LayOutScorecard(const CardFigures& card) {
  ScorecardLayout layout;
  layout.title = card.course;
  const auto& h = card.handicap;
  layout.facts = {
      {"Course Rating", card.rating ? TenthsText(card.rating->ratingTenths) : std::string()},
      {"Slope", card.rating ? std::to_string(card.rating->slope) : std::string()},
      {"Date", card.date},
      {"Handicap Index", card.indexTenths ? IndexText(card.indexTenths) : std::string()},
      {"Course handicap", h ? CourseHandicapText(h->courseHandicap) : std::string()},
      {"Playing handicap", h ? CourseHandicapText(h->playingHandicap) : std::string()},
      {"Format", card.format},
  };
  layout.holes.heading = "Hole";
  for (int hole = 1; hole <= kHoles; ++hole)
    layout.holes.cells[CardColumn(hole)] = std::to_string(hole);
  layout.holes.cells[kOutColumn] = "Out";
  layout.holes.cells[kInColumn] = "In";
  layout.holes.cells[kTotalColumn] = "Total";

  const auto at = [](const std::array<int, kHoles>& figures, int hole) {
    return figures[static_cast<std::size_t>(hole - 1)];
  };
  const auto written = [&at](const std::array<int, kHoles>& figures) {
    return [&figures, &at](int hole) -> std::optional<int> {
      if (const int value = at(figures, hole); value > 0) return value;
      return std::nullopt;
    };
  };
  // Net and points need the hole played, its par and what the handicap gives on it.
  const auto scored = [&](int hole) {
    return h && at(card.strokes, hole) > 0 && at(card.pars, hole) > 0;
  };
  layout.rows.push_back(FigureRow("Par", written(card.pars), true));
  CardRow strokeIndex{"Stroke index", {}};
  if (card.rating) {
    for (int hole = 1; hole <= kHoles; ++hole)
      strokeIndex.cells[CardColumn(hole)] = std::to_string(at(card.rating->strokeIndex, hole));
  }
  layout.rows.push_back(std::move(strokeIndex));
  layout.rows.push_back(FigureRow(
      "Strokes received",
      [&](int hole) -> std::optional<int> {
        if (!h) return std::nullopt;
        return at(h->strokes, hole);
      },
      true, ReceivedMark));
  layout.rows.push_back(FigureRow("Score", written(card.strokes), false));
  layout.rows.push_back(FigureRow(
      "Putts", [&card](int hole) { return card.putts[static_cast<std::size_t>(hole - 1)]; },
      false));
  layout.rows.push_back(FigureRow(
      "Net",
      [&](int hole) -> std::optional<int> {
        if (!scored(hole)) return std::nullopt;
        return at(card.strokes, hole) - at(h->strokes, hole);
      },
      false));
  layout.rows.push_back(FigureRow(
      "Stableford points",
      [&](int hole) -> std::optional<int> {
        if (!scored(hole)) return std::nullopt;
        return std::max(0, 2 + at(card.pars, hole) + at(h->strokes, hole) - at(card.strokes, hole));
      },
      false));
  return layout;
}

}  // namespace larkspin
