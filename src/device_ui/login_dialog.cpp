#include "device_ui/login_dialog.h"

#include "device/core/login_check.h"
#include "device_ui/search_layout.h"
#include "platform/canvas.h"
#include "skin/bitmap_button.h"
#include "skin/button_skin.h"
#include "skin/core/message_kind.h"
#include "skin/return_key.h"
#include "skin/show_message.h"
#include "skin/skin_draw.h"
#include "skin/window_accessible.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

LoginDialog::LoginDialog(QWidget* parent)
    : WizardDialog(parent), name_(new QLineEdit(this)), password_(new QLineEdit(this)),
      ok_(new BitmapButton(this)), cancel_(new BitmapButton(this))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(search_layout::kLoginSize);
    name_->setGeometry(search_layout::kLoginName);
    password_->setGeometry(search_layout::kLoginPassword);
    password_->setEchoMode(QLineEdit::Password);
    ok_->setGeometry(search_layout::kLoginOk);
    cancel_->setGeometry(search_layout::kLoginCancel);
    // Enter presses the focused button, and OK from the edits; no button takes it on its own.
    for (BitmapButton* button : {ok_, cancel_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // Tab goes through the controls as they are read: the edits, then Cancel, then OK.
    setTabOrder(password_, cancel_);
    setTabOrder(cancel_, ok_);
    RegisterControl(IDC_LOGIN_NAME, name_);
    RegisterControl(IDC_LOGIN_PASSWORD, password_);
    RegisterControl(IDC_LOGIN_OK, ok_);
    RegisterControl(IDC_LOGIN_CANCEL, cancel_);
    CentreOver(parent);
    window_accessible::Install();
}

void LoginDialog::SetExpectedLogin(std::u16string name, std::u16string password)
{
    expectedName_ = std::move(name);
    expectedPassword_ = std::move(password);
}

void LoginDialog::SetFailureTexts(const QString& message, const QString& button)
{
    failureMessage_ = message;
    failureButton_ = button;
}

void LoginDialog::SetSkin(const SkinStrings* strings, const SkinBitmaps* bitmaps, const SkinIcons* icons)
{
    strings_ = strings;
    bitmaps_ = bitmaps;
    icons_ = icons;
}

bool LoginDialog::Initialise()
{
    const LoginLimits limits = LoginLimitsFor(answeredCommand_);
    name_->setMaxLength(limits.nameChars);
    password_->setMaxLength(limits.passwordChars);
    DrawSurface();
    const QString section = QString::fromLatin1(kSection);
    ApplyButtonSkin(strings_, bitmaps_, section, QStringLiteral("OK"), *ok_);
    ApplyButtonSkin(strings_, bitmaps_, section, QStringLiteral("Cancel"), *cancel_);
    name_->setFocus(Qt::OtherFocusReason);
    return true;
}

void LoginDialog::DrawSurface()
{
    surface_ = CreateCanvasBitmap(height(), width(), 24, devicePixelRatioF());
    if (surface_.isNull())
        return;
    surface_.fill(Qt::white);
    QPainter painter(&surface_);
    DrawSkinBitmap(bitmaps_, kBackgroundNumber, painter);
    DrawSkinTexts(strings_, QString::fromLatin1(kSection), painter);
    DrawCameraLine(painter);
    PaintedTextsChanged();
}

namespace {
constexpr QPoint kCameraLineAt{24, 52};
constexpr int kCameraLinePixels = 11;
constexpr int kCameraLineMargin = 24;
const QColor kCameraLineColor{107, 112, 128};

QFont CameraLineFont()
{
    return CreateFontFromDesc(FontDesc{-kCameraLinePixels, 0, 400, u"DejaVu Sans"});
}
} // namespace

QString LoginDialog::CameraLine() const
{
    const QString named = SkinString(strings_, kTextNamedCamera);
    if (cameraName_.isEmpty() || !named.contains(QStringLiteral("%1")))
        return SkinString(strings_, kTextAnyCamera);
    const QFontMetrics metrics(CameraLineFont());
    const int room = width() - kCameraLineAt.x() - kCameraLineMargin;
    const int nameRoom = room - metrics.horizontalAdvance(QString(named).remove(QStringLiteral("%1")));
    return named.arg(metrics.elidedText(cameraName_, Qt::ElideRight, std::max(0, nameRoom)));
}

std::vector<PaintedText> LoginDialog::PaintedTexts() const
{
    std::vector<PaintedText> texts = SkinPaintedTexts(strings_, QString::fromLatin1(kSection));
    texts.push_back({CameraLine(), QRect(kCameraLineAt, MeasureText(CameraLineFont(), CameraLine()))});
    return texts;
}

void LoginDialog::DrawCameraLine(QPainter& painter) const
{
    const QFont font = CameraLineFont();
    const QRect line(kCameraLineAt,
                     QSize(width() - kCameraLineAt.x(), MeasureText(font, QString()).height()));
    DrawTextLine(painter, line, CameraLine(), font, kCameraLineColor);
}

bool LoginDialog::OnCommand(int id)
{
    switch (id) {
    case IDC_LOGIN_OK:
        CheckLogin();
        return true;
    case IDC_LOGIN_CANCEL:
        Finish(IDCANCEL);
        return true;
    default:
        return false;
    }
}

void LoginDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PressForReturn(*event, focusWidget(), ok_);
        break;
    case Qt::Key_Escape:
        Finish(IDCANCEL);
        break;
    default:
        WizardDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LoginDialog::CheckLogin()
{
    if (LoginAccepted(name_->text().toStdU16String(), password_->text().toStdU16String(), expectedName_,
                      expectedPassword_)) {
        Finish(IDOK);
        return;
    }
    // The name is usually right: the password is what gets retyped.
    ShowFailure();
    SelectAllAndFocus(password_);
}

void LoginDialog::ShowFailure()
{
    ShowSkinnedMessage(this, strings_, icons_,
                       SkinnedMessage{kMessageError, failureMessage_, failureButton_, {}, {}});
}

void LoginDialog::paintEvent(QPaintEvent*)
{
    if (surface_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
}
