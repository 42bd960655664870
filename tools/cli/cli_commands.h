#pragma once
// The two commands of camtivo-cli, run on the same action dialog the wizard uses. Each returns
// the process exit status (kExitOk, kExitFailed, kExitUsage) and explains a failure in one line
// on standard error.
#include "cli_options.h"

int RunSearchCommand(const CliOptions& options);
int RunSaveCommand(const CliOptions& options);
