#include "app/core/step_machine.h"

#include <gtest/gtest.h>

TEST(StepMachine, NextAndBackPassOverIpSettingsOnlyWithDhcp)
{
    struct Case
    {
        int32_t step;
        Navigation request;
        bool dhcp;
        int32_t expected;
    };
    const Case cases[] = {
        {0, Navigation::Next, false, 1}, {1, Navigation::Next, false, 2}, {2, Navigation::Next, true, 3},
        {3, Navigation::Next, true, 5},  {3, Navigation::Next, false, 4}, {4, Navigation::Next, true, 5},
        {5, Navigation::Next, false, 6}, {6, Navigation::Next, false, 6}, {5, Navigation::Back, true, 3},
        {5, Navigation::Back, false, 4}, {4, Navigation::Back, true, 3},  {3, Navigation::Back, true, 2},
        {1, Navigation::Back, false, 0}, {0, Navigation::Back, false, 0}, {6, Navigation::Back, true, 5},
        {3, Navigation::None, true, 3},  {9, Navigation::Next, false, 6}, {-2, Navigation::Back, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextStep(c.step, c.request, c.dhcp), c.expected)
            << c.step << (c.request == Navigation::Next ? " next" : " back") << (c.dhcp ? " dhcp" : "");
}

TEST(StepMachine, RequestsAreIgnoredBeforeThePagesExistOrWithoutARecord)
{
    struct Case
    {
        const char* name;
        NavigationInput input;
        NavigationResult expected;
    };
    const Case cases[] = {
        {"start", {0, 0, Navigation::Next, true, false, false}, {1, true}},
        {"before the pages exist", {0, 0, Navigation::Next, false, false, false}, {0, false}},
        {"back on the main page", {0, 0, Navigation::Back, true, false, false}, {0, false}},
        {"no request", {3, 3, Navigation::None, true, true, false}, {3, false}},
        {"no camera selected", {1, 1, Navigation::Next, true, false, false}, {1, false}},
        {"camera selected", {1, 1, Navigation::Next, true, true, false}, {2, true}},
        {"back to the search page needs no camera", {2, 2, Navigation::Back, true, false, false}, {1, true}},
        {"dhcp skip", {3, 3, Navigation::Next, true, true, true}, {5, true}},
        {"summary next stays on the last step", {6, 6, Navigation::Next, true, true, false}, {6, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NavigationResult result = Navigate(c.input);
        EXPECT_EQ(result.step, c.expected.step);
        EXPECT_EQ(result.showPage, c.expected.showPage);
    }
}

TEST(StepMachine, EachStepShowsItsPage)
{
    const WizardPage pages[] = {WizardPage::Main,        WizardPage::Search,     WizardPage::BasicSettings,
                                WizardPage::NetworkMode, WizardPage::IpSettings, WizardPage::Summary,
                                WizardPage::Success};
    for (int32_t step = 0; step <= kLastStep; ++step) {
        EXPECT_EQ(PageForStep(step), pages[step]) << step;
        EXPECT_EQ(StepNeedsRecord(step), step >= 2) << step;
    }
    EXPECT_EQ(PageForStep(-1), WizardPage::None);
    EXPECT_EQ(PageForStep(7), WizardPage::None);
}
