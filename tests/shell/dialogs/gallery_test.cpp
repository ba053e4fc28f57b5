#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "shell/dialogs/dialog_gallery.h"

// Every dialog renders to a picture of its own size, for the screenshots.
TEST(DialogGallery, WritesOnePictureForEachDialog)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList written = RenderDialogs(folder.path());
    EXPECT_EQ(written.size(), 7);
    for (const char* name : {"new_network.png", "about.png", "training_data.png", "consult_singular.png",
                                "consult_plural.png", "report.png", "ratio_message.png"}) {
        const QImage image(folder.filePath(name));
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_GT(image.width(), 100) << name;
    }
}
