// Whole files as bytes, and text as lines.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace devtools {

using Lines = std::vector<std::string>;

// Lines ending in CR LF or LF; a final line end adds no empty line, a last
// line without one is still a line. Every other byte stays as it is.
Lines SplitLines(const std::string& bytes);
// Each line followed by CR LF.
std::string JoinLines(const Lines& lines);

// The whole file; nothing when it cannot be opened or is a directory.
std::optional<std::string> TryReadFile(const std::filesystem::path& name);
// The whole file; throws std::runtime_error when it cannot be read.
std::string ReadFile(const std::filesystem::path& name);
// The file's lines (SplitLines); nothing when it cannot be opened.
std::optional<Lines> TryReadLines(const std::filesystem::path& name);

// Writes a temporary file beside the target and renames it over it, so a
// failed write leaves the old file; throws std::runtime_error on failure.
void WriteFile(const std::filesystem::path& name, const std::string& bytes);
// WriteFile of the lines, each ended by CR LF.
void WriteLines(const std::filesystem::path& name, const Lines& lines);

}  // namespace devtools
