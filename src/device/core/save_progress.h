#pragma once
// Where a save stands while the camera has not answered: which of its tries went out last, the
// time left before it gives up, and whether it is asking the camera again after the last try.
#include <cstdint>
#include <string>

struct SaveProgress
{
    int attempt = 0;  // 1 to attempts; 0 when no save runs
    int attempts = 0; // every try the save makes
    int64_t msLeft = 0;
    bool askingAgain = false; // every try went unanswered: the camera is being asked again
};

// "2:59": minutes and seconds, rounded up so that the last second still shows as 0:01.
std::string MinutesSeconds(int64_t milliseconds);
// The command line's words: "no answer yet, try 2 of 4, 2:59 left".
std::string SaveProgressText(const SaveProgress& progress);
