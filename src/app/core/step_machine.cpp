#include "app/core/step_machine.h"

#include "platform/core/window_messages.h"

#include <algorithm>

namespace {

constexpr int32_t kNetworkStep = 3;
constexpr int32_t kIpStep = 4;
constexpr int32_t kSummaryStep = 5;
constexpr int32_t kFirstRecordStep = 2;

} // namespace

WizardPage PageForStep(int32_t step)
{
    switch (step) {
    case 0:
        return WizardPage::Main;
    case 1:
        return WizardPage::Search;
    case 2:
        return WizardPage::BasicSettings;
    case kNetworkStep:
        return WizardPage::NetworkSettings;
    case kIpStep:
        return WizardPage::IpSettings;
    case kSummaryStep:
        return WizardPage::Summary;
    case kLastStep:
        return WizardPage::Success;
    default:
        return WizardPage::None;
    }
}

bool StepNeedsRecord(int32_t step)
{
    return step >= kFirstRecordStep && step <= kLastStep;
}

int32_t NextStep(int32_t step, WPARAM request, bool dhcpEnabled)
{
    if (request == NAV_NEXT) {
        int32_t next = step == kNetworkStep ? (dhcpEnabled ? kSummaryStep : kIpStep) : step + 1;
        return std::min(next, kLastStep);
    }
    if (request == NAV_BACK) {
        int32_t back = step == kSummaryStep ? (dhcpEnabled ? kNetworkStep : kIpStep) : step - 1;
        return std::max(back, kFirstStep);
    }
    return step;
}

NavigationResult Navigate(const NavigationInput& input)
{
    NavigationResult ignored{input.step, false};
    if (!input.pagesReady)
        return ignored;
    int32_t step = NextStep(input.step, input.request, input.dhcpEnabled);
    if (StepNeedsRecord(step) && !input.hasRecord)
        return ignored;
    return {step, step != input.shownStep};
}
