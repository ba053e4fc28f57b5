#include "shell/scalable_picture.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon ScalablePicture(const QString& name)
{
    QIcon picture;
    const QPixmap bitmap(name);
    picture.addPixmap(bitmap);
    QSvgRenderer shapes(name + QStringLiteral(".svg"));
    if (bitmap.isNull() || !shapes.isValid())
        return picture;
    for (const int scale : {2, 3, 4}) {
        QImage image(bitmap.size() * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        shapes.render(&painter);
        painter.end();
        QPixmap scaled = QPixmap::fromImage(image);
        scaled.setDevicePixelRatio(scale);
        picture.addPixmap(scaled);
    }
    return picture;
}
