#include "measure/results/ResultsText.h"

#include <vector>

namespace lumetra {
namespace {

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string tabField(std::string field) {
    for (char& c : field) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return field;
}

template <typename FieldText>
std::string joinRows(const ResultsTable& table, char separator, const char* lineEnd,
                     FieldText fieldText) {
    std::string out;
    const auto line = [&](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) out += separator;
            out += fieldText(fields[i]);
        }
        out += lineEnd;
    };
    line(table.header);
    for (const auto& row : table.rows) line(row);
    return out;
}

}  // namespace

std::string resultsCsv(const ResultsTable& table) { return joinRows(table, ',', "\r\n", csvField); }

std::string resultsTabSeparated(const ResultsTable& table) {
    return joinRows(table, '\t', "\n", tabField);
}

}  // namespace lumetra
