#pragma once
// Where the wireless and licence pages place their own controls, on the setting pages' grid.
#include "pages/page_layout.h"

namespace wireless_layout {

using namespace page_layout;

// Wireless page 1: each choice spans its bold caption, which the skin draws in a card.
inline constexpr QRect kWirelessChoice{188, 101, 369, 22};
inline constexpr QRect kWiredChoice{188, 173, 369, 22};

// Wireless page 2: network name, channel.
inline constexpr QRect kSsidEdit = FullRow(0);
inline constexpr QRect kChannelList = RowRect(1, 0, 80);

// Security page: the type on the first row; the WEP passphrase and key, or the WPA cipher and
// passphrase, on the two rows below, at the same places.
inline constexpr QRect kSecurityTypeList = FullRow(0);
inline constexpr QRect kWepPassphraseEdit = FullRow(1);
inline constexpr QRect kWepKeyEdit = FullRow(2);
inline constexpr QRect kWpaCipherList = RowRect(1, 0, 100);
inline constexpr QRect kWpaPassphraseEdit = FullRow(2);

// Licence page: the licence text fills the content area.
inline constexpr QRect kLicenseText{184, 88, 373, 284};

} // namespace wireless_layout
