#include "app/main_dialog.h"

#include "app/app_layout.h"
#include "app/page_launch_context.h"
#include "platform/core/window_messages.h"
#include "skin/core/message_kind.h"
#include "skin/hover_button_ex.h"
#include "skin/msg_button.h"
#include "skin/skin_draw.h"

CMainDialog::CMainDialog(QWidget* parent) : CBmpDialog(parent)
{
    SetSkinSection(QStringLiteral("2_Main"), 111);
    using namespace app_layout;
    AddHoverButton(IDC_START, kStartButton, QStringLiteral("Start"));
    AddHoverButton(IDC_CLOSE_BUTTON, kCloseButton, QStringLiteral("Button1"));
    AddMsgButton(IDC_LOAD_SKIN_BUTTON, kLoadSkinButton, QStringLiteral("Load Skin"));
    AddMsgButton(IDC_SHOW_ALL, kShowAllButton, QStringLiteral("All Message"));
    AddHoverButton(IDC_INSTALL_UTILITY, kInstallUtilityButton, QStringLiteral("Install Utility"))->hide();
    AddHoverButton(IDC_SETUP_VARNET, kVarnetButton, QStringLiteral("Setup Varnet"))->hide();
    AddHoverButton(IDC_USER_GUIDE, kUserGuideButton, QStringLiteral("User Guide"))->hide();
    AddHoverButton(IDC_EXIT, kExitButton, QStringLiteral("Exit"))->hide();
    AddHoverButton(IDC_LANGUAGE, kLanguageButton, QStringLiteral("Setting Language"))->hide();
}

CHoverButtonEx* CMainDialog::AddHoverButton(int id, const QRect& rect, const QString& caption)
{
    auto* button = AddControl<CHoverButtonEx>(id, rect);
    button->setText(caption);
    return button;
}

CMsgButton* CMainDialog::AddMsgButton(int id, const QRect& rect, const QString& caption)
{
    auto* button = AddControl<CMsgButton>(id, rect);
    button->SetCaption(caption);
    return button;
}

bool CMainDialog::OnInitDialog()
{
    CBmpDialog::OnInitDialog();
    auto* loadSkin = Item<CMsgButton>(IDC_LOAD_SKIN_BUTTON);
    auto* showAll = Item<CMsgButton>(IDC_SHOW_ALL);
    if (IsTestMode()) {
        loadSkin->ApplyLoadSkinStyle(QStringLiteral("Load Skin"));
        showAll->ApplyLoadSkinStyle(QStringLiteral("Show All Message"));
    }
    loadSkin->setVisible(IsTestMode());
    showAll->setVisible(IsTestMode());
    return true;
}

void CMainDialog::LoadStrings()
{
    const CStringList* strings = StringList();
    texts_.yes = SkinString(strings, 50201);
    texts_.ok = SkinString(strings, 50202);
    texts_.playerAddress = SkinString(strings, 50203);
    texts_.playerQuestion = SkinString(strings, 50204);
    texts_.installerNotFound = SkinString(strings, 50205);
    texts_.installerInvalid = SkinString(strings, 50206);
    texts_.toolNotFound = SkinString(strings, 50207);
    texts_.toolInvalid = SkinString(strings, 50208);
    texts_.guideNotFound = SkinString(strings, 50209);
    texts_.guideInvalid = SkinString(strings, 50210);
    texts_.readerQuestion = SkinString(strings, 50211);
    texts_.readerNotFound = SkinString(strings, 50212);
    texts_.readerInvalid = SkinString(strings, 50213);
    texts_.otherFailure = SkinString(strings, 59999);
}

void CMainDialog::ApplySkin()
{
    LoadStrings();
    const std::pair<int, const char*> skins[] = {
        {IDC_START, "Start"},
        {IDC_CLOSE_BUTTON, "Close"},
        {IDC_INSTALL_UTILITY, "Install Utility"},
        {IDC_SETUP_VARNET, "Setup Varnet"},
        {IDC_USER_GUIDE, "User Guide"},
        {IDC_EXIT, "Exit"},
        {IDC_LANGUAGE, "Language"},
    };
    for (const auto& [id, name] : skins) {
        if (auto* button = Item<CHoverButtonEx>(id))
            ApplyPageButtonSkin(*button, QLatin1String(name));
    }
}

LaunchContext CMainDialog::MakeLaunchContext()
{
    return MakePageLaunchContext(this, texts_);
}

bool CMainDialog::OnCommand(int id)
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
        if (CDialog* frame = NotifyWnd())
            frame->SendMessage(WM_WIZARD_SHOW_ALL_MESSAGES);
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

void CMainDialog::ShowAllMessages()
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
