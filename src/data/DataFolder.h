#pragma once

#include <QString>
#include <optional>
#include <string>

namespace larkspin {

// Why `dir` cannot be the data folder, in a sentence naming it: its name did not come as UTF-8, a
// file or the like stands there, or it cannot be looked at. None when it is a folder, or when
// nothing stands there (`missing` then says so): the window makes one, the command line refuses.
std::optional<std::string> DataFolderProblem(const QString& dir, bool& missing);

}  // namespace larkspin
