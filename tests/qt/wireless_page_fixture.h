#pragma once
// A wizard page of the wireless, licence or information group on a recording frame, skinned
// from the built English pack, with every message box answered at once.
#include "app/language_pack.h"
#include "device/core/camera_data.h"
#include "platform/core/window_messages.h"
#include "qt_test_support.h"
#include "skin/bmp_dialog.h"
#include "skin/message_answer.h"

#include <QFile>
#include <memory>

namespace wireless_test {

using namespace qt_test;

class PageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(EnglishPackPath())) << "English pack not built";
        ASSERT_EQ(LoadLanguagePack(EnglishPackPath(), strings, bitmaps, icons), 0);
        frame.resize(CBmpDialog::kCanvasWidth, CBmpDialog::kCanvasHeight);
    }

    template <class Page> Page& Create(bool testMode = false)
    {
        auto page = std::make_unique<Page>();
        page->SetTestMode(testMode);
        page->SetLists(&strings, &bitmaps, &icons);
        page->SetNotifyWnd(&frame);
        page->SetDragWnd(&frame, WM_WIZARD_DRAG);
        Page& created = *page;
        page_ = std::move(page);
        created.CreateChild(&frame);
        created.show();
        frame.show();
        return created;
    }

    // The messages the page sent or posted to the frame since the last call.
    std::vector<Posted> Take()
    {
        QCoreApplication::processEvents();
        return std::exchange(frame.received, {});
    }

    CStringList strings;
    CBmpList bitmaps;
    CIconList icons;
    RecordingFrame frame;
    CMessageAnswer answers;
    CCameraDataObj camera;

private:
    std::unique_ptr<CBmpDialog> page_;
};

} // namespace wireless_test
