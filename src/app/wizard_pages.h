#pragma once
// The wizard's pages: one object of every page class, in the order of WizardPage, and the same
// objects seen as dialogs or as pages that take a record. A page table row that needs a record
// whose class cannot take one does not compile.
#include "app/core/step_machine.h"
#include "app/language_page.h"
#include "app/main_page.h"
#include "app/success_page.h"
#include "device_ui/search_page.h"
#include "pages/basic_settings_page.h"
#include "pages/info_pages.h"
#include "pages/ip_settings_page.h"
#include "pages/license_page.h"
#include "pages/network_mode_page.h"
#include "pages/summary_page.h"
#include "pages/wireless_mode_page.h"
#include "pages/wireless_network_page.h"
#include "pages/wireless_security_page.h"
#include "skin/skinned_dialog.h"

#include <array>
#include <tuple>
#include <type_traits>
#include <utility>

// One object of every page class, in the order of WizardPage.
using WizardPages =
    std::tuple<MainPage, LicensePage, BeforeYouStartPage, WhatChangesPage, CameraMissingPage, AfterSavingPage,
               SearchPage, BasicSettingsPage, NetworkModePage, IpSettingsPage, SummaryPage, WirelessModePage,
               WirelessNetworkPage, WirelessSecurityPage, SuccessPage>;

namespace wizard_pages {

// Each page object as a `Wanted`, or null when its class is not one.
template <class Wanted> std::array<Wanted*, kPageCount> PagesAs(WizardPages& pages)
{
    return std::apply(
        [](auto&... page) {
            const auto as = [](auto& one) -> Wanted* {
                if constexpr (std::is_base_of_v<Wanted, std::remove_reference_t<decltype(one)>>)
                    return &one;
                else
                    return nullptr;
            };
            return std::array<Wanted*, kPageCount>{as(page)...};
        },
        pages);
}

template <size_t... Row> constexpr bool RecordRowsTakeARecord(std::index_sequence<Row...>)
{
    constexpr bool recordPage[] = {std::is_base_of_v<RecordPage, std::tuple_element_t<Row, WizardPages>>...};
    for (size_t row = 0; row < kPageCount; ++row)
        if (kPageTable[row].needsRecord && !recordPage[row])
            return false;
    return true;
}

static_assert(std::tuple_size_v<WizardPages> == kPageCount, "one page object for every row of kPageTable");
static_assert(RecordRowsTakeARecord(std::make_index_sequence<kPageCount>{}),
              "a page that needs the record is a record page");

} // namespace wizard_pages
