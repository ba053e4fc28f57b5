#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "shell/dialogs/dialog_gallery.h"

TEST(DialogGallery, WritesOnePictureForEachDialog)
{
    const QTemporaryDir folder;
    const QStringList written = RenderDialogs(folder.path());
    EXPECT_EQ(written.size(), 7);
    for (const char* name : {"new_network.png", "about.png", "training_data.png", "consult_singular.png",
                             "consult_plural.png", "report.png", "ratio_message.png"})
        EXPECT_GT(QImage(folder.filePath(name)).width(), 100) << name;
}
