#pragma once
// A walk over everything the wizard shows in one language: the wizard started in test mode
// from a scratch folder whose English.dll is the pack under test, every page it creates, every
// message its pages can show, the About box, the login dialog and both progress dialogs. Each
// is saved as a PNG named after it, the language and the screen's pixel ratio, and handed to
// the caller with the texts a user reads on it.
#include "app/about_dialog.h"
#include "app/data_folders.h"
#include "app/wizard_frame.h"
#include "demo_wizard.h"
#include "device_ui/login_dialog.h"
#include "device_ui/progress_dialog.h"
#include "pages/basic_settings_page.h"
#include "pages/tooltip_combo_box.h"
#include "platform/core/time_scale.h"
#include "platform/message_box.h"
#include "qt_test_support.h"
#include "skin/bitmap_button.h"
#include "skin/core/skin_text_items.h"
#include "skin/message_answer.h"
#include "skin/skin_draw.h"
#include "skin/skinned_message_box.h"
#include "skin/text_button.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace page_walk {

// What one page or box shows.
struct Shown
{
    QString name;      // e.g. "page_9_Basic Setting", "message_3"
    QWidget* window;   // the page or box, alive during the visit
    QImage image;      // its grab, at the screen's pixel ratio
    QStringList texts; // every text on it a user reads
};

using Visit = std::function<void(const Shown&)>;

// Captions of the developer buttons that only test mode shows; they are not translated.
inline bool TestModeOnly(const QString& text)
{
    return text == QStringLiteral("Load Skin") || text == QStringLiteral("Show All Message");
}

// The texts of `window`'s skin section and of its shown controls.
inline QStringList TextsOf(QWidget* window, const SkinStrings* strings, const QString& section)
{
    QStringList texts;
    const std::u16string name = section.toStdU16String();
    for (const SkinTextItem& item : ReadSkinTextItems(strings, name, u"TEXT").items)
        texts << QString::fromStdU16String(item.text);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->isHidden() || child->isWindow())
            continue;
        if (auto* msg = qobject_cast<TextButton*>(child))
            texts << msg->Caption();
        else if (auto* button = qobject_cast<QAbstractButton*>(child))
            texts << button->text();
        else if (auto* label = qobject_cast<QLabel*>(child))
            texts << label->text();
        else if (auto* combo = qobject_cast<QComboBox*>(child))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto* edit = qobject_cast<QLineEdit*>(child))
            texts << edit->placeholderText();
        texts << child->toolTip();
    }
    texts.removeIf([](const QString& text) { return text.isEmpty() || TestModeOnly(text); });
    return texts;
}

inline QString Suffix(const QString& language)
{
    return QStringLiteral("_%1_ratio%2.png").arg(language).arg(qApp->devicePixelRatio());
}

inline void Report(const QString& name, QWidget* window, QStringList texts, const QString& language,
                   const Visit& visit)
{
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    qt_test::SavePng(image, QString(name).replace(QLatin1Char(' '), QLatin1Char('_')) + Suffix(language));
    visit(Shown{name, window, image, texts});
}

inline void VisitPages(WizardFrame& frame, const QString& language, const Visit& visit)
{
    for (SkinnedDialog* page : frame.Pages()) {
        const bool wasVisible = page->isVisible();
        page->show();
        page->raise();
        QCoreApplication::processEvents();
        Report(QStringLiteral("page_") + page->SectionName(), page,
               TextsOf(page, page->StringList(), page->SectionName()), language, visit);
        page->setVisible(wasVisible);
    }
}

// The basic page's time-zone list, opened as a click opens it.
inline void VisitZoneList(WizardFrame& frame, const QString& language, const Visit& visit)
{
    BasicSettingsPage& page = frame.Basic();
    page.show();
    TooltipComboBox* zones = page.TimeZoneList();
    zones->SetSelectionQuietly(zones->count() - 8);
    zones->OpenList();
    QCoreApplication::processEvents();
    QStringList texts;
    for (int i = 0; i < zones->count(); ++i)
        texts << zones->itemText(i) << zones->List()->ItemTip(i);
    Report(QStringLiteral("time_zone_list"), zones->List(), texts, language, visit);
    zones->CloseList();
    page.hide();
}

