#pragma once
// Whether a standard stream is an interactive terminal: a progress line redrawn in place is
// for a person watching, not for a file or a pipe that keeps every redraw.
#include <cstdio>

bool IsTerminal(std::FILE* stream);
