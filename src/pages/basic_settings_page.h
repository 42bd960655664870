#pragma once
// BasicSettingsPage: the page on which the user edits the camera's name, description, time
// zone, date and time. The fields are checked in a fixed order on Next and on Back; the first
// bad one is reported and gets the focus, and nothing reaches the record until all pass.
#include "pages/core/settings_change.h"
#include "pages/setting_page.h"
#include "skin/core/message_kind.h"

#include <QString>
#include <array>

class TooltipComboBox;
class QComboBox;
class QLineEdit;

class BasicSettingsPage : public SettingPage
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 191;
    static constexpr const char* kSection = "9_Basic Setting";

    static constexpr int IDC_NAME = 1004;
    static constexpr int IDC_DESCRIPTION = 1124;
    static constexpr int IDC_TIME_ZONE = 1072;
    static constexpr int IDC_MONTH = 1031;
    static constexpr int IDC_DAY = 1033;
    static constexpr int IDC_YEAR = 1035;
    static constexpr int IDC_HOUR = 1040;
    static constexpr int IDC_MINUTE = 1043;
    static constexpr int IDC_HALF_DAY = 1073;

    // The page's language strings: 50901 is the boxes' button, 50903-50912 the checks' messages.
    static constexpr int kTextButton = 50901;
    static constexpr int kFirstText = kTextButton;
    static constexpr int kTextCount = 12;
    static constexpr int kSearchPageButton = kTextMessageOk; // the search page's, for ShowAllMessages
    static constexpr int kTextAm = 50930;                    // the half-day list's two entries
    static constexpr int kTextPm = 50931;

    explicit BasicSettingsPage(QWidget* parent = nullptr);

    void LoadFromRecord(CameraRecord* record) override;
    // Shows the ten check messages one after the other.
    void ShowAllMessages() override;
    // One of the page's strings (50901 .. 50912); empty otherwise.
    QString Text(int number) const;

    // The fields as the page holds them now.
    BasicSettings Fields() const;
    TooltipComboBox* TimeZoneList() const { return timeZone_; }
    TooltipComboBox* HalfDayList() const { return halfDay_; }

protected:
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    void FillTimeZoneList();
    void NameHalfDays();
    // Checks every field; on a failure shows its message, focuses the field and answers false.
    bool ValidateAll();
    void SaveToRecord();
    QLineEdit* EditOf(SettingsField field) const;

    std::array<QString, kTextCount> texts_;
    QLineEdit* name_;
    QLineEdit* description_;
    TooltipComboBox* timeZone_;
    QLineEdit* month_;
    QLineEdit* day_;
    QLineEdit* year_;
    QLineEdit* hour_;
    QLineEdit* minute_;
    TooltipComboBox* halfDay_;
};
