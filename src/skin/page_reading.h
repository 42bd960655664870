#pragma once
// How a reader takes in a window whose texts are painted: its texts with the rectangles they
// cover, sorted into reading order, and the parts the wizard's art gives them. The header band
// holds the title, the side panel the list of steps (the current one drawn bold), and every
// other text is either the label of a control beside, above or inside it, or the window's own
// text.
#include <QRect>
#include <QString>
#include <vector>

struct PaintedText
{
    QString text; // line feeds read as spaces
    QRect rect;   // the whole text, all lines
    bool bold = false;
};

namespace page_reading {

// Where the art puts the title and the steps on a 581 x 436 page.
inline constexpr int kHeaderBottom = 64;
inline constexpr int kSidePanelRight = 160;
inline constexpr int kStepTop = 96;
inline constexpr int kStepPitch = 32;
inline constexpr int kMaxSteps = 5;
// How far a label may stand above the control it names, and how far a label's left edge may
// lie from a control under it.
inline constexpr int kLabelAbove = 24;
inline constexpr int kLabelIndent = 8;

} // namespace page_reading

// Top to bottom, then left to right; texts whose tops lie within a few pixels count as one row.
void SortForReading(std::vector<PaintedText>& texts);

struct PageParts
{
    PaintedText title;              // empty when the header band holds none
    std::vector<PaintedText> steps; // the side panel's steps, top to bottom
    int currentStep = -1;           // index into steps, -1 when none is drawn bold
    std::vector<PaintedText> texts; // everything else, in reading order
};

// Splits the texts of a page drawn on the wizard's art into its parts.
PageParts SplitPage(std::vector<PaintedText> painted);

// The text that names a control at `control`: the first text inside it (a radio button spans
// its caption), else the nearest text to its left on its row, else one just above it starting
// at its left edge. Returns an index into `texts`, or -1.
int LabelIndexFor(const std::vector<PaintedText>& texts, const QRect& control);
