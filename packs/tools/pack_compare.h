#pragma once
// Comparing two built language packs, for translators: every string number, bitmap, icon and
// skin section that one pack has and the other lacks, and skin sections whose lines differ in
// their keys (a translation changes texts, never the shape of a section).
#include <QMap>
#include <QString>
#include <QStringList>

struct PackContents
{
    QString name;               // shown in the report, e.g. "English.dll"
    QMap<int, QString> strings; // number -> text
    QList<int> bitmaps;
    QList<int> icons;
};

// One line per difference; empty when the packs match.
QStringList ComparePacks(const PackContents& a, const PackContents& b);

// Texts that are the same in both packs and so probably untranslated: message strings outside
// the skin sections, the text of text and button items and the items of list blocks. Style
// lines (fonts, colours, positions) are meant to be the same and are not listed.
QStringList SameTexts(const PackContents& a, const PackContents& b);
