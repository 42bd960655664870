#include "device_ui/search_page.h"

#include "device/core/camera_detail_text.h"
#include "device/core/login_check.h"
#include "device_ui/login_dialog.h"
#include "device_ui/search_layout.h"
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

#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr int kMaxNameChars = 255;
constexpr int kIndexRole = Qt::UserRole;

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

struct NamedIndex
{
    QString name;
    qulonglong index;
};

// The cameras' names with their places in the list, sorted as the user reads names; equal
// names keep the list's order.
std::vector<NamedIndex> SortedByName(const SearchPage::CameraList& cameras)
{
    std::vector<NamedIndex> entries;
    entries.reserve(cameras.GetCount());
    qulonglong index = 0;
    for (const CameraRecord* camera : cameras) {
        const QString name =
            QString::fromStdU16String(ToWide(camera->info.Get(DeviceInfo::cameraName))).left(kMaxNameChars);
        entries.push_back({name, index++});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const NamedIndex& a, const NamedIndex& b) {
        return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

} // namespace

SearchPage::SearchPage(QWidget* parent)
    : SkinnedDialog(parent), tree_(new QTreeWidget(this)), search_(new BitmapButton(this)),
      next_(new BitmapButton(this)), back_(new BitmapButton(this)), close_(new BitmapButton(this)),
      loadSkin_(new TextButton(this))
{
    SetSkinSection(QString::fromLatin1(kSection), kBackgroundNumber);
    tree_->setGeometry(search_layout::kTree);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->setColumnCount(1);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
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
    ApplyPageButtonSkin(*search_, QStringLiteral("Search"));
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
    SetStatusLine(this, SkinString(StringList(), kTextReadSearching));
}

void SearchPage::SearchEnded()
{
    const int count = tree_->topLevelItemCount();
    if (count > 1)
        SetStatusLine(this, SkinString(StringList(), kTextReadFoundMany).arg(count));
    else
        SetStatusLine(this, SkinString(StringList(), count == 1 ? kTextReadFoundOne : kTextReadFoundNone));
}

void SearchPage::ForgetCameraList()
{
    ++listGeneration_;
    current_ = nullptr;
    const QSignalBlocker quiet(tree_);
    tree_->clear();
    ClearFields();
}

void SearchPage::RefreshFromCameraList()
{
    ForgetCameraList();
    if (cameras_ == nullptr)
        return;
    QList<QTreeWidgetItem*> items;
    for (const NamedIndex& entry : SortedByName(*cameras_)) {
        auto* item = new QTreeWidgetItem(QStringList{entry.name});
        item->setData(0, kIndexRole, entry.index);
        item->setData(0, kImageRole, 0);
        item->setData(0, kSelectedImageRole, 1);
        items.append(item);
    }
    {
        const QSignalBlocker quiet(tree_);
        tree_->addTopLevelItems(items);
    }
    // The first camera is highlighted, and its details shown, until the user picks another.
    if (QTreeWidgetItem* first = tree_->topLevelItem(0))
        tree_->setCurrentItem(first);
    tree_->setFocus(Qt::OtherFocusReason);
}

void SearchPage::ShowCamera(qulonglong index)
{
    current_ = cameras_ != nullptr ? cameras_->GetAt(static_cast<size_t>(index)) : nullptr;
    if (current_ == nullptr) {
        ClearFields();
        return;
    }
    const camera_text::CameraDetails details = camera_text::DetailsOf(*current_);
    const std::pair<int, const std::u16string*> texts[] = {
        {IDC_FIRMWARE, &details.firmware}, {IDC_MAC_ADDRESS, &details.mac},  {IDC_CAMERA_NAME, &details.name},
        {IDC_IP_ADDRESS, &details.ip},     {IDC_SUBNET_MASK, &details.mask}, {IDC_GATEWAY, &details.gateway},
        {IDC_SSID, &details.ssid},         {IDC_CHANNEL, &details.channel},  {IDC_DATE, &details.date},
        {IDC_TIME, &details.time},
    };
    for (const auto& [id, text] : texts)
        Field(id)->SetValue(QString::fromStdU16String(*text));
    const auto security = static_cast<size_t>(details.securityIndex);
    Field(IDC_SECURITY)->SetValue(security < securityTexts_.size() ? securityTexts_[security] : QString());
}

QTreeWidgetItem* SearchPage::ItemOf(const CameraRecord* camera) const
{
    for (int i = 0; camera != nullptr && cameras_ != nullptr && i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree_->topLevelItem(i);
        if (cameras_->GetAt(static_cast<size_t>(item->data(0, kIndexRole).toULongLong())) == camera)
            return item;
    }
    return nullptr;
}

void SearchPage::OnSelectionChanged()
{
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (!selected.isEmpty()) {
        ShowCamera(selected.front()->data(0, kIndexRole).toULongLong());
        return;
    }
    // A click on the list's empty space takes no camera away: the shown one stays highlighted,
    // so the details and Next keep to the camera the user sees marked.
    if (QTreeWidgetItem* shown = ItemOf(current_)) {
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
    ForgetCameraList();
    emit searchRequested();
}

void SearchPage::OnNext()
{
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
