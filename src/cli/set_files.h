#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/message_key.h"
#include "files/parameter_file.h"
#include "image/parameter_image.h"

// How the command line reads and writes sets: parameter files and image dumps, loaded as the
// station opens them, saved as it saves them, with its messages for what goes wrong.
namespace korvan::cli {

// The station's message for a file, the path after it; the detail on a line of its own.
void PrintFileError(std::FILE* err, MessageKey key, const std::string& path,
                    const std::string& detail);

// An output that names an input would destroy it: said, and the command ends before it starts.
bool RefuseOutputOverInput(const std::string& input, const std::string& output, std::FILE* err);

// Why a parameter file was not read: what was picked instead of a file, or the reader's summary.
std::string ReadFailureDetail(const ParameterFileReadResult& result);

// A whole image dump, consistency rules applied; nothing when the file is not a whole dump.
// as_read, when given, receives the dump before the rules.
std::optional<ParameterImage> ReadDumpFile(const std::string& path, std::FILE* err,
                                           ParameterImage* as_read = nullptr);

// The set in a file, as the station holds it after opening: consistency rules applied. A file
// cut short or damaged, or one for a bike the station has no data for, is said; with `refuse`
// (programming without --force) it is not loaded. `whole_as_read`, when given, receives the set
// as a parameter file left it before the rules, when the file was read whole.
std::optional<ParameterImage> LoadSetFile(const std::string& path, bool dump, std::FILE* out,
                                          std::FILE* err, bool refuse = false,
                                          std::optional<ParameterImage>* whole_as_read = nullptr);

// Saves the set as a parameter file (an image dump with `dump`); says where, or why not.
bool SaveSetFile(const std::string& path, bool dump, const ParameterImage& image, std::FILE* out,
                 std::FILE* err);

}  // namespace korvan::cli
