#pragma once
// Winsock is started once for the whole process, the first time a socket is needed, and cleaned
// up when the process ends.
namespace winsock {

// Starts Winsock 2.2 on the first call; false when the system refused.
bool Started();
// The code WSAStartup failed with (0 when it succeeded).
int StartupError();

} // namespace winsock
