#pragma once
// SearchPage: the wizard page that lists the cameras as a search finds them, each by its name
// over its address, sorted by name, shows the selected camera's details, opens its web page on a
// double-click and logs in to it before the wizard goes on. The page does not talk to cameras:
// Search asks the frame to search (Stop, while one runs, to end it), and the frame hands over
// each camera as it is listed. Rows that arrive together go into the list together, and never
// move the selection, the focus or the first row in view. A status strip under the list says
// how the search goes; a screen reader hears it at most once a second, and its end at once.
#include "device/core/camera_record.h"
#include "platform/core/owned_list.h"
#include "skin/core/message_kind.h"
#include "skin/skinned_dialog.h"

#include <QHash>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <vector>

class BitmapButton;
class SearchStatusStrip;
class TextButton;
class ValueField;
class QTreeWidget;
class QTreeWidgetItem;

class SearchPage : public SkinnedDialog
{
    Q_OBJECT

public:
    static constexpr int kBackgroundNumber = 171;
    static constexpr const char* kSection = "8_Search";

    static constexpr int IDC_CAMERA_TREE = 1013;
    static constexpr int IDC_SEARCH = 1049;
    static constexpr int IDC_CAMERA_NAME = 1051;
    static constexpr int IDC_IP_ADDRESS = 1116;
    static constexpr int IDC_SUBNET_MASK = 1020;
    static constexpr int IDC_GATEWAY = 1019;
    static constexpr int IDC_DATE = 1021;
    static constexpr int IDC_TIME = 1022;
    static constexpr int IDC_FIRMWARE = 1130;
    static constexpr int IDC_MAC_ADDRESS = 1129;
    static constexpr int IDC_SSID = 1131;
    static constexpr int IDC_CHANNEL = 1132;
    static constexpr int IDC_SECURITY = 1061;

    // The page's language strings; several are shared with the frame and the summary page.
    static constexpr int kTextButton = kTextMessageOk; // caption of the boxes' button
    static constexpr int kTextSecondButton = 50802;    // second caption of the save question
    static constexpr int kTextNoBrowser = 50803;       // no web browser registered
    static constexpr int kTextNoCamera = 50804;        // a search found no camera
    static constexpr int kTextSocketOther = 50805;     // socket error, any other code
    static constexpr int kTextSocket10060 = 50806;     // socket error 10060
    static constexpr int kTextSocket10064 = 50807;     // socket error 10064
    static constexpr int kTextSocket10065 = 50808;     // socket error 10065
    static constexpr int kTextSocket11001 = 50809;     // socket error 11001
    static constexpr int kTextLoginFailed = 50810;     // wrong login name or password
    static constexpr int kFirstText = kTextButton;
    static constexpr int kTextCount = 10;
    static constexpr int kTextSearchingCount = 52513; // "Searching for cameras... %1 found"
    static constexpr int kTextOtherNetwork = 52514;   // "%1 (other network)": an address outside
    // Rows that arrive within one paint go in together; a burst is taken this many at a time.
    static constexpr int kRowBatchMs = 16;
    static constexpr int kRowBatchLimit = 500;
    static constexpr int kReaderCountMs = 1000;

    using CameraList = OwnedList<CameraRecord>;

    explicit SearchPage(QWidget* parent = nullptr);
    ~SearchPage() override;

    // Tells whether a camera's address lies outside every network of this computer.
    void SetOutsideCheck(std::function<bool(const CameraRecord&)> check) { outside_ = std::move(check); }
    // A camera was listed, or a listed camera changed. The record stays valid until
    // ForgetCameraList; the page only reads it and clears loginRequired on login.
    void CameraListed(const CameraRecord* camera);
    // Drops every pointer into the camera list (rows, details, current camera). Called before the
    // list is emptied, so nothing on the page can reach a deleted record in between.
    void ForgetCameraList();
    // The camera whose details are shown, or nullptr.
    CameraRecord* CurrentCamera() const { return current_; }

    // Texts of the security kinds: none, WEP 64-bit, WEP 128-bit, WPA.
    void SetSecurityTexts(std::vector<QString> texts) { securityTexts_ = std::move(texts); }
    // One of the page's language strings (kTextButton .. kTextLoginFailed); empty otherwise.
    QString Text(int number) const;

    // Shows every box of the page, one after the other.
    void ShowAllMessages() override;

    // The search's state, in the status strip, on the Search button (Stop while it runs) and in
    // the status line a screen reader reads out. The end takes in every row still waiting.
    void SearchStarted();
    void SearchEnded();
    bool Searching() const { return searchRunning_; }
    // While ranges are swept, the strip shows how far the sweep is instead of the count.
    void ShowSweep(const QString& text);

    QTreeWidget* Tree() const { return tree_; }
    ValueField* Field(int id) const;
    SearchStatusStrip* StatusStrip() const { return status_; }
    // The rows still waiting to go into the list.
    size_t RowsWaiting() const { return waiting_.size(); }

signals:
    // Stop was pressed while a search runs, or Next, which ends it first.
    void stopRequested();

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    void CreateFields();
    void ClearFields();
    void ShowCamera(CameraRecord* camera);
    void OnSelectionChanged();
    static CameraRecord* RecordOf(const QTreeWidgetItem* item);
    QString AddressText(const CameraRecord& camera) const;
    void FillRow(QTreeWidgetItem* item, const CameraRecord& camera) const;
    // Takes up to kRowBatchLimit waiting rows into the list.
    void TakeWaitingRows();
    void InsertSorted(std::vector<QTreeWidgetItem*> items);
    void MoveIntoOrder(QTreeWidgetItem* item);
    int SortedPlace(const QString& name) const;
    void ShowStatus();
    void TellReader();
    void SkinSearchButton();
    void OnDoubleClick();
    void OnBrowserAnswer(bool registered);
    void OnSearch();
    void OnNext();
    bool RunLogin(CameraRecord& camera);

    CameraRecord* current_ = nullptr;
    // Counts the changes of the camera list the frame announced: a record address seen
    // before a change is not trusted after it, even if a new record took the same address.
    unsigned listGeneration_ = 0;
    std::array<QString, kTextCount> texts_;
    std::vector<QString> securityTexts_;
    QTreeWidget* tree_;
    SearchStatusStrip* status_;
    std::function<bool(const CameraRecord&)> outside_;
    QHash<const CameraRecord*, QTreeWidgetItem*> rows_;
    std::vector<const CameraRecord*> waiting_; // in the order they arrived
    QTimer rowBatch_;
    QTimer readerPace_;
    bool readerBehind_ = false; // the reader has not heard the latest count
    bool searchRunning_ = false;
    QString sweepText_;
    BitmapButton* search_;
    BitmapButton* next_;
    BitmapButton* back_;
    BitmapButton* close_;
    TextButton* loadSkin_;
    std::vector<std::pair<int, ValueField*>> fields_;
};
