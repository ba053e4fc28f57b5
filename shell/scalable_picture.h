#pragma once

#include <QIcon>
#include <QString>

// One of the program's pictures for every screen: the drawn bitmap at its own size, where it is
// sharpest, and the same picture rendered from its shapes (an SVG file) at two, three and four
// times that size for high-density screens. name is the bitmap's resource, e.g. ":/toolbar/new";
// the shapes are name + ".svg". Without the shapes the bitmap serves every scale.
QIcon ScalablePicture(const QString& name);
