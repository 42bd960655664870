#include "app/language_page.h"

#include "app/app_layout.h"
#include "app/core/language_names.h"
#include "skin/bitmap_button.h"
#include "skin/page_frame_layout.h"
#include "skin/text_button.h"

#include <QComboBox>

namespace {

// The pack name behind the language shown in the list.
QString PackNameOfChoice(const QComboBox& list)
{
    return QString::fromStdU16String(PackNameOf(list.currentText().toStdU16String()));
}

} // namespace

LanguagePage::LanguagePage(QWidget* parent) : SkinnedDialog(parent)
{
    SetSkinSection(QStringLiteral("1_Language"), 101);
    using namespace app_layout;
    list_ = AddControl<QComboBox>(IDC_LANGUAGE_LIST, kLanguageList);
    const std::pair<int, QRect> buttons[] = {{IDC_LANGUAGE_NEXT, kLanguageNext},
                                             {IDC_LANGUAGE_EXIT, kLanguageExit},
                                             {IDC_LANGUAGE_CLOSE, page_frame_layout::kCloseButton}};
    for (const auto& [id, rect] : buttons)
        AddControl<BitmapButton>(id, rect);
    AddControl<TextButton>(IDC_LANGUAGE_LOAD_SKIN, kLanguageLoadSkin);
}

bool LanguagePage::Initialise()
{
    SkinnedDialog::Initialise();
    ShowTestModeButton(IDC_LANGUAGE_LOAD_SKIN, QStringLiteral("Load Skin"));

    list_->clear();
    for (const LanguageName& name : kLanguageNames)
        if (choices_.isEmpty() || choices_.contains(QStringView(name.packName).toString()))
            list_->addItem(QStringView(name.displayName).toString());
    // The first entry that starts with the display name of the start language, else the top.
    const QString start = startLanguage_.isEmpty() ? GetLanguage() : startLanguage_;
    const QString wanted = QString::fromStdU16String(DisplayNameOf(start.toStdU16String()));
    int index = 0;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            index = i;
            break;
        }
    }
    list_->setCurrentIndex(index);
    connect(list_, &QComboBox::currentIndexChanged, this, &LanguagePage::OnSelectionChanged);
    SetLanguage(PackNameOfChoice(*list_));
    return true;
}

void LanguagePage::SetChoices(const QStringList& packNames, const QString& startLanguage)
{
    choices_ = packNames;
    startLanguage_ = startLanguage;
}

void LanguagePage::OnSelectionChanged()
{
    SetLanguage(PackNameOfChoice(*list_));
    emit languageReloadRequested();
    // Hiding and showing again makes the page repaint from its new canvas.
    if (isVisible()) {
        hide();
        show();
    }
}

bool LanguagePage::OnCommand(int id)
{
    switch (id) {
    case IDC_LANGUAGE_NEXT:
        NotifyNext();
        return true;
    case IDC_LANGUAGE_EXIT:
    case IDC_LANGUAGE_CLOSE:
        OnCloseCommand();
        return true;
    case IDC_LANGUAGE_LOAD_SKIN:
        OnLoadSkinCommand();
        return true;
    default:
        return false;
    }
}

void LanguagePage::ApplySkin()
{
    ApplyPageButtonSkins(
        {{IDC_LANGUAGE_EXIT, "Exit"}, {IDC_LANGUAGE_NEXT, "Next"}, {IDC_LANGUAGE_CLOSE, "Close"}});
}
