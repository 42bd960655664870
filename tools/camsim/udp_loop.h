#pragma once
// The simulator's socket: binds the port, hands every datagram to the cameras, sends their
// answers (after the configured delay) and stops at the end of its lifetime or on a signal.
#include "sim_cameras.h"
#include "sim_options.h"

#include <cstdio>

// Returns the process exit code: 0 after a normal stop, 1 when the socket could not be set up.
int RunUdpLoop(const SimOptions& options, SimulatedCameras& cameras, std::FILE* log);
