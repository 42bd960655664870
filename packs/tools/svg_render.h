#pragma once
// Renders pack art from SVG at the size the SVG declares.
#include <QImage>
#include <QString>

// The SVG with only the animation frame `frame` shown: elements marked display="frames:0,2"
// are shown in frames 0 and 2 and hidden in the others. frame < 0 keeps the source as it is.
QByteArray SelectFrame(const QByteArray& svg, int frame);

// The size the SVG declares; an invalid size when it does not parse.
QSize DeclaredSize(const QByteArray& svg);

// Renders onto an opaque white canvas (bitmaps) or a transparent one (icons); a null image
// when the SVG does not parse. size overrides the declared size when valid.
QImage RenderSvg(const QByteArray& svg, bool opaque, QSize size = {});
