#include "device_ui/search_page.h"

#include "device/core/camera_detail_text.h"
#include "device/core/login_check.h"
#include "device_ui/camera_row_delegate.h"
#include "device_ui/login_dialog.h"
#include "device_ui/search_layout.h"
#include "device_ui/search_status_strip.h"
#include "platform/core/code_page.h"
#include "platform/shell.h"
#include "skin/bitmap_button.h"
#include "skin/core/message_kind.h"
#include "skin/focus_mark.h"
#include "skin/page_frame_layout.h"
#include "skin/reading_texts.h"
#include "skin/skin_draw.h"
#include "skin/text_button.h"
#include "skin/value_field.h"

#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr int kMaxNameChars = 255;
constexpr int kRecordRole = Qt::UserRole;

// Details in rows, top to bottom, under the captions the skin draws; the hidden wireless
// rows follow the visible ones. The MAC address and the firmware tell cameras of the same
// name apart, so they are shown as badges right under the name.
struct FieldPlace
{
    int id;
    int row;
    ValueField::Kind kind;
    bool visible;
};
constexpr FieldPlace kDetailRows[] = {
    {SearchPage::IDC_CAMERA_NAME, 0, ValueField::Kind::Whole, true},
    {SearchPage::IDC_MAC_ADDRESS, 1, ValueField::Kind::Badge, true},
    {SearchPage::IDC_IP_ADDRESS, 2, ValueField::Kind::Whole, true},
    {SearchPage::IDC_SUBNET_MASK, 3, ValueField::Kind::Whole, true},
    {SearchPage::IDC_GATEWAY, 4, ValueField::Kind::Whole, true},
    {SearchPage::IDC_FIRMWARE, 5, ValueField::Kind::Badge, true},
    {SearchPage::IDC_DATE, 6, ValueField::Kind::Whole, true},
    {SearchPage::IDC_TIME, 7, ValueField::Kind::Whole, true},
    {SearchPage::IDC_SSID, 8, ValueField::Kind::Elide, false},
    {SearchPage::IDC_CHANNEL, 9, ValueField::Kind::Whole, false},
    {SearchPage::IDC_SECURITY, 10, ValueField::Kind::Elide, false},
};

QString NameOf(const CameraRecord& camera)
{
    return QString::fromStdU16String(ToWide(camera.info.Get(DeviceInfo::cameraName))).left(kMaxNameChars);
}

// The order the user reads names in; equal names keep the order they arrived in.
bool NameBefore(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

SearchPage::SearchPage(QWidget* parent)
    : SkinnedDialog(parent), tree_(new QTreeWidget(this)), status_(new SearchStatusStrip(this)),
      search_(new BitmapButton(this)), next_(new BitmapButton(this)), back_(new BitmapButton(this)),
      close_(new BitmapButton(this)), loadSkin_(new TextButton(this))
{
    SetSkinSection(QString::fromLatin1(kSection), kBackgroundNumber);
    tree_->setGeometry(search_layout::kTree);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->setColumnCount(1);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setUniformRowHeights(true);
    tree_->setItemDelegate(new CameraRowDelegate(tree_));
    status_->setGeometry(search_layout::kStatusStrip);
    rowBatch_.setSingleShot(true);
    connect(&rowBatch_, &QTimer::timeout, this, &SearchPage::TakeWaitingRows);
    readerPace_.setSingleShot(true);
    connect(&readerPace_, &QTimer::timeout, this, [this] {
        if (readerBehind_)
            TellReader();
    });
    // The selected row keeps an accent highlight, paler while the list has no focus; a frame
    // in the accent marks the list when the keyboard brought the focus to it.
    tree_->setStyleSheet(
        QStringLiteral("QTreeWidget { background: white; color: #2B2F3A; border: 1px solid #E3E6EF;"
                       " font: 13px 'DejaVu Sans'; outline: 0; }"
                       "QTreeWidget[keyboardFocus=\"true\"]:focus { border: 2px solid #647AD0; }"
                       "QTreeWidget::item { padding: 4px 2px; }"
                       "QTreeWidget::item:selected:active { background: #4A5FB0; color: white; }"
                       "QTreeWidget::item:selected:!active { background: #C5CEF1; color: #2B2F3A; }"));
    focus_mark::TrackKeyboardFocus(tree_);
    search_->setGeometry(search_layout::kSearchButton);
    next_->setGeometry(page_frame_layout::kNextButton);
    back_->setGeometry(page_frame_layout::kBackButton);
    back_->hide();
    close_->setGeometry(page_frame_layout::kCloseButton);
    loadSkin_->setGeometry(page_frame_layout::kLoadSkinButton);
    RegisterControl(IDC_CAMERA_TREE, tree_);
    RegisterControl(IDC_SEARCH, search_);
    RegisterControl(IDC_NEXT, next_);
    RegisterControl(IDC_BACK, back_);
    RegisterControl(IDC_CLOSE, close_);
    RegisterControl(IDC_LOAD_SKIN, loadSkin_);
    CreateFields();
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &SearchPage::OnSelectionChanged);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &SearchPage::OnDoubleClick);
}

