#pragma once
// MainPage: the first page of the wizard. Start moves on to the search page and Close ends
// the program; in test mode two more buttons reload the language pack and show every message
// of the wizard. The template's launcher buttons (utility installer, dynamic-DNS tool, user
// guide, exit, language) are created hidden; their commands still work.
#include "app/launcher.h"
#include "skin/skinned_dialog.h"

class MainPage : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr int IDC_START = 1002;
    static constexpr int IDC_INSTALL_UTILITY = 1003;
    static constexpr int IDC_LOAD_SKIN_BUTTON = IDC_LOAD_SKIN_MAIN;
    static constexpr int IDC_LANGUAGE = 1005;
    static constexpr int IDC_SETUP_VARNET = 1006;
    static constexpr int IDC_USER_GUIDE = 1007;
    static constexpr int IDC_EXIT = 1008;
    static constexpr int IDC_SHOW_ALL = 1009;
    static constexpr int IDC_CLOSE_BUTTON = 1014;

    // The page's language strings, the launcher's captions and messages.
    static constexpr int kTextYes = 50201;
    static constexpr int kTextOk = 50202;
    static constexpr int kTextPlayerAddress = 50203;
    static constexpr int kTextPlayerQuestion = 50204;
    static constexpr int kTextInstallerNotFound = 50205;
    static constexpr int kTextInstallerInvalid = 50206;
    static constexpr int kTextToolNotFound = 50207;
    static constexpr int kTextToolInvalid = 50208;
    static constexpr int kTextGuideNotFound = 50209;
    static constexpr int kTextGuideInvalid = 50210;
    static constexpr int kTextReaderQuestion = 50211;
    static constexpr int kTextReaderNotFound = 50212;
    static constexpr int kTextReaderInvalid = 50213;
    static constexpr int kTextOtherFailure = 59999; // shared with the frame

    explicit MainPage(QWidget* parent = nullptr);

    // Shows every message of the page one after another.
    void ShowAllMessages() override;

    // Everything the launcher needs, with this page's texts and message box.
    LaunchContext MakeLaunchContext();

    // The texts fetched at the last skin application.
    const LaunchTexts& Texts() const { return texts_; }

    // Start is the page's step button: Return presses it, and it has the focus on arrival.
    QAbstractButton* DefaultButton() const override;

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    LaunchTexts texts_;
};
