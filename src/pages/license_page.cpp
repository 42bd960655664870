#include "pages/license_page.h"

#include "pages/rtf_text_document.h"
#include "pages/wireless_layout.h"
#include "platform/core/rtf_reader.h"
#include "skin/skin_draw.h"

#include <QFile>
#include <QTextEdit>

namespace {

// A licence file is a few kilobytes; anything past this is not read.
constexpr qint64 kMaxLicenseBytes = 4 * 1024 * 1024;

} // namespace

LicensePage::LicensePage(QWidget* parent)
    : SettingPage(QString::fromLatin1(kSection), kBackgroundNumber, parent)
{
    auto* text = AddControl<QTextEdit>(IDC_LICENSE_TEXT, wireless_layout::kLicenseText);
    text->setReadOnly(true);
    text->setAcceptRichText(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setStyleSheet(
        QStringLiteral("QTextEdit { background: white; color: #2B2F3A; border: 1px solid #E3E6EF;"
                       " font-family: 'DejaVu Sans'; font-size: 12px; }"));
}

QTextEdit* LicensePage::LicenseText() const
{
    return Item<QTextEdit>(IDC_LICENSE_TEXT);
}

void LicensePage::ApplySkin()
{
    SettingPage::ApplySkin();
    LoadLicenseText();
}

void LicensePage::LoadLicenseText()
{
    QFile file((licenseFolder_.isEmpty() ? ProgramDir() : licenseFolder_) + QLatin1String(kLicenseFile));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(kMaxLicenseBytes);
        QString leftOut;
        GetSkinString(StringList(), kTextLeftOut, leftOut);
        FillTextDocument(ReadRtf(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))),
                         *LicenseText()->document(), leftOut);
    }
    LicenseText()->setFocus();
}