inline void VisitMessages(WizardFrame& frame, MessageAnswer& answers, const QString& language,
                          const Visit& visit)
{
    answers.shown.clear();
    frame.ShowAllMessages();
    for (size_t i = 0; i < answers.shown.size(); ++i) {
        const SkinnedMessage& m = answers.shown[i];
        SkinnedMessageBox box(&frame);
        box.ReadKindSkin(frame.StringList(), frame.IconList(), m.kind);
        box.SetNearCursor(false);
        box.SetTexts(m.message, m.button1, m.button2, m.button3);
        box.Prepare();
        Report(QStringLiteral("message_%1").arg(i), &box, {m.message, m.button1, m.button2, m.button3},
               language, visit);
    }
}

// The window's right-click menu, opened as a right click on the page opens it.
inline void VisitMenu(WizardFrame& frame, const QString& language, const Visit& visit)
{
    auto* poll = new QTimer(&frame);
    QObject::connect(poll, &QTimer::timeout, poll, [&frame, poll, language, visit] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        poll->stop();
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << action->text();
        Report(QStringLiteral("context_menu"), menu, texts, language, visit);
        menu->close();
        poll->deleteLater();
    });
    poll->start(5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(300, 200), frame.mapToGlobal(QPoint(300, 200)));
    QApplication::sendEvent(&frame, &event);
}

inline void VisitDialogs(WizardFrame& frame, const QString& packPath, const QString& language,
                         const Visit& visit)
{
    const SkinStrings* strings = frame.StringList();
    AboutDialog about(&frame, strings);
    Report(QStringLiteral("about_box"), &about,
           TextsOf(&about, strings, {}) << AboutDialog::PackText(strings, AboutDialog::kTextMenuEntry),
           language, visit);

    LoginDialog login(&frame);
    login.SetSkin(strings, frame.BitmapList(), frame.IconList());
    login.SetCameraName(QStringLiteral("Front-door"));
    qt_test::WhenModal<LoginDialog>([&](LoginDialog& shown) {
        Report(QStringLiteral("login_dialog"), &shown,
               TextsOf(&shown, strings, QString::fromLatin1(LoginDialog::kSection)) << shown.CameraLine(),
               language, visit);
        shown.Finish(IDCANCEL);
    });
    login.RunModal();

    const ProgressDialog::Kind& kind = ProgressDialog::kSave;
    const QString section = QString::fromStdU16String(std::u16string(kind.section));
    ProgressDialog progress(&frame);
    progress.LoadFrames(packPath, kind, strings);
    // A save that waits for the camera's answer says so in its own strip under the animation.
    progress.SetStatusSource(
        [strings] { return SkinString(strings, 50850).arg(1).arg(4).arg(QStringLiteral("3:59")); });
    qt_test::WhenModal<ProgressDialog>([&](ProgressDialog& shown) {
        Report(QStringLiteral("progress_") + section, &shown,
               TextsOf(&shown, strings, section) << shown.StatusText(), language, visit);
        shown.Close();
    });
    progress.RunModal();
}

// Runs the wizard on the pack at `packPath` and visits everything it shows.
inline void Walk(const QString& packPath, const QString& language, const Visit& visit)
{
    qt_test::DemoFolder demo;
    ASSERT_TRUE(demo.Ready() && demo.AddPack(packPath));
    ScopedDataFolders folders({demo.Path()});
    MessageAnswer answers;
    MessageBoxAnswer plainAnswers;
    WizardFrame frame(QStringLiteral("camtivo /testmode"));
    qt_test::RunWizard(frame, [&](WizardFrame& shown) {
        VisitPages(shown, language, visit);
        VisitZoneList(shown, language, visit);
        VisitMenu(shown, language, visit);
        VisitMessages(shown, answers, language, visit);
        VisitDialogs(shown, demo.FilePath(qt_test::DemoFolder::kPackName), language, visit);
    });
}

} // namespace page_walk
