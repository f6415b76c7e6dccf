// The text files of the stand-in programs: one reader, one writer.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

using Lines = std::vector<std::string>;

// Bytes as they stand; a line ends at LF, and one CR just before it belongs
// to the line end. A final line end adds no empty line. Nothing when the
// file cannot be read (missing, a directory, unreadable).
std::optional<Lines> ReadTextLines(const std::string& name);
// Writes the lines, each ended by CR LF, to a temporary file beside the
// target and renames it over the target, so the target is whole or as it
// was. Throws std::runtime_error when the file cannot be written.
void WriteTextFile(const std::string& name, const Lines& lines);

}  // namespace standin
