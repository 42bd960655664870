#pragma once
// How camtivo-cli prints the cameras a search found: one tab-separated line each, a JSON array,
// or CSV with a header row. Texts are the record's Windows-1252 bytes converted to UTF-8; the
// control characters a camera may put in them (C0, DEL and C1) cannot reach a terminal as such.
#include "device/core/address_clash.h"
#include "device/core/found_camera_list.h"

#include <functional>
#include <string>

// MAC, name, IP, mask, gateway, firmware (as the search page shows it), date, time, device
// type, the variant the camera answered (plain, enciphered or full) and the interface.
std::string CameraLine(const CameraRecord& camera);
// Takes the output piece by piece, so that a long list is written as it is formatted.
using TextSink = std::function<void(const std::string&)>;

// A JSON array of the cameras, one object each.
void WriteCamerasJson(const FoundCameraList& cameras, const TextSink& write);
std::string CamerasJson(const FoundCameraList& cameras);
// The JSON objects' fields in a fixed order, the header first.
void WriteCamerasCsv(const FoundCameraList& cameras, const TextSink& write);

// UTF-8 JSON text with every C1 control character and DEL written as a \u escape (the writer
// escapes only C0), so that a camera's text cannot send a terminal control sequence.
std::string EscapeJsonControls(const std::string& json);

// "192.168.0.21 is used by Garden, 00:50:c2:10:20:02", "192.168.0.5 is an address of this
// computer"; empty when there is no clash.
std::string AddressClashText(const AddressClash& clash);
