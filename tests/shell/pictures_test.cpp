#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdlib>

#include "shell/scalable_picture.h"

namespace {

// The bitmap and the shapes of a picture drawn at the bitmap's size: how often they disagree on
// whether a pixel is painted, and their mean colour distance where both paint it.
struct Likeness {
    double coverageMismatch;
    double colourDistance;
};

Likeness Compare(const QImage& bitmap, QSvgRenderer& shapes)
{
    QImage rendered(bitmap.size(), QImage::Format_ARGB32);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    shapes.render(&painter);
    painter.end();
    const QImage drawn = bitmap.convertToFormat(QImage::Format_ARGB32);
    int mismatched = 0;
    int shared = 0;
    double distance = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor a = drawn.pixelColor(x, y);
            const QColor b = rendered.pixelColor(x, y);
            const bool inA = a.alpha() > 127;
            const bool inB = b.alpha() > 127;
            mismatched += inA != inB;
            if (inA && inB) {
                ++shared;
                distance += (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                             std::abs(a.blue() - b.blue())) / 3.0;
            }
        }
    }
    return {static_cast<double>(mismatched) / (drawn.width() * drawn.height()), shared ? distance / shared : 255.0};
}

// How far a picture's shapes may stray from its bitmap: a tenth of the pixels, and colours about
// a sixth of the scale apart (anti-aliased edges and the lamps' shading).
constexpr double MostMismatch = 0.1;
constexpr double MostColourDistance = 40.0;

class ScalablePictureTest : public testing::TestWithParam<const char*> {};

// Every toolbar picture and lamp has shapes in the design of its bitmap, which serve the scaled
// sizes while the bitmap stays the picture at its own size.
TEST_P(ScalablePictureTest, ShapesServeScaledScreensAndLookLikeTheBitmap)
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

    const Likeness likeness = Compare(bitmap.toImage(), shapes);
    EXPECT_LT(likeness.coverageMismatch, MostMismatch);
    EXPECT_LT(likeness.colourDistance, MostColourDistance);
}

INSTANTIATE_TEST_SUITE_P(Pictures, ScalablePictureTest,
                         testing::Values(":/toolbar/new", ":/toolbar/open", ":/toolbar/save", ":/toolbar/print",
                                         ":/toolbar/select_td", ":/toolbar/erase_td", ":/toolbar/randomization",
                                         ":/toolbar/options", ":/toolbar/train", ":/toolbar/pause",
                                         ":/toolbar/consult", ":/toolbar/about", ":/lamps/green", ":/lamps/red"),
                         [](const testing::TestParamInfo<const char*>& row) {
                             std::string name = row.param;
                             return name.substr(name.rfind('/') + 1);
                         });

// The drawings differ enough that the likeness check tells one picture from another.
TEST(ScalablePictureTest, LikenessTellsPicturesApart)
{
    QSvgRenderer pause(QStringLiteral(":/toolbar/pause.svg"));
    const Likeness wrong = Compare(QPixmap(QStringLiteral(":/toolbar/about")).toImage(), pause);
    EXPECT_TRUE(wrong.coverageMismatch >= MostMismatch || wrong.colourDistance >= MostColourDistance);
    QSvgRenderer red(QStringLiteral(":/lamps/red.svg"));
    const Likeness swapped = Compare(QPixmap(QStringLiteral(":/lamps/green")).toImage(), red);
    EXPECT_GE(swapped.colourDistance, MostColourDistance);
}

}  // namespace
