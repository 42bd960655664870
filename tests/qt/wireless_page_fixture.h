#pragma once
// A wizard page of the wireless, licence or information group on a recording frame, skinned
// from the built English pack, with every message box answered at once.
#include "app/language_pack.h"
#include "device/core/camera_record.h"
#include "qt_test_support.h"
#include "skin/message_answer.h"
#include "skin/skinned_dialog.h"

#include <QFile>
#include <memory>

namespace wireless_test {

using namespace qt_test;

class PageTest : public testing::Test, protected PageHost
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(EnglishPackPath())) << "English pack not built";
        ASSERT_TRUE(LoadEnglish());
    }

    template <class Page> Page& Create(bool testMode = false)
    {
        auto page = std::make_unique<Page>();
        page->SetTestMode(testMode);
        Page& created = *page;
        page_ = std::move(page);
        Host(created);
        return created;
    }

    MessageAnswer answers;
    CameraRecord camera;

private:
    std::unique_ptr<SkinnedDialog> page_;
};

} // namespace wireless_test
