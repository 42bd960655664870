#include "console_output.h"

// A POSIX stream writes its bytes as they are.
void WriteStandardOutputAsIs() {}
