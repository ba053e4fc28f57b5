#include <QApplication>
#include <QCursor>
#include <chrono>

#include <QFileInfo>
#include <QPointer>
#include <QTabWidget>

#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/consult_file_page.h"
#include "shell/dialogs/evaluate_dlg.h"
#include "shell/dialogs/progress_dlg.h"
#include "shell_fixture.h"

namespace {

// Watches the progress dialog of long work: what the pointer was when it showed, whether the
// idle loop, let run while it showed, held back, and whether any training pass slipped in.
class ProgressWatch : public QObject, public CView {
public:
    explicit ProgressWatch(CCorvinaApp& application) : app(application)
    {
        qApp->installEventFilter(this);
        app.Document().AddView(this);
    }
    ~ProgressWatch() override
    {
        app.Document().RemoveView(this);
        qApp->removeEventFilter(this);
    }

    void OnUpdate(CView*, UpdateHint hint) override
    {
        if (shown && hint == UpdateHint::TrainingPass)
            ++passesWhileShown;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<CProgressDlg*>(watched);
        if (dialog != nullptr && event->type() == QEvent::Show) {
            shown = true;
            ++shows;
            // Looked at once the event loop first turns under the dialog.
            QMetaObject::invokeMethod(this, [this, shownDialog = QPointer<CProgressDlg>(dialog)] { Inspect(shownDialog); },
                                      Qt::QueuedConnection);
        }
        if (dialog != nullptr && event->type() == QEvent::Hide && shown) {
            shown = false;
            lastStep = dialog->Step();
        }
        return false;
    }

    void Inspect(const QPointer<CProgressDlg>& dialog)
    {
        if (dialog.isNull() || !shown)
            return;
        modal = QApplication::activeModalWidget() == dialog;
        const QCursor* pointer = QApplication::overrideCursor();
        busyPointer = pointer != nullptr && pointer->shape() == Qt::WaitCursor;
        // As after input: the idle loop asks for calls at once, and is given its chance.
        app.Idle()->Restart();
        heldWhenShown = RunEventsUntil([this] { return app.Idle()->IsHeldByModalLoop(); });
    }

    CCorvinaApp& app;
    bool shown = false;
    int shows = 0;
    bool modal = false;
    bool busyPointer = false;
    bool heldWhenShown = false;
    int passesWhileShown = 0;
    QString lastStep;
};

class LongWorkTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Document().ImportTrainingData(WriteTrainingData(20), true);
        app->Progress().SetShowAfter(std::chrono::milliseconds(0));
        app->Router().Execute(ID_TRAIN);
        ASSERT_TRUE(TrainsOnFrom(0));
    }

    std::string WriteRows(const QString& name, int rows, int columns)
    {
        const std::string path = TempPath(name).toStdString();
        std::ofstream out(path);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                out << (row * (column + 3)) % 97 << (column + 1 < columns ? ' ' : '\n');
        return path;
    }
};

TEST_F(LongWorkTest, LongSelectTdShowsABusyPointerAndAModalProgressDialogWithoutTraining)
{
    const std::string path = WriteRows("long.dat", 150000, 6);
    ProgressWatch watch(*app);
    SelectTrainingDataThroughDialog(path);
    EXPECT_EQ(Document().GetPatternsCount(), 150000);
    EXPECT_EQ(watch.shows, 1);
    EXPECT_TRUE(watch.modal);
    EXPECT_TRUE(watch.busyPointer);
    EXPECT_TRUE(watch.heldWhenShown);
    EXPECT_EQ(watch.passesWhileShown, 0);
    EXPECT_EQ(watch.lastStep, "Converting the records");
    // Afterwards the pointer is the window's own again, and training goes on with the new data.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(TrainsOnFrom(0));
}

TEST_F(LongWorkTest, LongPluralConsultShowsItsProgressTheSameWay)
{
    const std::string input = WriteRows("rows.dat", 150000, 4);
    const std::string output = TempPath("answers.dat").toStdString();
    ProgressWatch watch(*app);
    {
        const ModalResponder sheet([&](QWidget& dialog) {
            static_cast<CConsultDlg&>(dialog).Pages().setCurrentIndex(CConsultDlg::PluralPage);
            Control<QLineEdit>(dialog, CConsultFilePage::InputPathEditId)->setText(QString::fromStdString(input));
            Control<QLineEdit>(dialog, CConsultFilePage::OutputPathEditId)->setText(QString::fromStdString(output));
            Click(dialog, 1);
        });
        app->Router().Execute(ID_CONSULT);
    }
    EXPECT_EQ(watch.shows, 1);
    EXPECT_TRUE(watch.busyPointer);
    EXPECT_TRUE(watch.heldWhenShown);
    EXPECT_EQ(watch.passesWhileShown, 0);
    EXPECT_EQ(watch.lastStep, "Consulting the network");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(output)).size() > 0);
}

TEST_F(LongWorkTest, LongEvaluationShowsItsProgressTheSameWay)
{
    const std::string data = WriteRows("held out.dat", 150000, 6);
    ProgressWatch watch(*app);
    const ModalResponder ask([&](QWidget& dialog) {
        Control<QLineEdit>(dialog, CEvaluateDlg::PathEditId)->setText(QString::fromStdString(data));
        Click(dialog, 1);
    }, "CEvaluateDlg");
    const ModalResponder shown([](QWidget& result) { static_cast<QDialog&>(result).accept(); }, "CEvaluationDlg");
    app->Router().Execute(ID_EVALUATE);
    EXPECT_TRUE(shown.Answered());
    EXPECT_EQ(watch.shows, 1);
    EXPECT_TRUE(watch.busyPointer);
    EXPECT_TRUE(watch.heldWhenShown);
    EXPECT_EQ(watch.passesWhileShown, 0);
    EXPECT_EQ(watch.lastStep, "Evaluating the network");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(LongWorkTest, ShortWorkShowsNoDialog)
{
    app->Progress().SetShowAfter(QtProgressDisplay::DefaultShowAfter);
    ProgressWatch watch(*app);
    SelectTrainingDataThroughDialog(WriteRows("short.dat", 300, 6));
    EXPECT_EQ(Document().GetPatternsCount(), 300);
    EXPECT_EQ(watch.shows, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
