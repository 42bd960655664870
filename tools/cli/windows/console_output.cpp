#include "console_output.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

void WriteStandardOutputAsIs()
{
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}
