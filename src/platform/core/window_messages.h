#pragma once
// Numbers of the window messages the wizard's windows exchange, with their wParam codes.
#include "platform/core/win_types.h"

inline constexpr UINT WM_WIZARD_DRAG = 0x0401;
inline constexpr UINT WM_WIZARD_NAVIGATE = 0xB400;
inline constexpr WPARAM NAV_BACK = 0xB401;
inline constexpr WPARAM NAV_NEXT = 0xB402;
inline constexpr UINT WM_WIZARD_RELOAD_SKIN = 0xB403;
inline constexpr UINT WM_WIZARD_PAGE_RENDERED = 0xB40B;
inline constexpr UINT WM_WIZARD_CLOSE = 0xC401;
inline constexpr UINT WM_WIZARD_SHOW_ALL_MESSAGES = 0xC403;
inline constexpr UINT WM_WIZARD_ACTION = 0xD400;
inline constexpr WPARAM ACTION_SEARCH = 0xD401;
inline constexpr WPARAM ACTION_SAVE = 0xD402;
inline constexpr UINT WM_ACTION_NOTIFY = 0xE400;
inline constexpr WPARAM NOTIFY_SEARCH_DONE = 0xE401;
inline constexpr WPARAM NOTIFY_SAVE_OK = 0xE402;
inline constexpr WPARAM NOTIFY_SAVE_FAILED = 0xE403;
inline constexpr WPARAM NOTIFY_SEND_ERROR = 0xE404;
// Boxes the action asks its notification target to show; they end nothing.
inline constexpr WPARAM NOTIFY_SHOW_COMMUNICATION_ERROR = 0xE405;
inline constexpr WPARAM NOTIFY_SHOW_OPEN_SESSION_FAILED = 0xE406;
inline constexpr UINT WM_DEVICE_SEARCH_REPLY = 1124;
inline constexpr UINT WM_DEVICE_SAVE_REPLY = 1125;
