// Checks the skin text of a pack before it is built: tags nest and close, and every text and
// button item carries all its keys, since the program silently skips an incomplete item.
#include "pack_source.h"

#include <QSet>

namespace {

const QStringList kTextKeys = {QStringLiteral("text="),      QStringLiteral("position=("),
                               QStringLiteral("color=rgb("), QStringLiteral("fontsize=("),
                               QStringLiteral("fontname="),  QStringLiteral("weight="),
                               QStringLiteral("gap="),       QStringLiteral("linepitch=")};
const QStringList kButtonKeys = {QStringLiteral("image="),
                                 QStringLiteral("text="),
                                 QStringLiteral("fontname="),
                                 QStringLiteral("fontsize=("),
                                 QStringLiteral("nfontweight="),
                                 QStringLiteral("activecolor=rgb("),
                                 QStringLiteral("noactivecolor=rgb("),
                                 QStringLiteral("clickoffset=(")};

QString KeyOf(const QString& lowered, const QStringList& keys)
{
    for (const QString& key : keys)
        if (lowered.startsWith(key))
            return key;
    return {};
}

struct SkinLint
{
    PackSource& pack;
    QStringList open;   // tag names, lowered
    QSet<QString> keys; // keys of the item being read
    int itemLine = -1;
    QString buttonImage;

    void Report(int number, const QString& what)
    {
        pack.errors << QStringLiteral("skin line %1: %2").arg(number).arg(what);
    }

    bool InText() const { return !open.isEmpty() && open.back() == QStringLiteral("text"); }
    bool InButton() const { return open.size() >= 2 && open[open.size() - 2] == QStringLiteral("button"); }

    void CloseItem(const QStringList& wanted)
    {
        if (itemLine >= 0 && keys.size() != wanted.size())
            Report(itemLine, QStringLiteral("item lacks %1 of its %2 keys")
                                 .arg(wanted.size() - keys.size())
                                 .arg(wanted.size()));
        if (itemLine >= 0 && &wanted == &kButtonKeys && !buttonImage.isEmpty() &&
            !pack.bitmaps.contains(buttonImage.toInt()))
            Report(itemLine, QStringLiteral("image %1 is not a bitmap of the pack").arg(buttonImage));
        keys.clear();
        itemLine = -1;
        buttonImage.clear();
    }

    void Line(int number, const QString& line)
    {
        const QString lowered = line.toLower();
        if (lowered.startsWith(QStringLiteral("</")) && lowered.endsWith(QLatin1Char('>'))) {
            CloseTag(number, lowered.mid(2, lowered.size() - 3));
        } else if (lowered.startsWith(QLatin1Char('<')) && lowered.endsWith(QLatin1Char('>'))) {
            open.append(lowered.mid(1, lowered.size() - 2));
        } else if (InText() || InButton()) {
            Key(number, line, lowered, InText() ? kTextKeys : kButtonKeys);
        }
    }

    void Key(int number, const QString& line, const QString& lowered, const QStringList& wanted)
    {
        const QString key = KeyOf(lowered, wanted);
        if (key.isEmpty())
            return;
        if (&wanted == &kTextKeys && key == QStringLiteral("text="))
            CloseItem(wanted);
        if (itemLine < 0)
            itemLine = number;
        keys.insert(key);
        if (key == QStringLiteral("image="))
            buttonImage = line.mid(key.size()).trimmed();
    }

    void CloseTag(int number, const QString& name)
    {
        if (open.isEmpty() || open.back() != name) {
            Report(number, QStringLiteral("</%1> closes nothing open").arg(name));
            return;
        }
        if (InText())
            CloseItem(kTextKeys);
        else if (InButton())
            CloseItem(kButtonKeys);
        open.removeLast();
    }
};

} // namespace

void ValidateSkin(PackSource& pack)
{
    SkinLint lint{pack, {}, {}, -1, {}};
    for (auto it = pack.strings.begin(); it != pack.strings.end(); ++it)
        lint.Line(it.key(), it.value());
    if (!lint.open.isEmpty())
        pack.errors << QStringLiteral("skin: <%1> is never closed").arg(lint.open.back());
}
