// The terminal through termios: echo is switched off for the line and restored after it, or
// before the program ends on a signal that arrives meanwhile.
#include "console_input.h"

#include "secret_input.h"

#include <csignal>
#include <cstdio>
#include <iterator>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

termios savedTerminal;

void RestoreAndEnd(int signal)
{
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

bool StandardInputIsTerminal()
{
    return ::isatty(STDIN_FILENO) == 1;
}

SecretLine ReadHiddenLine(const std::string& prompt)
{
    if (::tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
        return {};
    struct sigaction restore = {};
    restore.sa_handler = &RestoreAndEnd;
    struct sigaction previous[std::size(kEndingSignals)];
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &restore, &previous[i]);
    termios quiet = savedTerminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    const SecretLine line = ReadSecretLine(stdin);
    std::fputc('\n', stderr); // the typed line end was not echoed
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &previous[i], nullptr);
    return line;
}

bool OthersCanRead(const std::string& path)
{
    struct stat status = {};
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & (S_IRGRP | S_IROTH)) != 0;
}
