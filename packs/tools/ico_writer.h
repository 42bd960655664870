#pragma once
// Writes an icon file holding several sizes of one picture as 32-bit images with alpha and
// the 1-bit transparency mask that older readers use.
#include <QByteArray>
#include <QImage>
#include <QList>

QByteArray EncodeIco(const QList<QImage>& sizes);
