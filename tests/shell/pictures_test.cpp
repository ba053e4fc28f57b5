#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "shell/scalable_picture.h"

namespace {

class ScalablePictureTest : public testing::TestWithParam<const char*> {};

// Every toolbar picture and lamp has shapes of the bitmap's size, which serve the scaled sizes
// while the bitmap stays the picture at its own size.
TEST_P(ScalablePictureTest, ShapesServeScaledScreens)
{
    const QString name = QString::fromLatin1(GetParam());
    const QPixmap bitmap(name);
    ASSERT_FALSE(bitmap.isNull());
    QSvgRenderer shapes(name + ".svg");
    ASSERT_TRUE(shapes.isValid());
    EXPECT_EQ(shapes.defaultSize(), bitmap.size());

    const QIcon picture = ScalablePicture(name);
    EXPECT_EQ(picture.pixmap(bitmap.size(), 1.0).toImage(), bitmap.toImage());
    for (const double scale : {2.0, 3.0}) {
        const QPixmap scaled = picture.pixmap(bitmap.size(), scale);
        EXPECT_EQ(scaled.size(), bitmap.size() * scale) << scale;
        EXPECT_EQ(scaled.devicePixelRatio(), scale);
        // Rendered from the shapes, not the bitmap enlarged.
        QImage rendered(scaled.size(), QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::transparent);
        QPainter painter(&rendered);
        shapes.render(&painter);
        painter.end();
        EXPECT_EQ(scaled.toImage().convertToFormat(QImage::Format_ARGB32), rendered.convertToFormat(QImage::Format_ARGB32))
            << scale;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, ScalablePictureTest,
                         testing::Values(":/toolbar/new", ":/toolbar/open", ":/toolbar/save", ":/toolbar/print",
                                         ":/toolbar/select_td", ":/toolbar/erase_td", ":/toolbar/randomization",
                                         ":/toolbar/options", ":/toolbar/train", ":/toolbar/pause",
                                         ":/toolbar/consult", ":/toolbar/about", ":/lamps/green", ":/lamps/red"),
                         [](const testing::TestParamInfo<const char*>& picture) {
                             std::string name = picture.param;
                             return name.substr(name.rfind('/') + 1);
                         });

}  // namespace
