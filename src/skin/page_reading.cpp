#include "skin/page_reading.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Texts whose tops differ by no more than this stand on one row.
constexpr int kRowSlack = 6;
// A label beside a control starts within the height of one row of controls from its top.
constexpr int kRowBand = 24;

bool IsStep(const PaintedText& text)
{
    using namespace page_reading;
    const int offset = text.rect.top() - kStepTop;
    return text.rect.left() < kSidePanelRight && offset >= 0 && offset % kStepPitch == 0 &&
           offset / kStepPitch < kMaxSteps;
}

bool OnRowOf(const QRect& text, const QRect& control)
{
    return text.top() < control.top() + std::min(control.height(), kRowBand) &&
           text.top() + text.height() > control.top() - kRowSlack;
}

} // namespace

void SortForReading(std::vector<PaintedText>& texts)
{
    std::stable_sort(texts.begin(), texts.end(), [](const PaintedText& a, const PaintedText& b) {
        if (std::abs(a.rect.top() - b.rect.top()) > kRowSlack)
            return a.rect.top() < b.rect.top();
        return a.rect.left() < b.rect.left();
    });
}

PageParts SplitPage(std::vector<PaintedText> painted)
{
    SortForReading(painted);
    PageParts parts;
    for (PaintedText& text : painted) {
        if (parts.title.text.isEmpty() && text.rect.bottom() < page_reading::kHeaderBottom) {
            parts.title = std::move(text);
        } else if (IsStep(text)) {
            if (text.bold)
                parts.currentStep = static_cast<int>(parts.steps.size());
            parts.steps.push_back(std::move(text));
        } else {
            parts.texts.push_back(std::move(text));
        }
    }
    return parts;
}

int LabelIndexFor(const std::vector<PaintedText>& texts, const QRect& control)
{
    const auto count = static_cast<int>(texts.size());
    for (int i = 0; i < count; ++i) {
        if (control.contains(texts[i].rect.topLeft()))
            return i;
    }
    int best = -1;
    for (int i = 0; i < count; ++i) {
        const QRect& rect = texts[i].rect;
        // The side panel's texts label only the side panel's controls.
        const bool sameArea =
            rect.left() >= page_reading::kSidePanelRight || control.left() < page_reading::kSidePanelRight;
        if (sameArea && rect.left() + rect.width() / 2 < control.left() && OnRowOf(rect, control) &&
            (best < 0 || rect.left() > texts[best].rect.left()))
            best = i;
    }
    if (best >= 0)
        return best;
    for (int i = 0; i < count; ++i) {
        const QRect& rect = texts[i].rect;
        const int gap = control.top() - (rect.top() + rect.height());
        if (gap >= -kRowSlack && gap <= page_reading::kLabelAbove &&
            std::abs(rect.left() - control.left()) <= page_reading::kLabelIndent &&
            (best < 0 || rect.top() > texts[best].rect.top()))
            best = i;
    }
    return best;
}
