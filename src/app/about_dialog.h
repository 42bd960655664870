#pragma once
// CAboutDlg: the About box of the frame's system menu: the program icon, the program's name
// and version, one line about it and OK, drawn like the wizard's message boxes (white panel,
// accent frame, rounded buttons) and centred over the window that opened it.
#include "platform/dialog.h"

#include <QIcon>

// The program's own icon (the window and taskbar icon): drawn, not read from a pack, because
// it must exist before any pack is loaded.
QIcon ProgramIcon();

class CAboutDlg : public CDialog
{
    Q_OBJECT

public:
    static constexpr int kTemplate = 100;
    static constexpr int IDC_ABOUT_OK = IDOK;

    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    bool OnCommand(int id) override;
    void paintEvent(QPaintEvent* event) override;
};
