// The stand-in for the outside merge program TLQ.
//
// It is NOT the merge program. It merges nothing and changes no file other
// than its own two message files, so the price editor's merge run has real
// messages to show:
//
//   MESSAGES.TLW  each entry line of BONDS.WWW (up to its first line that
//                 begins "THE-END") as new (its date, columns 1-7, is not in
//                 BONDS.WKY) or known, and each known line whose columns 1-43
//                 differ from the history's line of that date.
//   MESSAGES.TLF  a check of the history file BONDS.WKY: its line count,
//                 first and last date, repeated dates, and lines shorter than
//                 the 53 columns of a price line.
//
// History lines carry ten check bytes in columns 44-53 that entry lines lack;
// merging entry lines into the history would make an invalid price history,
// which is why the stand-in only reports.
//
// Everything here works on file texts, so the tests need no directory.
#pragma once

#include "FileText.hpp"

#include <optional>
#include <string>
#include <vector>

namespace tlq {

using Lines = std::vector<std::string>;

// The lines before the first line that begins "THE-END"; whether one did.
struct DataLines {
    Lines lines;
    bool endMarker = false;
};
DataLines UpToEndMarker(const Lines& lines);

// The two message files from the file texts (nothing = file missing).
Lines EntryCheck(const std::optional<Lines>& entries, const std::optional<Lines>& history);
Lines HistoryCheck(const std::optional<Lines>& history);

// The whole run in the current directory; returns the exit status.
int RunInCurrentDirectory();

}  // namespace tlq
