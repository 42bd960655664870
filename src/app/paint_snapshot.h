#pragma once
// PaintSnapshot: once the wizard's main page has painted, saves the wizard window as a PNG
// file (BMP when its name ends in .bmp) and ends the wizard. "camtivo --snapshot=FILE" uses it, so that
// scripts and package checks can see what a user would see, offscreen and without a display.
// With "search:FILE" it presses Start first and saves the search page once its search has ended
// (the pictures in docs/ are made so, in test mode).
#include <QObject>
#include <QString>

class WizardFrame;

class PaintSnapshot : public QObject
{
public:
    PaintSnapshot(WizardFrame& frame, QString path);

    bool Saved() const { return saved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SaveAndClose();
    void SearchThenSave();

    WizardFrame& frame_;
    QString path_;
    bool searchPage_ = false;
    bool pending_ = false;
    bool saved_ = false;
};

// The FILE of a "--snapshot=FILE" argument, or an empty text when there is none.
QString SnapshotPathOf(const QStringList& arguments);
