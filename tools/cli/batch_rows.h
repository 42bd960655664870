#pragma once
// A batch file read into one save command per camera, every row checked the way a save's own
// command line is checked, before anything is sent.
#include "cli_options.h"

#include <string>
#include <vector>

struct BatchRows
{
    std::vector<CliOptions> cameras; // in file order
    std::vector<int> lines;          // the file line of each camera's row
    std::string error;               // "FILE line N: ..." when the file cannot be used
};

BatchRows ReadBatchRows(const std::string& path);
// The same for the file's bytes (UTF-8, or UTF-16 with its byte order mark); `path` only names
// it in the error.
BatchRows BatchRowsOf(const std::string& bytes, const std::string& path);
