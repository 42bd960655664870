#include "svg_render.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

QByteArray SelectFrame(const QByteArray& svg, int frame)
{
    if (frame < 0)
        return svg;
    static const QRegularExpression marker(QStringLiteral("display=\"frames:([0-9,]*)\""));
    QString text = QString::fromUtf8(svg);
    QString out;
    qsizetype last = 0;
    for (auto it = marker.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool shown = m.captured(1).split(QLatin1Char(',')).contains(QString::number(frame));
        out += text.mid(last, m.capturedStart() - last);
        out += shown ? QStringLiteral("display=\"inline\"") : QStringLiteral("display=\"none\"");
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out.toUtf8();
}

QSize DeclaredSize(const QByteArray& svg)
{
    QSvgRenderer renderer(svg);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QImage RenderSvg(const QByteArray& svg, bool opaque, QSize size)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    if (!size.isValid())
        size = renderer.defaultSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
}
