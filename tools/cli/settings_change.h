#pragma once
// Applies the changes a save command asks for to a copy of the camera's record, through the
// same rules the wizard's basic settings, network mode, IP settings and wireless pages use.
#include "cli_options.h"
#include "device/core/camera_data.h"

#include <string>

// What a check may count on: the camera's own record, or (before any camera has answered) only
// the values the command line gives, rules that read a camera's other values being left out.
enum class ChangeScope
{
    WholeRecord,
    GivenValues
};

// Empty when every change was accepted; otherwise one line saying which value is refused.
std::string ApplySettingsChange(const CliOptions& options, CCameraDataObj& camera,
                                ChangeScope scope = ChangeScope::WholeRecord);
