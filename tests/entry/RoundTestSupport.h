#pragma once

// Building rounds and reading and writing lks.dat for the round tests.

#include <gtest/gtest.h>

#include <QDir>
#include <string>
#include <utility>
#include <vector>

#include "DiskFile.h"
#include "RoundFile.h"
#include "support/FakeServices.h"

namespace larkspin::testing {

inline std::string RoundFileBytes(const ScorecardHarness& harness) {
  return ReadWholeFile(harness.FilePath(kRoundFileName)).value_or("<unreadable>");
}

// A Scorecard opened as the window opens, on an lks.dat holding `bytes`.
inline Scorecard& LoadRoundFile(ScorecardHarness& harness, std::string_view bytes) {
  EXPECT_TRUE(WriteFileAtomically(harness.FilePath(kRoundFileName), bytes));
  Scorecard& scorecard = harness.Make();
  scorecard.OnInitDialog();
  return scorecard;
}

}  // namespace larkspin::testing
