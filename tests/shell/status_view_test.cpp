#include <QLabel>
#include <QPixmap>

#include "shell_fixture.h"

namespace {

class StatusViewTest : public ShellTest {
protected:
    QStringList Fields(std::initializer_list<int> ids) const
    {
        QStringList texts;
        for (const int id : ids)
            texts << FieldText(id);
        return texts;
    }

    QImage Lamp() const { return static_cast<QLabel*>(app->View()->Control(IDC_DATA_PICTURE))->pixmap().toImage(); }
    static QImage LampPicture(const char* name) { return QPixmap(QString::fromLatin1(name)).toImage(); }
};

TEST_F(StatusViewTest, NewDocumentShowsTheDefaultNetworkWithoutData)
{
    EXPECT_EQ(Fields({IDC_LEVELS_COUNT, IDC_INPUT_COUNT, IDC_OUTPUT_COUNT, IDC_DATA_STATE, IDC_PATTERNS_COUNT,
                      IDC_CURRENT_PASS, IDC_AVERAGE_ERROR}),
              QStringList({"5", "4", "2", "Load data to train", "0", "0", "10922"}));
    EXPECT_TRUE(static_cast<QLineEdit*>(app->View()->Control(IDC_DATA_STATE))->isReadOnly());
    EXPECT_EQ(Lamp(), LampPicture(":/lamps/red"));
    EXPECT_FALSE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_FALSE(Action(ID_ERASE_TD)->isEnabled());
    EXPECT_TRUE(Action(ID_SELECT_TD)->isEnabled());
}

TEST_F(StatusViewTest, ImportTurnsLampTextAndCountInOneUpdate)
{
    SelectTrainingDataThroughDialog(WriteTrainingData(30));
    // No event loop has run since the dialog closed: the one update did it all.
    EXPECT_EQ(Fields({IDC_DATA_STATE, IDC_PATTERNS_COUNT}), QStringList({"Training data avaible", "30"}));
    const QImage green = LampPicture(":/lamps/green");
    EXPECT_EQ(Lamp(), green);
    EXPECT_NE(green, LampPicture(":/lamps/red"));
    EXPECT_EQ(green.size(), QSize(16, 16));
    EXPECT_TRUE(IsEnabledAfterRefresh(ID_TRAIN));
    EXPECT_TRUE(Action(ID_ERASE_TD)->isEnabled());
}

}  // namespace
