#include "app/about_dialog.h"

#include "app/app_layout.h"
#include "camtivo_version.h"
#include "skin/program_look.h"
#include "skin/skin_draw.h"
#include "skin/text_button.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kIconSize = 32;
constexpr int kNamePixels = 15;
constexpr int kFrameSize = 2;
const QColor kAccent = program_look::kAccent;

// OK as the wizard's primary buttons draw it: white on the accent, darker under the mouse.
MsgButtonStyle PrimaryButtonStyle()
{
    MsgButtonStyle style;
    style.fillColor = MakeColorRef(74, 95, 176);
    style.frameColor = MakeColorRef(74, 95, 176);
    style.frameSize = 0;
    style.textColor = MakeColorRef(255, 255, 255);
    style.hoverTextColor = MakeColorRef(221, 227, 247);
    style.font = FontDesc{-13, 0, 700, u"DejaVu Sans"};
    return style;
}

QString EnglishText(int number)
{
    switch (number) {
    case AboutDialog::kTextMenuEntry:
        return QStringLiteral("&About Camtivo...");
    case AboutDialog::kTextTitle:
        return QStringLiteral("About Camtivo");
    case AboutDialog::kTextVersion:
        return QStringLiteral("Camtivo version %1");
    case AboutDialog::kTextLine:
        return QStringLiteral("Network camera setup wizard");
    case AboutDialog::kTextOk:
        return QStringLiteral("OK");
    default:
        return {};
    }
}

} // namespace

QString AboutDialog::PackText(const SkinStrings* strings, int number)
{
    QString text;
    return GetSkinString(strings, number, text) && !text.isEmpty() ? text : EnglishText(number);
}

namespace {

// The program icon drawn `scale` times its 32 pixel size.
QPixmap DrawProgramIcon(int scale)
{
    QPixmap pixmap(kIconSize * scale, kIconSize * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawRoundedRect(QRectF(2, 8, 28, 18), 4, 4); // camera body
    painter.drawRect(QRectF(8, 5, 8, 4));                // viewfinder
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(16, 17), 6, 6); // lens ring
    painter.setBrush(kAccent);
    painter.drawEllipse(QPointF(16, 17), 3, 3);
    painter.end();
    return pixmap;
}

} // namespace

QIcon ProgramIcon()
{
    // Both sizes, so that a screen of high pixel density draws the icon sharp.
    QIcon icon;
    for (int scale : {1, 2})
        icon.addPixmap(DrawProgramIcon(scale));
    return icon;
}

AboutDialog::AboutDialog(QWidget* parent, const SkinStrings* strings) : WizardDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(PackText(strings, kTextTitle));
    setFixedSize(app_layout::kAboutSize);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    icon->setGeometry(app_layout::kAboutIcon);
    auto* name = new QLabel(PackText(strings, kTextVersion).arg(QLatin1String(kCamtivoVersion)), this);
    QFont bold = name->font();
    bold.setPixelSize(kNamePixels);
    bold.setBold(true);
    name->setFont(bold);
    name->setGeometry(app_layout::kAboutName);
    auto* line = new QLabel(PackText(strings, kTextLine), this);
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    line->setGeometry(app_layout::kAboutLine);
    // A reader names the box by its title and says what it holds as soon as it opens.
    setAccessibleDescription(name->text() + QLatin1Char('\n') + line->text());
    icon->setAccessibleName(QStringLiteral("Camtivo"));
    auto* ok = AddControl<TextButton>(IDC_ABOUT_OK, app_layout::kAboutOk);
    ok->SetStyle(PrimaryButtonStyle());
    ok->SetCaption(PackText(strings, kTextOk));
    ok->setDefault(true);
    ok->setFocus(Qt::OtherFocusReason);
    CentreOver(parent);
}

void AboutDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), program_look::kAccent);
    painter.fillRect(rect().adjusted(kFrameSize, kFrameSize, -kFrameSize, -kFrameSize), Qt::white);
}

bool AboutDialog::OnCommand(int id)
{
    if (id != IDC_ABOUT_OK)
        return false;
    Finish(IDOK);
    return true;
}
