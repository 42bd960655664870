#pragma once
// How camtivo-cli prints what a search saw on each interface (search --diagnose): a block of
// text per interface, or the same as JSON beside the cameras.
#include "device/core/found_camera_list.h"
#include "device/core/search_diagnosis.h"

#include <string>

std::string DiagnosisText(const SearchDiagnosis& diagnosis);
// {"cameras": [...as CamerasJson...], "interfaces": [...]}
std::string DiagnosisJson(const FoundCameraList& cameras, const SearchDiagnosis& diagnosis);

// A few words for a socket error code ("network unreachable").
std::string SocketErrorText(int code);
// The words for a failed send as printed: on Windows with the socket error's number.
std::string SendErrorText(int error);