SearchPage::~SearchPage() = default;

void SearchPage::CreateFields()
{
    for (const FieldPlace& place : kDetailRows) {
        auto* field = new ValueField(this, search_layout::DetailValue(place.row), place.kind);
        field->setVisible(place.visible);
        fields_.emplace_back(place.id, field);
        RegisterControl(place.id, field);
    }
}

ValueField* SearchPage::Field(int id) const
{
    for (const auto& [fieldId, label] : fields_) {
        if (fieldId == id)
            return label;
    }
    return nullptr;
}

bool SearchPage::Initialise()
{
    SkinnedDialog::Initialise();
    loadSkin_->ApplyLoadSkinStyle(QStringLiteral("Load Skin"));
    loadSkin_->setVisible(IsTestMode());
    ClearFields();
    return true;
}

void SearchPage::LoadStrings()
{
    for (int i = 0; i < kTextCount; ++i)
        GetSkinString(StringList(), kFirstText + i, texts_[static_cast<size_t>(i)]);
}

void SearchPage::ApplySkin()
{
    LoadStrings();
    ApplyPageButtonSkin(*close_, QStringLiteral("Close"));
    ApplyPageButtonSkin(*back_, QStringLiteral("Back"));
    ApplyPageButtonSkin(*next_, QStringLiteral("Next"));
    SkinSearchButton();
    status_->LoadArt(BitmapList());
    ShowStatus();
}

// While a search runs the button stops it, and says so.
void SearchPage::SkinSearchButton()
{
    ApplyPageButtonSkin(*search_, searchRunning_ ? QStringLiteral("Stop") : QStringLiteral("Search"));
}

QString SearchPage::Text(int number) const
{
    if (number < kFirstText || number >= kFirstText + kTextCount)
        return {};
    return texts_[static_cast<size_t>(number - kFirstText)];
}

void SearchPage::ClearFields()
{
    for (const auto& [id, field] : fields_)
        field->SetValue({});
}

void SearchPage::SearchStarted()
{
    searchRunning_ = true;
    sweepText_.clear();
    SkinSearchButton();
    status_->SetAnimating(true);
    ShowStatus();
    TellReader();
}

void SearchPage::SearchEnded()
{
    rowBatch_.stop();
    while (!waiting_.empty())
        TakeWaitingRows();
    searchRunning_ = false;
    sweepText_.clear();
    SkinSearchButton();
    status_->SetAnimating(false);
    ShowStatus();
    readerPace_.stop();
    TellReader();
}

void SearchPage::ShowSweep(const QString& text)
{
    sweepText_ = text;
    ShowStatus();
}

// "Searching for cameras... 3 found" while a search runs, then "3 cameras found"; the count is
// of the rows in the list.
void SearchPage::ShowStatus()
{
    const int count = tree_->topLevelItemCount();
    // A pack without the text shows none rather than a pattern.
    const auto counted = [this, count](int number) {
        const QString pattern = SkinString(StringList(), number);
        return pattern.isEmpty() ? pattern : pattern.arg(count);
    };
    QString line;
    if (searchRunning_)
        line = !sweepText_.isEmpty() ? sweepText_ : counted(kTextSearchingCount);
    else if (count > 1)
        line = counted(kTextReadFoundMany);
    else
        line = SkinString(StringList(), count == 1 ? kTextReadFoundOne : kTextReadFoundNone);
    status_->SetText(line);
    readerBehind_ = line != StatusLine();
    if (readerBehind_ && !readerPace_.isActive())
        TellReader();
}

// The reader hears the strip's line, and then nothing more for a second.
void SearchPage::TellReader()
{
    SetStatusLine(this, status_->Text());
    readerBehind_ = false;
    readerPace_.start(kReaderCountMs);
}

