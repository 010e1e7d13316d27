#include "ReportPage.h"

#include <array>
#include <charconv>
#include <cstring>

#include "CellNumber.h"
#include "HtmlText.h"
#include "ReportLinks.h"
#include "StatisticsTables.h"

namespace larkspin {

namespace {

using Count = ReportStatistics::Count;

// A round row with short texts; a guess, only for reserving room.
constexpr std::size_t kRoundRowSize = 20 * 12;

}  // namespace

ReportPage::ReportPage(std::string_view escapedHeading) {
  // The page says it is UTF-8, which is how every text is written into it.
  document_ += "<html><head><meta charset=\"utf-8\"><title>Score Card - Larkspin (";
  document_ += kReportHostName;
  document_ += ")</title></head><body>";
  document_ += escapedHeading;
  document_ +=
      "<h2>Rounds Played</h2><table border=1>"
      "<tr><td>Date</td><td>1</td><td>2</td><td>3</td><td>4</td><td>5</td><td>6</td><td>7</td>"
      "<td>8</td><td>9</td><td>10</td><td>11</td><td>12</td><td>13</td><td>14</td><td>15</td>"
      "<td>16</td><td>17</td><td>18</td><td>Total</td></tr>";
}

ReportPage ReportPage::ForCourse(std::string_view course) {
  std::string heading = "<h1>Larkspin Report: ";
  AppendEscaped(heading, course);
  heading += "</h1>";
  return ReportPage(heading);
}

ReportPage ReportPage::Overall() {
  return ReportPage("<h1>Larkspin Overall Report</h1>");
}

void ReportPage::Reserve(std::size_t rounds) {
  document_.reserve(document_.size() + rounds * kRoundRowSize + 8192);
}

void ReportPage::AppendRoundRow(const RoundCells& round) {
  // Most rows are short: built in a buffer of their own and added to the page at once, rather than
  // growing the page by sixty small pieces.
  constexpr std::string_view kCellEnd = "</td><td>";
  constexpr std::size_t kEscapedMost = 6;  // "&quot;" for one byte
  std::size_t bound =
      64 + (kHoles + 1) * kCellEnd.size() + round[kDateColumn].size() * kEscapedMost;
  for (int hole = 1; hole <= kHoles; ++hole)
    bound += round[ScoreColumn(hole)].size() * kEscapedMost;
  if (bound > kRowBufferSize) {
    AppendLongRoundRow(round);
    return;
  }
  std::array<char, kRowBufferSize> row;
  char* out = row.data();
  const auto put = [&out](std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    out += text.size();
  };
  const auto putEscaped = [&out, &put](std::string_view text) {
    for (const char c : text) {
      switch (c) {
        case '&':
          put("&amp;");
          break;
        case '<':
          put("&lt;");
          break;
        case '>':
          put("&gt;");
          break;
        case '"':
          put("&quot;");
          break;
        case '\'':
          put("&#39;");
          break;
        default:
          *out++ = c;
      }
    }
  };
  put("<tr><td>");
  putEscaped(round[kDateColumn]);
  Count total = 0;
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::string_view score = round[ScoreColumn(hole)];
    put(kCellEnd);
    putEscaped(score);
    total += CellNumber(score);
  }
  put(kCellEnd);
  out = std::to_chars(out, row.data() + row.size(), total).ptr;
  put("</td></tr>");
  document_.append(row.data(), out);
}

void ReportPage::AppendLongRoundRow(const RoundCells& round) {
  document_ += "<tr><td>";
  AppendEscaped(document_, round[kDateColumn]);
  Count total = 0;
  for (int hole = 1; hole <= kHoles; ++hole) {
    const std::string_view score = round[ScoreColumn(hole)];
    document_ += "</td><td>";
    AppendEscaped(document_, score);
    total += CellNumber(score);
  }
  document_ += "</td><td>";
  AppendWholeNumber(document_, total);
  document_ += "</td></tr>";
}

std::string ReportPage::Finish(const ReportStatistics& statistics, const ParTexts& pars) && {
  const Count rounds = statistics.roundsPlayed;
  Count allScores = 0;
  for (const Count sum : statistics.holeScoreSum)
    allScores += sum;

  if (rounds > 0) {
    document_ += "<tr><td>Average</td>";
    for (const Count sum : statistics.holeScoreSum) {
      document_ += "<td>";
      AppendRealNumber(document_, static_cast<double>(sum) / static_cast<double>(rounds));
      document_ += "</td>";
    }
    document_ += "<td>";
    AppendRealNumber(document_, static_cast<double>(allScores) / static_cast<double>(rounds));
    document_ += "</td></tr>";
  }

  document_ += "<tr><td>Par</td><td>";
  for (int hole = 1; hole <= kHoles; ++hole) {
    if (hole > 1) document_ += "</td><td>";
    AppendEscaped(document_, pars[hole - 1]);
  }
  document_ += "</td><td>&nbsp;</td></tr>";

  document_ += "<tr><td>Total</td>";
  for (const Count sum : statistics.holeScoreSum) {
    document_ += "<td>";
    AppendWholeNumber(document_, sum);
    document_ += "</td>";
  }
  document_ += "<td>";
  AppendWholeNumber(document_, allScores);
  document_ += "</td></tr></table><br><br><br>";

  if (rounds > 0) AppendStatisticsTables(document_, statistics);

  document_ += "<br><br><a href=";
  document_ += kProductPageAddress;
  document_ += ">Created by Larkspin</a><br><a href=";
  document_ += kMakerPageAddress;
  document_ += ">by Tollmere</a><br></body></html>";
  return std::move(document_);
}

}  // namespace larkspin
