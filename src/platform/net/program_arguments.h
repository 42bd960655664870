#pragma once
// A console program's arguments as UTF-8 text, the one encoding the programs read their options
// in. On Windows they are read from the wide command line the system keeps, because the narrow
// argv of main() is in the ANSI code page and has already turned what it lacks into other
// characters; elsewhere argv is the text as given.
#include <string>
#include <vector>

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);
