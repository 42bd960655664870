#pragma once
// The wizard's pages and steps, and how Next and Back move between them. One table lists every
// page in the order the frame creates, re-skins and asks them for their messages; the pages
// on a step are the steps, in that order. A step DHCP skips is passed over in both directions
// when the selected camera uses DHCP. The frame asks Navigate what to do with a navigation
// request and then shows the page of the step it gets back.
#include <array>
#include <cstddef>
#include <cstdint>

// Every page of the wizard, in the order of kPageTable; None is no page.
enum class WizardPage
{
    Main,
    License,
    BeforeYouStart,
    WhatChanges,
    CameraMissing,
    AfterSaving,
    Search,
    BasicSettings,
    NetworkMode,
    IpSettings,
    Summary,
    WirelessMode,
    WirelessNetwork,
    WirelessSecurity,
    Success,
    None,
};

struct PageRow
{
    WizardPage page;
    bool onStep;      // Next and Back reach it; a page on no step is created and skinned, never shown
    bool needsRecord; // it edits or shows the selected camera record, handed to it when shown
    bool dhcpSkips;   // passed over when the record uses DHCP
};

inline constexpr std::array kPageTable{
    PageRow{WizardPage::Main, true, false, false},
    PageRow{WizardPage::License, false, false, false},
    PageRow{WizardPage::BeforeYouStart, false, false, false},
    PageRow{WizardPage::WhatChanges, false, false, false},
    PageRow{WizardPage::CameraMissing, false, false, false},
    PageRow{WizardPage::AfterSaving, false, false, false},
    PageRow{WizardPage::Search, true, false, false},
    PageRow{WizardPage::BasicSettings, true, true, false},
    PageRow{WizardPage::NetworkMode, true, true, false},
    PageRow{WizardPage::IpSettings, true, true, true},
    PageRow{WizardPage::Summary, true, true, false},
    PageRow{WizardPage::WirelessMode, false, false, false},
    PageRow{WizardPage::WirelessNetwork, false, false, false},
    PageRow{WizardPage::WirelessSecurity, false, false, false},
    PageRow{WizardPage::Success, true, true, false},
};

inline constexpr size_t kPageCount = kPageTable.size();

constexpr bool RowsFollowTheEnumeration()
{
    for (size_t i = 0; i < kPageCount; ++i)
        if (kPageTable[i].page != static_cast<WizardPage>(i))
            return false;
    return static_cast<size_t>(WizardPage::None) == kPageCount;
}
static_assert(RowsFollowTheEnumeration(), "kPageTable lists every page once, in WizardPage's order");

constexpr int32_t StepCount()
{
    int32_t count = 0;
    for (const PageRow& row : kPageTable)
        count += row.onStep ? 1 : 0;
    return count;
}

inline constexpr int32_t kFirstStep = 0;
inline constexpr int32_t kLastStep = StepCount() - 1;

// The page a step shows; None outside the steps.
WizardPage PageForStep(int32_t step);
// Whether the step edits or shows the selected camera record.
bool StepNeedsRecord(int32_t step);
// The first step that needs a record: it takes the camera the search page shows.
int32_t FirstRecordStep();
// What a page asks the frame for: a step forward or back (None keeps the step).
enum class Navigation
{
    None,
    Next,
    Back
};

// The step a request leads to from `step`, clamped to the steps; None keeps it.
int32_t NextStep(int32_t step, Navigation request, bool dhcpEnabled);

struct NavigationInput
{
    int32_t step = 0;      // the step asked for last
    int32_t shownStep = 0; // the step whose page is visible
    Navigation request = Navigation::None;
    bool pagesReady = false;  // all pages have been created
    bool hasRecord = false;   // a camera record is there for the steps that need one
    bool dhcpEnabled = false; // the record's dhcpEnable byte is non-zero
};

struct NavigationResult
{
    int32_t step = 0;      // the new step
    bool showPage = false; // the page of `step` must be made visible
};

// A request that arrives before the pages exist, or that would lead to a step needing a record
// when there is none, is ignored: the step stays as it was and nothing is shown.
NavigationResult Navigate(const NavigationInput& input);
