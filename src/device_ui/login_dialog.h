#pragma once
// LoginDialog: asks for the camera's login name and password before its settings may be
// changed. The check is local: the typed texts are compared with the login the camera gave in
// its discovery reply. A wrong login shows the failure box and leaves the dialog open for
// another try, with the password selected for retyping. Escape cancels, as Cancel does; Enter
// presses the focused button, and OK from the edits. The dialog sits centred over the wizard
// window.
#include "platform/wizard_dialog.h"
#include "skin/pack_lists.h"
#include "skin/readable_window.h"

#include <QImage>
#include <QString>
#include <string>

class BitmapButton;
class QLineEdit;
class QPainter;

class LoginDialog : public WizardDialog, public ReadableWindow
{
    Q_OBJECT

public:
    static constexpr int IDC_LOGIN_NAME = 1099;
    static constexpr int IDC_LOGIN_PASSWORD = 1054;
    static constexpr int IDC_LOGIN_OK = 1071;
    static constexpr int IDC_LOGIN_CANCEL = 1073;
    static constexpr int kBackgroundNumber = 181;
    static constexpr const char* kSection = "Search_Password";
    static constexpr int kTextNamedCamera = 50816; // "%1" is the camera's name
    static constexpr int kTextAnyCamera = 50817;

    explicit LoginDialog(QWidget* parent = nullptr);

    void SetExpectedLogin(std::u16string name, std::u16string password);
    // The query command the camera answered; it fixes how long the login may be.
    void SetAnsweredCommand(uint16_t command) { answeredCommand_ = command; }
    // The failure box's message and the caption of its button.
    void SetFailureTexts(const QString& message, const QString& button);
    // The name of the camera to log in to, shown under the title ("" shows the general line).
    void SetCameraName(const QString& name) { cameraName_ = name; }
    // The line under the title: the camera named in the pack's text, its name cut short with
    // "..." when the line would not fit the dialog.
    QString CameraLine() const;
    // The current skin; the lists stay their owner's.
    void SetSkin(const SkinStrings* strings, const SkinBitmaps* bitmaps, const SkinIcons* icons);

    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* PasswordEdit() const { return password_; }
    BitmapButton* OkButton() const { return ok_; }
    BitmapButton* CancelButton() const { return cancel_; }
    const QImage& Surface() const { return surface_; }

    // The title, the line under it and the edits' captions, for a screen reader.
    std::vector<PaintedText> PaintedTexts() const override;
    const SkinStrings* ReadingStrings() const override { return strings_; }

protected:
    bool Initialise() override;
    bool OnCommand(int id) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Escape and a close request are a Cancel.
    void reject() override { Finish(IDCANCEL); }

private:
    void DrawSurface();
    void DrawCameraLine(QPainter& painter) const;
    void CheckLogin();
    void ShowFailure();

    QLineEdit* name_;
    QLineEdit* password_;
    BitmapButton* ok_;
    BitmapButton* cancel_;
    std::u16string expectedName_;
    std::u16string expectedPassword_;
    QString cameraName_;
    uint16_t answeredCommand_ = 0;
    QString failureMessage_;
    QString failureButton_;
    const SkinStrings* strings_ = nullptr;
    const SkinBitmaps* bitmaps_ = nullptr;
    const SkinIcons* icons_ = nullptr;
    QImage surface_;
};
