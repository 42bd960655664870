#include "skin/program_look.h"

#include "platform/program_fonts.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

namespace program_look {

QPalette ProgramPalette()
{
    QPalette palette(kText, Qt::white);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, Qt::white);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::AlternateBase, kSidePanel);
        palette.setColor(group, QPalette::Button, Qt::white);
        palette.setColor(group, QPalette::WindowText, kText);
        palette.setColor(group, QPalette::Text, kText);
        palette.setColor(group, QPalette::ButtonText, kText);
        palette.setColor(group, QPalette::Highlight, kAccentText);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::PlaceholderText, kSecondaryText);
        palette.setColor(group, QPalette::Link, kAccentDark);
        palette.setColor(group, QPalette::ToolTipBase, Qt::white);
        palette.setColor(group, QPalette::ToolTipText, kText);
    }
    // A selection in a window that lost the focus stays visible, paler.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, kAccentSoft);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, kText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kSecondaryText);
    palette.setColor(QPalette::Disabled, QPalette::Text, kSecondaryText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, kSecondaryText);
    return palette;
}

void ApplyProgramLook()
{
    // Fusion draws focus frames and selections from the palette, so the accent reaches the
    // edits whatever the desktop's own theme would have used.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(ProgramPalette());
    // Systems without the program's face get the copy shipped beside it.
    LoadProgramFonts();
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(kBodyPixels);
    font.setHintingPreference(kTextHinting);
    QApplication::setFont(font);
}

} // namespace program_look
