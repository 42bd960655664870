#pragma once
// NetworkModePage: the page on which the user chooses how the camera gets its address:
// a fixed address (entered on the next page) or one from a DHCP server. The choice decides
// whether the wizard shows the IP settings page.
#include "pages/setting_page.h"

class QRadioButton;

class NetworkModePage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 201;
    static constexpr const char* kSection = "10_Network Setting";

    static constexpr int IDC_FIXED = 1060;
    static constexpr int IDC_DHCP = 1058;

    explicit NetworkModePage(QWidget* parent = nullptr);

    void LoadFromRecord(CameraRecord* record) override;

protected:
    bool OnCommand(int id) override;

private:
    void SaveToRecord();

    QRadioButton* fixed_;
    QRadioButton* dhcp_;
};
