#pragma once
// Writes pack bitmaps as 8-bit BMP files: the art is reduced to at most 256 colours and
// stored run-length encoded when that is smaller, which keeps a pack library small.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// At most maxColors colours that stand for the image (median cut); exact when it has fewer.
QList<QRgb> MakePalette(const QImage& image, int maxColors = 256);

// The BMP file (file header, info header, colour table, bits) of an opaque image.
QByteArray EncodeBmp8(const QImage& image);

// RLE8 bits of palette indices, bottom row first, as the bitmap format stores them.
QByteArray EncodeRle8(const QList<QByteArray>& rowsBottomUp);
