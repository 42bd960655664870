#pragma once
// The text camtivo --help prints. It is laid out for reading in a terminal and for help2man,
// which makes the manual page from it: a "Usage:" line and "or:" lines, paragraphs, then
// "Options:", "Environment:", "Files:" and "Examples:" sections, one option a line with its
// text at column 21.
const char* ProgramHelp();
