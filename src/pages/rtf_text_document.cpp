#include "pages/rtf_text_document.h"

#include <QString>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextCharFormat RunFormat(const RtfStyle& style)
{
    QTextCharFormat format;
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    return format;
}

} // namespace

void FillTextDocument(const RtfDocument& rtf, QTextDocument& document, const QString& leftOutNote)
{
    document.clear();
    // Nobody undoes a licence; an undo step per run would only cost memory.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (size_t p = 0; p < rtf.paragraphs.size(); ++p) {
        if (p > 0)
            cursor.insertBlock();
        for (const RtfRun& run : rtf.paragraphs[p].runs)
            cursor.insertText(QString::fromStdU16String(run.text), RunFormat(run.style));
    }
    if (rtf.status == RtfStatus::TooLong) {
        cursor.insertBlock();
        cursor.insertText(leftOutNote, RunFormat({.bold = true}));
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}
