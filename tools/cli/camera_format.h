#pragma once
// How camtivo-cli prints the cameras a search found: one tab-separated line each, or a JSON
// array. Texts are the record's Windows-1252 bytes converted to UTF-8.
#include "device/core/found_camera_list.h"

#include <string>

// MAC, name, IP, mask, gateway, firmware (as the search page shows it), date, time, device
// type and the variant the camera answered (plain, enciphered or full).
std::string CameraLine(const CCameraDataObj& camera);
std::string CamerasJson(const FoundCameraList& cameras);
