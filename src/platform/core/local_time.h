#pragma once
// The system's thread-safe conversion of a moment to the local calendar time.
#include <ctime>

std::tm LocalTime(std::time_t moment);
