#include "pack_compare.h"

#include <QRegularExpression>
#include <QSet>

namespace {

// A pack's strings split into its skin sections (by name, each a list of lines in number
// order) and the numbered strings outside any section.
struct SplitPack
{
    QMap<QString, QStringList> sections;
    QMap<int, QString> loose;
};

SplitPack Split(const QMap<int, QString>& strings)
{
    static const QRegularExpression openTag(QStringLiteral("^<([^/<>][^<>]*)>$"));
    SplitPack split;
    QString open;
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        const QString& line = it.value();
        if (open.isEmpty()) {
            const QRegularExpressionMatch match = openTag.match(line);
            if (!match.hasMatch()) {
                split.loose.insert(it.key(), line);
                continue;
            }
            open = match.captured(1);
        }
        split.sections[open].append(line);
        if (line.compare(QStringLiteral("</%1>").arg(open), Qt::CaseInsensitive) == 0)
            open.clear();
    }
    return split;
}

bool IsTag(const QString& line)
{
    return line.startsWith(QLatin1Char('<')) && line.endsWith(QLatin1Char('>'));
}

// A line of a list block (time zones, security kinds): all of it is text.
bool IsListItem(const QString& line)
{
    return !IsTag(line) && !line.contains(QLatin1Char('='));
}

// What a translation keeps: a tag line whole, of a "key=value" line the key; list items are
// all text.
QString ShapeOf(const QString& line)
{
    if (IsTag(line))
        return line;
    if (IsListItem(line))
        return QStringLiteral("(list item)");
    return line.left(line.indexOf(QLatin1Char('=')) + 1);
}

template <class Key>
void ReportOnlyIn(const QList<Key>& a, const QList<Key>& b, const QString& what, const QString& aName,
                  QStringList& report)
{
    const QSet<Key> inB(b.begin(), b.end());
    for (const Key& key : a)
        if (!inB.contains(key))
            report << QStringLiteral("only in %1: %2 %3").arg(aName, what).arg(key);
}

template <class Key>
void ReportBothWays(const QList<Key>& a, const QList<Key>& b, const QString& what, const PackContents& pa,
                    const PackContents& pb, QStringList& report)
{
    ReportOnlyIn(a, b, what, pa.name, report);
    ReportOnlyIn(b, a, what, pb.name, report);
}

void CompareShapes(const QString& section, const QStringList& a, const QStringList& b, const PackContents& pa,
                   const PackContents& pb, QStringList& report)
{
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString shapeA = i < a.size() ? ShapeOf(a[i]) : QStringLiteral("(end)");
        const QString shapeB = i < b.size() ? ShapeOf(b[i]) : QStringLiteral("(end)");
        if (shapeA != shapeB) {
            report << QStringLiteral("section %1, line %2: \"%3\" in %4, \"%5\" in %6")
                          .arg(section)
                          .arg(i + 1)
                          .arg(shapeA, pa.name, shapeB, pb.name);
            return;
        }
    }
}

bool IsText(const QString& line)
{
    return (line.startsWith(QStringLiteral("text="), Qt::CaseInsensitive) && line.size() > 5) ||
           IsListItem(line);
}

} // namespace

QStringList ComparePacks(const PackContents& a, const PackContents& b)
{
    const SplitPack sa = Split(a.strings);
    const SplitPack sb = Split(b.strings);
    QStringList report;
    ReportBothWays(sa.sections.keys(), sb.sections.keys(), QStringLiteral("section"), a, b, report);
    for (auto it = sa.sections.begin(); it != sa.sections.end(); ++it)
        if (sb.sections.contains(it.key()))
            CompareShapes(it.key(), it.value(), sb.sections[it.key()], a, b, report);
    ReportBothWays(sa.loose.keys(), sb.loose.keys(), QStringLiteral("string"), a, b, report);
    ReportBothWays(a.bitmaps, b.bitmaps, QStringLiteral("bitmap"), a, b, report);
    ReportBothWays(a.icons, b.icons, QStringLiteral("icon"), a, b, report);
    return report;
}

QStringList SameTexts(const PackContents& a, const PackContents& b)
{
    const SplitPack sa = Split(a.strings);
    const SplitPack sb = Split(b.strings);
    QStringList same;
    for (auto it = sa.loose.begin(); it != sa.loose.end(); ++it)
        if (!it.value().contains(QLatin1Char('=')) && sb.loose.value(it.key()) == it.value())
            same << QStringLiteral("string %1: %2").arg(it.key()).arg(it.value());
    for (auto it = sa.sections.begin(); it != sa.sections.end(); ++it) {
        const QStringList other = sb.sections.value(it.key());
        for (qsizetype i = 0; i < std::min(it.value().size(), other.size()); ++i)
            if (IsText(it.value()[i]) && it.value()[i] == other[i])
                same << QStringLiteral("section %1, line %2: %3").arg(it.key()).arg(i + 1).arg(it.value()[i]);
    }
    return same;
}
