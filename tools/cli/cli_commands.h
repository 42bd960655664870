#pragma once
// The two commands of camtivo-cli, run on the same action dialog the wizard uses. Each returns
// the process exit status: 0 on success, 1 with one line on standard error otherwise.
#include "cli_options.h"

int RunSearchCommand(const CliOptions& options);
int RunSaveCommand(const CliOptions& options);
