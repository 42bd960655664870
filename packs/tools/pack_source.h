#pragma once
// The readable sources of a language pack and the resource script made from them.
//
// strings*.txt: "<number> <text>" per line; "\n" in a text is a line feed, "\\" a backslash;
//   blank lines and lines starting with "#" are ignored. UTF-8, or Windows-1252 when the file
//   is not valid UTF-8.
// *.skin: every line is one line of the skin text and gets the next free number, from 1 in
//   file-name order; "@<number>" sets the next number; blank and "#" lines are ignored.
// Bitmaps and icons are named "<number>_<name>.bmp" / ".ico".
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct PackSource
{
    QMap<int, QString> strings; // number -> text
    QMap<int, QString> bitmaps; // number -> file
    QMap<int, QString> icons;   // number -> file
    QStringList errors;
};

QString UnescapeText(const QString& text);
QString RcEscape(const QString& text);

void ReadStringsFile(const QString& path, PackSource& pack);
void ReadSkinFiles(const QStringList& paths, PackSource& pack);
void AddArtFiles(const QStringList& paths, QMap<int, QString>& into, QStringList& errors);

// Checks what the resource compiler lets through: numbers in range, files that really are
// bitmaps and icons, skin items with every key.
void ValidatePack(PackSource& pack);

// The skin part of ValidatePack: tags nest and close, items carry every key.
void ValidateSkin(PackSource& pack);

QByteArray WriteResourceScript(const PackSource& pack);
