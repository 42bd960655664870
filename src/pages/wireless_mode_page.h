#pragma once
// WirelessModePage: wired or wireless connection. The page starts with neither choice checked
// and is never filled from the record; Next and Back store the choice (wireless unless wired is
// checked) before stepping.
#include "pages/setting_page.h"

class QRadioButton;

class WirelessModePage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 221;
    static constexpr const char* kSection = "12_Wireless1 Setting";

    static constexpr int IDC_WIRED = 1133;
    static constexpr int IDC_WIRELESS = 1134;

    explicit WirelessModePage(QWidget* parent = nullptr);

protected:
    bool OnCommand(int id) override;

private:
    void SaveToRecord();

    QRadioButton* wireless_;
    QRadioButton* wired_;
};
