#include "device_ui/progress_dialog.h"
#include "platform/core/time_scale.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

class ProgressDlgTest : public ::testing::Test
{
protected:
    // One second of the product becomes 20 ms here.
    void SetUp() override { TimeScale::SetFactor(0.02); }
    void TearDown() override { TimeScale::SetFactor(1.0); }

    static QImage Solid(QColor color, QSize size = {200, 120})
    {
        QImage image(size, QImage::Format_RGB888);
        image.fill(color);
        return image;
    }
};

} // namespace

TEST_F(ProgressDlgTest, StaysUpIgnoringEscapeEnterAndCloseUntilTheActionEnds)
{
    ProgressDialog dialog;
    bool visibleAfterKeys = false;
    bool closeRefused = false;
    bool ended = false;
    // Escape, Enter and a window close while the action runs.
    QTimer::singleShot(30, &dialog, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Enter);
        closeRefused = !dialog.close();
    });
    QTimer::singleShot(120, &dialog, [&] {
        visibleAfterKeys = dialog.isVisible();
        ended = true;
        dialog.Close();
    });
    const int result = dialog.RunModal();
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(visibleAfterKeys);
    EXPECT_TRUE(ended); // it closed only once the action had ended, not on a key or close
    EXPECT_FALSE(dialog.TimersRunning());
}

TEST_F(ProgressDlgTest, ClosesWithoutAnyFrameLoadedAndKeepsItsOwnSize)
{
    ProgressDialog dialog;
    const QSize templateSize = dialog.size();
    QTimer::singleShot(50, &dialog, [&] { dialog.Close(); });
    EXPECT_EQ(dialog.RunModal(), IDOK);
    EXPECT_EQ(dialog.size(), templateSize);
}

TEST_F(ProgressDlgTest, TakesTheSizeOfTheFirstFrameAndLoopsThroughAllFour)
{
    ProgressDialog dialog;
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < ProgressDialog::kFrameCount; ++i)
        dialog.SetFrame(i, Solid(colors[i]));
    std::set<int> seen;
    std::vector<QRgb> painted;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, &dialog, [&] {
        seen.insert(dialog.CurrentFrame());
        painted.push_back(dialog.grab().toImage().pixel(100, 60));
        if (seen.size() == 4 && dialog.CurrentFrame() == 0)
            dialog.Close();
    });
    sampler.start(3);
    QTimer::singleShot(3000, &dialog, [&] { dialog.Close(); });
    dialog.RunModal();
    EXPECT_EQ(dialog.size(), QSize(200, 120));
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));
    std::set<QRgb> colorsPainted(painted.begin(), painted.end());
    for (const QColor& color : colors)
        EXPECT_TRUE(colorsPainted.count(color.rgb())) << color.name().toStdString();
}
