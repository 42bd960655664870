#pragma once
// The wizard's steps and how Next and Back move between them. Step 4 (IP settings) is passed
// over in both directions when the selected camera uses DHCP. The frame asks Navigate what to
// do with a navigation request and then shows the page of the step it gets back.
#include "platform/core/win_types.h"

#include <cstdint>

enum class WizardPage
{
    None,
    Main,
    Search,
    BasicSettings,
    NetworkSettings,
    IpSettings,
    Summary,
    Success,
};

inline constexpr int32_t kFirstStep = 0;
inline constexpr int32_t kLastStep = 6;

// The page a step shows; None outside steps 0 to 6.
WizardPage PageForStep(int32_t step);
// Steps 2 to 6 edit or show the selected camera record.
bool StepNeedsRecord(int32_t step);
// The step a request leads to from `step`, clamped to 0..6; an unknown request keeps it.
int32_t NextStep(int32_t step, WPARAM request, bool dhcpEnabled);

struct NavigationInput
{
    int32_t step = 0;         // the step asked for last
    int32_t shownStep = 0;    // the step whose page is visible
    WPARAM request = 0;       // NAV_NEXT, NAV_BACK or anything else
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
