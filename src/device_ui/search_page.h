#pragma once
// SearchPage: the wizard page that lists the cameras a search found, by name, shows the
// selected camera's details, opens its web page on a double-click and logs in to it before
// the wizard goes on. The page does not talk to cameras: Search asks the frame to run the
// search, and the frame refreshes the page from its camera list while the search runs.
#include "device/core/camera_record.h"
#include "platform/core/owned_list.h"
#include "skin/core/message_kind.h"
#include "skin/skinned_dialog.h"

#include <QString>
#include <array>
#include <vector>

class BitmapButton;
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

    // Each tree item carries the numbers of its images in the page's image list: image 0
    // drawn normally, image 1 while selected.
    static constexpr int kImageRole = Qt::UserRole + 1;
    static constexpr int kSelectedImageRole = Qt::UserRole + 2;

    using CameraList = OwnedList<CameraRecord>;

    explicit SearchPage(QWidget* parent = nullptr);
    ~SearchPage() override;

    // The frame's camera list; the page only reads it and clears loginRequired on login.
    void SetCameraList(CameraList* cameras) { cameras_ = cameras; }
    // Rebuilds the tree from the camera list and highlights the first camera by name, whose
    // details it shows. The frame calls it whenever it has replaced or refilled the list.
    void RefreshFromCameraList();
    // Drops every pointer into the camera list (tree, details, current camera). The frame
    // calls it before it empties or replaces the list, so nothing on the page can reach a
    // deleted record in between.
    void ForgetCameraList();
    // The camera whose details are shown, or nullptr.
    CameraRecord* CurrentCamera() const { return current_; }

    // Texts of the security kinds: none, WEP 64-bit, WEP 128-bit, WPA.
    void SetSecurityTexts(std::vector<QString> texts) { securityTexts_ = std::move(texts); }
    // One of the page's language strings (kTextButton .. kTextLoginFailed); empty otherwise.
    QString Text(int number) const;

    // Shows every box of the page, one after the other.
    void ShowAllMessages() override;

    // The page's status line, which a screen reader reads out: a search is running, and what
    // the last one found (the number of cameras the page lists).
    void SearchStarted();
    void SearchEnded();

    QTreeWidget* Tree() const { return tree_; }
    ValueField* Field(int id) const;

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void ApplySkin() override;
    void LoadStrings() override;

private:
    void CreateFields();
    void ClearFields();
    void ShowCamera(qulonglong index);
    void OnSelectionChanged();
    // The tree's item of a camera of the list, or nullptr.
    QTreeWidgetItem* ItemOf(const CameraRecord* camera) const;
    void OnDoubleClick();
    void OnBrowserAnswer(bool registered);
    void OnSearch();
    void OnNext();
    bool RunLogin(CameraRecord& camera);

    CameraList* cameras_ = nullptr;
    CameraRecord* current_ = nullptr;
    // Counts the changes of the camera list the frame announced: a record address seen
    // before a change is not trusted after it, even if a new record took the same address.
    unsigned listGeneration_ = 0;
    std::array<QString, kTextCount> texts_;
    std::vector<QString> securityTexts_;
    QTreeWidget* tree_;
    BitmapButton* search_;
    BitmapButton* next_;
    BitmapButton* back_;
    BitmapButton* close_;
    TextButton* loadSkin_;
    std::vector<std::pair<int, ValueField*>> fields_;
};
