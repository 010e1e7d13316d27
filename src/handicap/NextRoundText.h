#pragma once

#include <optional>
#include <string>

#include "NextRound.h"

namespace larkspin {

// The Handicap window's lines under the Index and beside the course handicap.
// "▼ 0.3 since 2026-10-12", "▲ 0.1 since …", "unchanged"; empty without a change to tell.
std::string IndexChangeText(const std::optional<IndexChange>& change);
// "Next to leave the 20: 14.2 of 2025-01-04"; empty while the record holds fewer than 20.
std::string LeavingText(const std::optional<LeavingDifferential>& leaving);
// "To lower your Index: 88 or better", "To lower your Index: —".
std::string LowerText(std::optional<int> score);
// "To keep it: 90 or better", "To keep it: —".
std::string KeepText(std::optional<int> score);

}  // namespace larkspin
