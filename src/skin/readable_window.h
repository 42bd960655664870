#pragma once
// ReadableWindow: what a window that paints its texts tells a screen reader. The window lists
// the texts it paints; the reader's view of it (window_accessible.h) names the window by its
// title, describes it by its own text, names its controls by the texts beside them and lists
// the texts as static text. A status line (the search's progress and result) is read out as it
// changes.
#include "skin/pack_lists.h"
#include "skin/page_reading.h"

#include <QString>
#include <vector>

class QWidget;

class ReadableWindow
{
public:
    virtual ~ReadableWindow() = default;

    // The texts the window paints now, in any order.
    virtual std::vector<PaintedText> PaintedTexts() const = 0;
    // Those texts split as the wizard's art places them (title, steps, the rest).
    virtual PageParts ReadingParts() const { return SplitPage(PaintedTexts()); }
    // The strings the reader's own words come from (names no caption gives).
    virtual const SkinStrings* ReadingStrings() const = 0;
    // The name of a window that paints no title.
    virtual QString UntitledName() const { return {}; }
    // A message box is read as an alert, with its message as its text.
    virtual bool IsAlert() const { return false; }

    // Bumped whenever the painted texts change, so that the reader's view is rebuilt.
    int ReadingGeneration() const { return readingGeneration_; }
    const QString& StatusLine() const { return statusLine_; }

protected:
    void PaintedTextsChanged() { ++readingGeneration_; }
    // Sets the status line and tells the listeners of `window`'s reader view.
    void SetStatusLine(QWidget* window, const QString& line);

private:
    int readingGeneration_ = 0;
    QString statusLine_;
};
