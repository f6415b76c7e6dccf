#include "TlqStandIn.hpp"

#include <cstdio>
#include <filesystem>
#include <map>
#include <strings.h>

namespace fs = std::filesystem;

namespace tlq {

namespace {

const char* const kEntryFile = "BONDS.WWW";
const char* const kHistoryFile = "BONDS.WKY";
const char* const kEntryMessages = "MESSAGES.TLW";
const char* const kHistoryMessages = "MESSAGES.TLF";

constexpr std::size_t kDateWidth = 7;     // columns 1-7
constexpr std::size_t kEntryWidth = 43;   // columns 1-43: an entry line
constexpr std::size_t kPriceWidth = 53;   // columns 1-53: a history line

// Columns 1..width, blanks where the line is short.
std::string Head(const std::string& line, std::size_t width)
{
    std::string out = line.substr(0, width);
    out.resize(width, ' ');
    return out;
}

std::string TrimRight(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

// The working directory's entry for a name, matched without regard to case
// as the front end matches it.
std::string Resolve(const std::string& name)
{
    std::error_code ec;
    if (fs::exists(name, ec)) return name;
    for (const auto& entry : fs::directory_iterator(".", ec)) {
        const std::string found = entry.path().filename().string();
        if (strcasecmp(found.c_str(), name.c_str()) == 0) return found;
    }
    return name;
}

std::string Number(std::size_t n)
{
    return std::to_string(n);
}

}  // namespace

DataLines UpToEndMarker(const Lines& lines)
{
    DataLines data;
    for (const std::string& line : lines) {
        if (line.compare(0, 7, "THE-END") == 0) {
            data.endMarker = true;
            break;
        }
        data.lines.push_back(line);
    }
    return data;
}

Lines EntryCheck(const std::optional<Lines>& entries, const std::optional<Lines>& history)
{
    Lines out{" TLQ STAND-IN: entry check, no file changed."};
    if (!entries) {
        out.push_back(std::string(" ") + kEntryFile + " is missing.");
        return out;
    }
    if (!history) out.push_back(std::string(" ") + kHistoryFile + " is missing: every line is new.");

    // The history's first line of each date.
    std::map<std::string, std::string> known;
    if (history) {
        for (const std::string& line : UpToEndMarker(*history).lines)
            known.emplace(Head(line, kDateWidth), Head(line, kEntryWidth));
    }

    const DataLines data = UpToEndMarker(*entries);
    std::size_t fresh = 0, same = 0, differing = 0, undated = 0;
    for (std::size_t i = 0; i < data.lines.size(); ++i) {
        const std::string& line = data.lines[i];
        const std::string date = Head(line, kDateWidth);
        const std::string prefix = "  Line " + Number(i + 1) + "  ";
        if (Blank(date)) {
            ++undated;
            out.push_back(prefix + "no date, skipped");
            continue;
        }
        const auto it = known.find(date);
        if (it == known.end()) {
            ++fresh;
            out.push_back(prefix + date + "  new");
            continue;
        }
        ++same;
        const std::string entry = Head(line, kEntryWidth);
        if (entry == it->second) {
            out.push_back(prefix + date + "  known");
            continue;
        }
        ++differing;
        out.push_back(prefix + date + "  known, differs from " + kHistoryFile + ":");
        out.push_back("    WWW " + TrimRight(entry));
        out.push_back("    WKY " + TrimRight(it->second));
    }
    if (!data.endMarker) out.push_back(std::string(" ") + kEntryFile + " has no THE-END line.");
    std::string summary = " " + Number(data.lines.size()) + " lines: " + Number(fresh) + " new, " + Number(same) +
                          " known, " + Number(differing) + " differing";
    if (undated > 0) summary += ", " + Number(undated) + " without a date";
    out.push_back(summary + ".");
    return out;
}

Lines HistoryCheck(const std::optional<Lines>& history)
{
    Lines out{" TLQ STAND-IN: history check, no file changed."};
    if (!history) {
        out.push_back(std::string(" ") + kHistoryFile + " is missing.");
        return out;
    }
    const Lines lines = UpToEndMarker(*history).lines;
    if (lines.empty()) {
        out.push_back(std::string(" ") + kHistoryFile + " is empty.");
        return out;
    }
    out.push_back(std::string(" ") + kHistoryFile + ": " + Number(lines.size()) + " lines.");
    out.push_back(" First date " + Head(lines.front(), kDateWidth) + ", last date " +
                  Head(lines.back(), kDateWidth) + ".");
    std::map<std::string, std::size_t> firstLine;
    std::size_t errors = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string prefix = "  Line " + Number(i + 1) + ": ";
        const std::string date = Head(lines[i], kDateWidth);
        const auto [it, first] = firstLine.emplace(date, i + 1);
        if (!first) {
            ++errors;
            out.push_back(prefix + "date " + date + " repeats line " + Number(it->second) + ".");
        }
        if (lines[i].size() < kPriceWidth) {
            ++errors;
            out.push_back(prefix + Number(lines[i].size()) + " columns, " + Number(kPriceWidth) + " needed.");
        }
    }
    out.push_back(errors == 0 ? std::string(" No errors found.") : " Errors found: " + Number(errors) + ".");
    return out;
}

int RunInCurrentDirectory()
{
    const std::optional<Lines> entries = devtools::TryReadLines(Resolve(kEntryFile));
    const std::optional<Lines> history = devtools::TryReadLines(Resolve(kHistoryFile));
    int status = 0;
    // Each message file is written even when the other one can't be.
    for (const auto& [name, lines] : {std::pair{kEntryMessages, EntryCheck(entries, history)},
                                      std::pair{kHistoryMessages, HistoryCheck(history)}}) {
        try {
            devtools::WriteLines(name, lines);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "TLQ stand-in: %s\n", e.what());
            status = 1;
        }
    }
    return status;
}

}  // namespace tlq
