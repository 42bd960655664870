#include "pages/rtf_text_document.h"

#include <QTextCursor>
#include <QTextDocument>

void FillTextDocument(const RtfDocument& rtf, QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    for (size_t p = 0; p < rtf.paragraphs.size(); ++p) {
        if (p > 0)
            cursor.insertBlock();
        for (const RtfRun& run : rtf.paragraphs[p].runs) {
            QTextCharFormat format;
            format.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.style.italic);
            format.setFontUnderline(run.style.underline);
            cursor.insertText(QString::fromStdU16String(run.text), format);
        }
    }
}
