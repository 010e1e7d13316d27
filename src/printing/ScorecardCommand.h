#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <string>

#include "PlayingHandicap.h"
#include "ScorecardLayout.h"

namespace larkspin {

class CommandFolder;

// The blank card `larkspin --scorecard COURSE FILE.pdf` prints, worked out as --handicap works
// out the record: under the folder's lock, refusing while a data file cannot be read in full. A
// course missing from courses.dat is refused; one without ratings gets a card without handicap.
struct BlankCard {
  std::optional<ScorecardLayout> card;
  std::string error;  // for standard error, when there is no card
};

BlankCard LoadBlankCard(const QString& course, CommandFolder& folder, QDate today,
                        const Allowance& allowance);

}  // namespace larkspin
