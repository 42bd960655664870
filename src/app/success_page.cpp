#include "app/success_page.h"

#include "app/page_launch_context.h"
#include "platform/shell.h"
#include "skin/bitmap_button.h"
#include "skin/core/message_kind.h"
#include "skin/page_frame_layout.h"
#include "skin/skin_draw.h"

namespace {

// Install Utility and Exit in the footer (Close and Load Skin stand at the standard places of
// page_frame_layout.h); Setup Varnet and Registration are hidden but placed all the same.
constexpr QRect kInstallUtilityButton{305, 384, 140, 32};
constexpr QRect kExitButton{465, 384, 96, 32};
constexpr QRect kVarnetButton{184, 384, 96, 32};
constexpr QRect kRegistrationButton{184, 340, 96, 32};

constexpr int kFirstText = 51601;
constexpr int kOtherFailureText = 59999;

} // namespace

SuccessPage::SuccessPage(QWidget* parent) : SkinnedDialog(parent)
{
    SetSkinSection(QString::fromLatin1(kSection), kBackgroundNumber);
    AddHoverButton(IDC_INSTALL_UTILITY, kInstallUtilityButton, QStringLiteral("Install Utility"));
    AddHoverButton(IDC_EXIT, kExitButton, QStringLiteral("Exit"));
    AddHoverButton(IDC_CLOSE_BUTTON, page_frame_layout::kCloseButton, QStringLiteral("Button1"));
    AddMsgButton(IDC_LOAD_SKIN_BUTTON, page_frame_layout::kLoadSkinButton, QStringLiteral("Load Skin"));
    AddHoverButton(IDC_SETUP_VARNET, kVarnetButton, QStringLiteral("Setup Varnet"))->hide();
    AddHoverButton(IDC_REGISTRATION, kRegistrationButton, QStringLiteral("Registration"))->hide();
}

bool SuccessPage::Initialise()
{
    SkinnedDialog::Initialise();
    ShowTestModeButton(IDC_LOAD_SKIN_BUTTON, QStringLiteral("Load Skin"));
    return true;
}

void SuccessPage::LoadStrings()
{
    const SkinStrings* strings = StringList();
    const auto text = [strings](int offset) { return SkinString(strings, kFirstText + offset); };
    texts_.yes = text(0);
    texts_.ok = text(1);
    texts_.playerAddress = text(2);
    texts_.playerQuestion = text(3);
    texts_.installerNotFound = text(4);
    texts_.installerInvalid = text(5);
    texts_.toolNotFound = text(6);
    texts_.toolInvalid = text(7);
    texts_.otherFailure = SkinString(strings, kOtherFailureText);
}

void SuccessPage::ApplySkin()
{
    LoadStrings();
    ApplyPageButtonSkins({
        {IDC_INSTALL_UTILITY, "Install Utility"},
        {IDC_EXIT, "Exit"},
        {IDC_CLOSE_BUTTON, "Close"},
        {IDC_SETUP_VARNET, "Setup Varnet"},
        {IDC_REGISTRATION, "Registration"},
    });
}

bool SuccessPage::OnCommand(int id)
{
    switch (id) {
    case IDC_INSTALL_UTILITY:
        InstallUtility(MakePageLaunchContext(this, texts_));
        return true;
    case IDC_EXIT:
    case IDC_CLOSE_BUTTON:
        OnCloseCommand();
        return true;
    case IDC_LOAD_SKIN_BUTTON:
        OnLoadSkinCommand();
        return true;
    case IDC_SETUP_VARNET:
        LaunchVarnetTool(MakePageLaunchContext(this, texts_));
        OnCloseCommand();
        return true;
    case IDC_REGISTRATION:
        ShellOpen(QString::fromLatin1(kRegistrationAddress));
        return true;
    default:
        return false;
    }
}

void SuccessPage::ShowAllMessages()
{
    LoadStrings();
    const LaunchTexts& t = texts_;
    ShowMessage(kMessageQuestion, t.playerQuestion, t.yes, t.ok);
    for (const QString* text : {&t.installerNotFound, &t.installerInvalid, &t.toolNotFound, &t.toolInvalid})
        ShowMessage(kMessageError, *text, t.ok);
}
