#include "pages/basic_settings_page.h"

#include "device/core/camera_record.h"
#include "pages/core/skin_list_block.h"
#include "pages/page_controls.h"
#include "pages/page_layout.h"
#include "pages/tooltip_combo_box.h"
#include "skin/core/message_kind.h"
#include "skin/skin_draw.h"

#include "skin/reading_texts.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kDigitWidth = 44;
constexpr int kYearWidth = 60;
constexpr int kSeparatorWidth = 16;
constexpr int kHalfDayWidth = 68;
constexpr int kZoneListRows = 12;

QString FromU16(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

std::u16string ToU16(const QLineEdit* edit)
{
    return edit->text().toStdU16String();
}

} // namespace

BasicSettingsPage::BasicSettingsPage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent)
{
    using namespace page_layout;
    name_ = MakeTextEdit(this, FullRow(0), static_cast<int>(kCameraNameChars));
    description_ = MakeTextEdit(this, FullRow(1), static_cast<int>(kDescriptionChars));
    // Named before anything else: a reader's view of a control is made once, when first asked for.
    timeZone_ = new TooltipComboBox(this);
    NameForReader(timeZone_, kTextReadTimeZone);
    timeZone_->setGeometry(FullRow(2));
    timeZone_->SetDroppedSize(FullRow(2).width(), kControlHeight * (kZoneListRows + 1));
    int x = 0;
    month_ = MakeDigitEdit(this, RowRect(3, x, kDigitWidth), 2, false);
    MakeSeparator(this, RowRect(3, x += kDigitWidth, kSeparatorWidth), QStringLiteral("/"));
    day_ = MakeDigitEdit(this, RowRect(3, x += kSeparatorWidth, kDigitWidth), 2, false);
    MakeSeparator(this, RowRect(3, x += kDigitWidth, kSeparatorWidth), QStringLiteral("/"));
    year_ = MakeDigitEdit(this, RowRect(3, x + kSeparatorWidth, kYearWidth), 4, false);
    hour_ = MakeDigitEdit(this, RowRect(4, 0, kDigitWidth), 2, false);
    MakeSeparator(this, RowRect(4, kDigitWidth, kSeparatorWidth), QStringLiteral(":"));
    minute_ = MakeDigitEdit(this, RowRect(4, kDigitWidth + kSeparatorWidth, kDigitWidth), 2, false);
    // The parts of the date and the time read as one row of figures: all centred alike.
    for (QLineEdit* part : {month_, day_, year_, hour_, minute_})
        part->setAlignment(Qt::AlignCenter);
    halfDay_ = new TooltipComboBox(this);
    NameForReader(halfDay_, kTextReadHalfDay);
    halfDay_->setGeometry(RowRect(4, 2 * kDigitWidth + 2 * kSeparatorWidth, kHalfDayWidth));
    halfDay_->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
    halfDay_->SetDroppedSize(kHalfDayWidth, kControlHeight * (halfDay_->count() + 1));
    const std::pair<int, QWidget*> controls[] = {
        {IDC_NAME, name_},
        {IDC_DESCRIPTION, description_},
        {IDC_TIME_ZONE, timeZone_},
        {IDC_MONTH, month_},
        {IDC_DAY, day_},
        {IDC_YEAR, year_},
        {IDC_HOUR, hour_},
        {IDC_MINUTE, minute_},
        {IDC_HALF_DAY, halfDay_},
    };
    for (const auto& [id, control] : controls)
        RegisterControl(id, control);
}

void BasicSettingsPage::LoadStrings()
{
    for (int i = 0; i < kTextCount; ++i)
        GetSkinString(StringList(), kFirstText + i, texts_[static_cast<size_t>(i)]);
}

QString BasicSettingsPage::Text(int number) const
{
    if (number < kFirstText || number >= kFirstText + kTextCount)
        return {};
    return texts_[static_cast<size_t>(number - kFirstText)];
}

