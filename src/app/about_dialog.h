#pragma once
// AboutDialog: the About box of the frame's system menu: the program icon, the program's name
// and version, one line about it and OK, drawn like the wizard's message boxes (white panel,
// accent frame, rounded buttons) and centred over the window that opened it. Its texts come
// from the language pack; without a pack (or without the string) they are English.
#include "platform/wizard_dialog.h"
#include "skin/core/string_table.h"

#include <QIcon>

// The program's own icon (the window and taskbar icon): drawn, not read from a pack, because
// it must exist before any pack is loaded.
QIcon ProgramIcon();

class AboutDialog : public WizardDialog
{
    Q_OBJECT

public:
    static constexpr int IDC_ABOUT_OK = IDOK;

    static constexpr int kTextMenuEntry = 50811;
    static constexpr int kTextTitle = 50812;
    static constexpr int kTextVersion = 50813; // "%1" is the version
    static constexpr int kTextLine = 50814;
    static constexpr int kTextOk = 50815;

    explicit AboutDialog(QWidget* parent = nullptr, const SkinStrings* strings = nullptr);

    // Text `number` of the pack, or its English text when the pack lacks it.
    static QString PackText(const SkinStrings* strings, int number);

protected:
    bool OnCommand(int id) override;
    void paintEvent(QPaintEvent* event) override;
};