void SearchPage::ForgetCameraList()
{
    ++listGeneration_;
    current_ = nullptr;
    rows_.clear();
    waiting_.clear();
    rowBatch_.stop();
    {
        const QSignalBlocker quiet(tree_);
        tree_->clear();
    }
    ClearFields();
}

void SearchPage::CameraListed(const CameraRecord* camera)
{
    waiting_.push_back(camera);
    if (!rowBatch_.isActive())
        rowBatch_.start(kRowBatchMs);
}

CameraRecord* SearchPage::RecordOf(const QTreeWidgetItem* item)
{
    return item != nullptr ? reinterpret_cast<CameraRecord*>(item->data(0, kRecordRole).value<quintptr>())
                           : nullptr;
}

QString SearchPage::AddressText(const CameraRecord& camera) const
{
    const QString address = QString::fromStdU16String(camera_text::DetailsOf(camera).ip);
    const QString outside =
        outside_ && outside_(camera) ? SkinString(StringList(), kTextOtherNetwork) : QString();
    return outside.isEmpty() ? address : outside.arg(address);
}

void SearchPage::FillRow(QTreeWidgetItem* item, const CameraRecord& camera) const
{
    const QString name = NameOf(camera);
    const QString address = AddressText(camera);
    item->setText(0, name);
    item->setData(0, CameraRowDelegate::kAddressRole, address);
    item->setData(0, Qt::AccessibleTextRole, name + QStringLiteral(", ") + address);
}

void SearchPage::TakeWaitingRows()
{
    const size_t count = std::min<size_t>(waiting_.size(), kRowBatchLimit);
    std::vector<QTreeWidgetItem*> added;
    for (size_t i = 0; i < count; ++i) {
        const CameraRecord* camera = waiting_[i];
        if (QTreeWidgetItem* known = rows_.value(camera)) {
            FillRow(known, *camera);
            MoveIntoOrder(known);
            if (camera == current_)
                ShowCamera(current_);
            continue;
        }
        auto* item = new QTreeWidgetItem;
        item->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(camera)));
        FillRow(item, *camera);
        rows_.insert(camera, item);
        added.push_back(item);
    }
    waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(count));
    std::stable_sort(added.begin(), added.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return NameBefore(a->text(0), b->text(0));
    });
    // The first camera to arrive (the first by name of those arriving together) is shown only
    // when none is selected yet.
    QTreeWidgetItem* first = added.empty() || tree_->currentItem() != nullptr ? nullptr : added.front();
    InsertSorted(std::move(added));
    if (first != nullptr)
        tree_->setCurrentItem(first);
    ShowStatus();
    if (!waiting_.empty())
        rowBatch_.start(0);
}