void BasicSettingsPage::ApplySkin()
{
    LoadStrings();
    SettingPage::ApplySkin();
    FillTimeZoneList();
    NameHalfDays();
}

void BasicSettingsPage::NameHalfDays()
{
    const int numbers[] = {kTextAm, kTextPm};
    for (int i = 0; i < halfDay_->count(); ++i) {
        QString name;
        if (GetSkinString(StringList(), numbers[i], name) && !name.isEmpty())
            halfDay_->setItemText(i, name);
    }
}

void BasicSettingsPage::FillTimeZoneList()
{
    const SkinListBlock zones = ReadTimeZoneBlock(StringList());
    if (!zones.found)
        return;
    const int selected = timeZone_->currentIndex();
    timeZone_->clear();
    for (const std::u16string& zone : zones.lines) {
        timeZone_->addItem(FromU16(zone));
        timeZone_->SetItemTip(timeZone_->count() - 1, FromU16(zone));
    }
    // A reload keeps the zone the user sees whenever the new list still has that index.
    timeZone_->SetSelectionQuietly(selected < timeZone_->count() ? selected : -1);
}

void BasicSettingsPage::LoadFromRecord(CameraRecord* record)
{
    SettingPage::LoadFromRecord(record);
    if (record == nullptr)
        return;
    const BasicSettings s = ReadBasicSettings(record->info);
    name_->setText(FromU16(s.name));
    description_->setText(FromU16(s.description));
    timeZone_->SetSelectionQuietly(s.timeZone < timeZone_->count() ? s.timeZone : -1);
    month_->setText(FromU16(s.month));
    day_->setText(FromU16(s.day));
    year_->setText(FromU16(s.year));
    hour_->setText(FromU16(s.hour));
    minute_->setText(FromU16(s.minute));
    halfDay_->setCurrentIndex(s.pm ? 1 : 0);
}

BasicSettings BasicSettingsPage::Fields() const
{
    BasicSettings s;
    s.name = ToU16(name_);
    s.description = ToU16(description_);
    s.timeZone = timeZone_->currentIndex();
    s.month = ToU16(month_);
    s.day = ToU16(day_);
    s.year = ToU16(year_);
    s.hour = ToU16(hour_);
    s.minute = ToU16(minute_);
    s.pm = halfDay_->currentIndex() == 1;
    return s;
}

QLineEdit* BasicSettingsPage::EditOf(SettingsField field) const
{
    switch (field) {
    case SettingsField::Month:
        return month_;
    case SettingsField::Day:
        return day_;
    case SettingsField::Year:
        return year_;
    case SettingsField::Hour:
        return hour_;
    case SettingsField::Minute:
        return minute_;
    case SettingsField::Name:
        return name_;
    case SettingsField::Description:
        return description_;
    default:
        break;
    }
    return nullptr;
}

bool BasicSettingsPage::ValidateAll()
{
    const SettingsCheck check = BasicChangeOf(Fields()).Check();
    if (check.Passed())
        return true;
    ShowMessage(kMessageError, Text(check.message), Text(kTextButton));
    SelectAllAndFocus(EditOf(check.field));
    return false;
}

void BasicSettingsPage::SaveToRecord()
{
    SaveChange(BasicChangeOf(Fields()));
}

bool BasicSettingsPage::OnCommand(int id)
{
    if (id != IDC_NEXT && id != IDC_BACK)
        return SettingPage::OnCommand(id);
    if (!ValidateAll())
        return true;
    SaveToRecord();
    if (id == IDC_NEXT)
        NotifyNext();
    else
        NotifyBack();
    return true;
}

void BasicSettingsPage::ShowAllMessages()
{
    LoadStrings();
    const QString button = SkinString(StringList(), kSearchPageButton);
    for (int number = kMsgMonthRange; number <= kMsgDescription; ++number)
        ShowMessage(kMessageError, Text(number), button);
}
