#include "app/about_dialog.h"

#include "app/app_layout.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {
constexpr int kIconSize = 32;
const QColor kAccent(100, 122, 208);
} // namespace

QIcon ProgramIcon()
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawRoundedRect(QRectF(2, 8, 28, 18), 4, 4); // camera body
    painter.drawRect(QRectF(8, 5, 8, 4));                // viewfinder
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(16, 17), 6, 6); // lens ring
    painter.setBrush(kAccent);
    painter.drawEllipse(QPointF(16, 17), 3, 3);
    return QIcon(pixmap);
}

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QStringLiteral("About Camtivo"));
    setFixedSize(app_layout::kAboutSize);
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("Camtivo Version 1.0"), this), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Network camera setup wizard"), this), 1, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    layout->addWidget(ok, 2, 1, Qt::AlignRight);
    RegisterControl(IDC_ABOUT_OK, ok);
}

bool CAboutDlg::OnCommand(int id)
{
    if (id != IDC_ABOUT_OK)
        return false;
    EndDialog(IDOK);
    return true;
}
