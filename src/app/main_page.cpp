#include "app/main_page.h"

#include "app/app_layout.h"
#include "app/page_launch_context.h"
#include "skin/bitmap_button.h"
#include "skin/core/message_kind.h"
#include "skin/page_frame_layout.h"
#include "skin/skin_draw.h"

#include <utility>

MainPage::MainPage(QWidget* parent) : SkinnedDialog(parent)
{
    SetSkinSection(QStringLiteral("2_Main"), 111);
    using namespace app_layout;
    AddHoverButton(IDC_START, kStartButton, QStringLiteral("Start"));
    AddHoverButton(IDC_CLOSE_BUTTON, page_frame_layout::kCloseButton, QStringLiteral("Button1"));
    AddMsgButton(IDC_LOAD_SKIN_BUTTON, kLoadSkinButton, QStringLiteral("Load Skin"));
    AddMsgButton(IDC_SHOW_ALL, kShowAllButton, QStringLiteral("All Message"));
    AddHoverButton(IDC_INSTALL_UTILITY, kInstallUtilityButton, QStringLiteral("Install Utility"))->hide();
    AddHoverButton(IDC_SETUP_VARNET, kVarnetButton, QStringLiteral("Setup Varnet"))->hide();
    AddHoverButton(IDC_USER_GUIDE, kUserGuideButton, QStringLiteral("User Guide"))->hide();
    AddHoverButton(IDC_EXIT, kExitButton, QStringLiteral("Exit"))->hide();
    AddHoverButton(IDC_LANGUAGE, kLanguageButton, QStringLiteral("Setting Language"))->hide();
}

QAbstractButton* MainPage::DefaultButton() const
{
    return Item<QAbstractButton>(IDC_START);
}

bool MainPage::Initialise()
{
    SkinnedDialog::Initialise();
    ShowTestModeButton(IDC_LOAD_SKIN_BUTTON, QStringLiteral("Load Skin"));
    ShowTestModeButton(IDC_SHOW_ALL, QStringLiteral("Show All Message"));
    return true;
}

void MainPage::LoadStrings()
{
    const std::pair<QString LaunchTexts::*, int> texts[] = {
        {&LaunchTexts::yes, kTextYes},
        {&LaunchTexts::ok, kTextOk},
        {&LaunchTexts::playerAddress, kTextPlayerAddress},
        {&LaunchTexts::playerQuestion, kTextPlayerQuestion},
        {&LaunchTexts::installerNotFound, kTextInstallerNotFound},
        {&LaunchTexts::installerInvalid, kTextInstallerInvalid},
        {&LaunchTexts::toolNotFound, kTextToolNotFound},
        {&LaunchTexts::toolInvalid, kTextToolInvalid},
        {&LaunchTexts::guideNotFound, kTextGuideNotFound},
        {&LaunchTexts::guideInvalid, kTextGuideInvalid},
        {&LaunchTexts::readerQuestion, kTextReaderQuestion},
        {&LaunchTexts::readerNotFound, kTextReaderNotFound},
        {&LaunchTexts::readerInvalid, kTextReaderInvalid},
        {&LaunchTexts::otherFailure, kTextOtherFailure},
    };
    const SkinStrings* strings = StringList();
    for (const auto& [field, number] : texts)
        texts_.*field = SkinString(strings, number);
}

void MainPage::ApplySkin()
{
    LoadStrings();
    ApplyPageButtonSkins({
        {IDC_START, "Start"},
        {IDC_CLOSE_BUTTON, "Close"},
        {IDC_INSTALL_UTILITY, "Install Utility"},
        {IDC_SETUP_VARNET, "Setup Varnet"},
        {IDC_USER_GUIDE, "User Guide"},
        {IDC_EXIT, "Exit"},
        {IDC_LANGUAGE, "Language"},
    });
}

LaunchContext MainPage::MakeLaunchContext()
{
    return MakePageLaunchContext(this, texts_);
}

bool MainPage::OnCommand(int id)
{
    switch (id) {
    case IDC_START:
        NotifyNext();
        return true;
    case IDC_CLOSE_BUTTON:
    case IDC_EXIT:
        OnCloseCommand();
        return true;
    case IDC_LOAD_SKIN_BUTTON:
        OnLoadSkinCommand();
        return true;
    case IDC_SHOW_ALL:
        emit showAllMessagesRequested();
        return true;
    case IDC_INSTALL_UTILITY:
        InstallUtility(MakeLaunchContext());
        return true;
    case IDC_SETUP_VARNET:
        LaunchVarnetTool(MakeLaunchContext());
        OnCloseCommand();
        return true;
    case IDC_USER_GUIDE:
        OpenUserGuide(MakeLaunchContext());
        return true;
    case IDC_LANGUAGE:
        NotifyBack();
        return true;
    default:
        return false;
    }
}

void MainPage::ShowAllMessages()
{
    LoadStrings();
    const LaunchTexts& t = texts_;
    ShowMessage(kMessageQuestion, t.playerQuestion, t.yes, t.ok);
    for (const QString* text : {&t.installerNotFound, &t.installerInvalid, &t.toolNotFound, &t.toolInvalid,
                                &t.guideNotFound, &t.guideInvalid})
        ShowMessage(kMessageError, *text, t.ok);
    ShowMessage(kMessageQuestion, t.readerQuestion, t.yes, t.ok);
    ShowMessage(kMessageError, t.readerNotFound, t.ok);
    ShowMessage(kMessageError, t.readerInvalid, t.ok);
}
