#include "app/core/step_machine.h"

#include <algorithm>

namespace {

// The rows on a step, in step order.
constexpr std::array<PageRow, kLastStep + 1> StepRows()
{
    std::array<PageRow, kLastStep + 1> steps{};
    size_t step = 0;
    for (const PageRow& row : kPageTable)
        if (row.onStep)
            steps[step++] = row;
    return steps;
}

constexpr std::array kStepRows = StepRows();

const PageRow* StepRow(int32_t step)
{
    if (step < kFirstStep || step > kLastStep)
        return nullptr;
    return &kStepRows[static_cast<size_t>(step)];
}

bool Skipped(int32_t step, bool dhcpEnabled)
{
    const PageRow* row = StepRow(step);
    return dhcpEnabled && row != nullptr && row->dhcpSkips;
}

// One step in `direction` (+1 or -1), past the steps DHCP skips, clamped to the steps.
int32_t Move(int32_t step, int32_t direction, bool dhcpEnabled)
{
    int32_t next = step + direction;
    while (Skipped(next, dhcpEnabled))
        next += direction;
    return std::clamp(next, kFirstStep, kLastStep);
}

} // namespace

WizardPage PageForStep(int32_t step)
{
    const PageRow* row = StepRow(step);
    return row != nullptr ? row->page : WizardPage::None;
}

bool StepNeedsRecord(int32_t step)
{
    const PageRow* row = StepRow(step);
    return row != nullptr && row->needsRecord;
}

int32_t FirstRecordStep()
{
    int32_t step = kFirstStep;
    while (step < kLastStep && !StepNeedsRecord(step))
        ++step;
    return step;
}

int32_t NextStep(int32_t step, Navigation request, bool dhcpEnabled)
{
    if (request == Navigation::Next)
        return Move(step, 1, dhcpEnabled);
    if (request == Navigation::Back)
        return Move(step, -1, dhcpEnabled);
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
