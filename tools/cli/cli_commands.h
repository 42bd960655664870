#pragma once
// The commands of camtivo-cli, run on the same action dialog the wizard uses. Each returns the
// process exit status (kExitOk, kExitFailed, kExitUsage) and explains a failure in one line on
// standard error.
#include "cli_options.h"

int RunSearchCommand(const CliOptions& options);
// Saves one camera (--mac).
int RunSaveCommand(const CliOptions& options);
// Saves every camera of the --batch file: one search for all, then one save after another, one
// result line per camera; exit 0 only when every camera saved.
int RunBatchCommand(const CliOptions& options);
// Lists the time zones --timezone takes: "index<TAB>name" lines, or a JSON array.
int RunTimeZonesCommand(const CliOptions& options);
