// The licence page's text: reading a License.rtf of a few hostile shapes, filling the page's
// text area and laying it all out, as showing and scrolling the page would. Every shape is
// 4 MB, the most the page reads, but the typical licence.
#include "bench_qt_app.h"
#include "pages/rtf_text_document.h"
#include "pages/wireless_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr size_t kFileBytes = 4 * 1024 * 1024;

std::string Repeated(const std::string& piece)
{
    std::string rtf = "{\\rtf1 ";
    while (rtf.size() + piece.size() < kFileBytes)
        rtf += piece;
    return rtf + "}";
}

std::string Shape(int shape)
{
    switch (shape) {
    case 0: {
        QFile demo(QStringLiteral(CAMTIVO_BUILD_DIR "/src/app/License.rtf"));
        return demo.open(QIODevice::ReadOnly) ? demo.readAll().toStdString() : std::string();
    }
    case 1:
        return Repeated("\\b x\\b0 y"); // a style switch at every letter
    case 2:
        return Repeated("\\par "); // empty paragraphs
    case 3:
        return Repeated("a line of licence text\\par ");
    default:
        return Repeated("word "); // one paragraph of plain text
    }
}

void BM_LicensePage(benchmark::State& state)
{
    BenchApplication();
    const std::string rtf = Shape(static_cast<int>(state.range(0)));
    QTextEdit text;
    text.setGeometry(wireless_layout::kLicenseText);
    text.show();
    QApplication::processEvents();
    for (auto _ : state) {
        FillTextDocument(ReadRtf(rtf), *text.document(), QStringLiteral("The rest is left out."));
        // Up to the last block: everything is laid out, as scrolling to the end would.
        benchmark::DoNotOptimize(
            text.document()->documentLayout()->blockBoundingRect(text.document()->lastBlock()));
    }
    state.counters["blocks"] = text.document()->blockCount();
    state.counters["lines"] = text.document()->lastBlock().layout()->lineCount() +
                              text.document()->firstBlock().layout()->lineCount();
}

} // namespace

// 0 the demo licence, 1 runs, 2 paragraphs, 3 lines, 4 plain text.
BENCHMARK(BM_LicensePage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
