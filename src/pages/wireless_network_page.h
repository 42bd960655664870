#pragma once
// WirelessNetworkPage: the wireless network's name (SSID, up to 32 characters) and radio channel
// (1 to 11). The page starts empty, is never filled from the record and checks nothing; Next
// and Back store both fields (no channel chosen stores 0) before stepping.
#include "pages/setting_page.h"

class QComboBox;
class QLineEdit;

class WirelessNetworkPage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 231;
    static constexpr const char* kSection = "13_Wireless2 Setting";

    static constexpr int IDC_SSID = 1106;
    static constexpr int IDC_CHANNEL = 1110;

    explicit WirelessNetworkPage(QWidget* parent = nullptr);

protected:
    bool OnCommand(int id) override;

private:
    void SaveToRecord();

    QLineEdit* ssid_;
    QComboBox* channel_;
};
