#pragma once
// The results table as text for other programs: CSV for files and
// tab-separated text for the clipboard.

#include <string>

#include "measure/results/ResultsTable.h"

namespace lumetra {

// RFC 4180: the header row, then the rows, each line ended by CRLF; a field
// holding a comma, a double quote, CR or LF is enclosed in double quotes with
// its quotes doubled. The bytes are the table's UTF-8 as they stand.
std::string resultsCsv(const ResultsTable& table);

// Tab-separated lines ended by LF, as spreadsheets paste them. Tab-separated
// text has no quoting, so tabs and line breaks inside a field become spaces.
std::string resultsTabSeparated(const ResultsTable& table);

}  // namespace lumetra
