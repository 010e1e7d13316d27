#pragma once

#include <benchmark/benchmark.h>

#include <memory>

#include "CScorecardDlg.h"
#include "Workbench.h"

namespace larkspin::bench {

// A main window opened on `bench`'s files and shown, as the user meets it before pressing
// anything; none, with the run marked skipped, when the files were not written or did not load
// in full.
std::unique_ptr<CScorecardDlg> ShowMainWindow(benchmark::State& state, const Workbench& bench);

}  // namespace larkspin::bench