// The place after every row whose name sorts before or equal to `name`.
int SearchPage::SortedPlace(const QString& name) const
{
    int low = 0;
    int high = tree_->topLevelItemCount();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (NameBefore(name, tree_->topLevelItem(middle)->text(0)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// New rows, sorted by name, go in one insert for each run of them that shares a place, while the
// first row in view stays where it is.
void SearchPage::InsertSorted(std::vector<QTreeWidgetItem*> items)
{
    if (items.empty())
        return;
    QTreeWidgetItem* topInView = tree_->itemAt(0, 0);
    const QSignalBlocker quiet(tree_);
    std::vector<std::pair<int, QList<QTreeWidgetItem*>>> runs;
    for (QTreeWidgetItem* item : items) {
        const int place = SortedPlace(item->text(0));
        if (runs.empty() || runs.back().first != place)
            runs.push_back({place, {}});
        runs.back().second.append(item);
    }
    for (auto run = runs.rbegin(); run != runs.rend(); ++run)
        tree_->insertTopLevelItems(run->first, run->second);
    if (topInView != nullptr)
        tree_->scrollToItem(topInView, QAbstractItemView::PositionAtTop);
}

// A camera that took another name moves to its place; it stays selected and current if it was.
void SearchPage::MoveIntoOrder(QTreeWidgetItem* item)
{
    const int at = tree_->indexOfTopLevelItem(item);
    if (at < 0)
        return; // new in this batch: it goes in at its place with the others
    const QString name = item->text(0);
    const bool afterPrevious = at == 0 || !NameBefore(name, tree_->topLevelItem(at - 1)->text(0));
    const bool beforeNext =
        at + 1 >= tree_->topLevelItemCount() || !NameBefore(tree_->topLevelItem(at + 1)->text(0), name);
    if (afterPrevious && beforeNext)
        return;
    const bool wasCurrent = tree_->currentItem() == item;
    const QSignalBlocker quiet(tree_);
    tree_->takeTopLevelItem(at);
    tree_->insertTopLevelItem(SortedPlace(name), item);
    if (wasCurrent)
        tree_->setCurrentItem(item);
}

void SearchPage::ShowCamera(CameraRecord* camera)
{
    current_ = camera;
    if (current_ == nullptr) {
        ClearFields();
        return;
    }
    const camera_text::CameraDetails details = camera_text::DetailsOf(*current_);
    const std::pair<int, const std::u16string*> texts[] = {
        {IDC_FIRMWARE, &details.firmware}, {IDC_MAC_ADDRESS, &details.mac}, {IDC_CAMERA_NAME, &details.name},
        {IDC_SUBNET_MASK, &details.mask},  {IDC_GATEWAY, &details.gateway}, {IDC_SSID, &details.ssid},
        {IDC_CHANNEL, &details.channel},   {IDC_DATE, &details.date},       {IDC_TIME, &details.time},
    };
    for (const auto& [id, text] : texts)
        Field(id)->SetValue(QString::fromStdU16String(*text));
    Field(IDC_IP_ADDRESS)->SetValue(AddressText(*current_));
    const auto security = static_cast<size_t>(details.securityIndex);
    Field(IDC_SECURITY)->SetValue(security < securityTexts_.size() ? securityTexts_[security] : QString());
}

void SearchPage::OnSelectionChanged()
{
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (!selected.isEmpty()) {
        ShowCamera(RecordOf(selected.front()));
        return;
    }
    // A click on the list's empty space takes no camera away: the shown one stays highlighted,
    // so the details and Next keep to the camera the user sees marked.
    if (QTreeWidgetItem* shown = rows_.value(current_)) {
        const QSignalBlocker quiet(tree_);
        shown->setSelected(true);
    } else {
        current_ = nullptr;
        ClearFields();
    }
}

// The browser look-up runs a helper program: it answers later, so the window never freezes.
void SearchPage::OnDoubleClick()
{
    QueryWebBrowser(this, [this](bool registered) { OnBrowserAnswer(registered); });
}

void SearchPage::OnBrowserAnswer(bool registered)
{
    if (!registered) {
        ShowMessage(kMessageError, Text(kTextNoBrowser), Text(kTextButton));
        return;
    }
    if (current_ != nullptr)
        OpenWithWebBrowser(QString::fromStdString(camera_text::WebAddressOf(*current_)));
}

bool SearchPage::OnCommand(int id)
{
    switch (id) {
    case IDC_SEARCH:
        OnSearch();
        return true;
    case IDC_NEXT:
        OnNext();
        return true;
    default:
        return SkinnedDialog::OnCommand(id);
    }
}

void SearchPage::OnSearch()
{
    if (searchRunning_)
        emit stopRequested();
    else
        emit searchRequested();
}

// Next ends a running search first: the camera chosen is the one logged in to.
void SearchPage::OnNext()
{
    if (searchRunning_ && current_ != nullptr)
        emit stopRequested();
    CameraRecord* camera = current_;
    if (camera == nullptr)
        return;
    if (camera->loginRequired != 0 && !RunLogin(*camera))
        return;
    NotifyNext();
}

bool SearchPage::RunLogin(CameraRecord& camera)
{
    const unsigned generation = listGeneration_;
    const ExpectedLogin expected = ExpectedLoginOf(camera);
    LoginDialog login(this);
    login.SetExpectedLogin(expected.name, expected.password);
    login.SetAnsweredCommand(camera.AnsweredCommand());
    login.SetFailureTexts(Text(kTextLoginFailed), Text(kTextButton));
    login.SetSkin(StringList(), BitmapList(), IconList());
    login.SetCameraName(QString::fromStdU16String(camera_text::DetailsOf(camera).name));
    if (login.RunModal() != IDOK)
        return false;
    // Timers keep running inside the dialog's loop; if the frame replaced the list meanwhile,
    // `camera` may be gone, and the user chooses again from the new list.
    if (generation != listGeneration_)
        return false;
    camera.loginRequired = 0;
    return true;
}

void SearchPage::ShowAllMessages()
{
    const QString button = Text(kTextButton);
    ShowMessage(kMessageError, Text(kTextNoBrowser), button);
    ShowMessage(kMessageNotice, Text(kTextNoCamera), button);
    for (int number = kTextSocketOther; number <= kTextSocket11001; ++number)
        ShowMessage(kMessageError, Text(number), button);
    ShowMessage(kMessageError, Text(kTextLoginFailed), button);
}
