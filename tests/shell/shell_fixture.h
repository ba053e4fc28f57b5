#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "shell/command_actions.h"
#include "shell/corvina_app.h"
#include "shell/corvina_view.h"
#include "shell/idle_loop.h"
#include "shell/main_frame.h"
#include "shell/status_form.h"
#include "tests/framework/temp_dir.h"
#include "tests/support/modal.h"
#include "tests/support/rows.h"

// A running application with a new document, its window shown offscreen, and fresh settings.
class ShellTest : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Corvina")).clear();
        app = std::make_unique<CCorvinaApp>();
        Document().Model().Random().Seed(12345);
        ASSERT_TRUE(app->CreateMainWindow({}));
        app->Frame()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->Frame()));
    }

    void TearDown() override
    {
        if (app && app->Frame())
            Document().SetModifiedFlag(false);
        app.reset();
    }

    CCorvinaDoc& Document() { return app->Document(); }
    QString FieldText(int id) const { return static_cast<QLineEdit*>(app->View()->Control(id))->text(); }
    QAction* Action(CommandId id) const { return app->Actions()->Action(id); }
    uint32_t Passes() { return Document().GetPassesCount(); }

    // The action's state after the idle loop's next command-state refresh.
    bool IsEnabledAfterRefresh(CommandId id)
    {
        app->Idle()->Restart();
        EXPECT_TRUE(RunEventsUntil([this] { return app->Idle()->Count() > 0; }));
        return Action(id)->isEnabled();
    }

    // Waits until the idle loop has run well past its refresh: while training is off it then
    // goes quiet; while training is on it has had time for passes.
    void LetTheIdleLoopRun()
    {
        app->Idle()->Restart();
        EXPECT_TRUE(RunEventsUntil([this] { return !app->Idle()->IsRunning() || app->Idle()->Count() > 50; }));
    }

    // Waits until training has made more passes than it had.
    bool TrainsOnFrom(uint32_t passes)
    {
        return RunEventsUntil([&] { return Passes() > passes; });
    }

    // A data file of records rows: four inputs and two outputs each.
    std::string WriteTrainingData(int records)
    {
        const std::string path = TempPath("data.dat").toStdString();
        std::ofstream out(path);
        for (int record = 0; record < records; ++record)
            out << record % 5 << ' ' << record % 3 << ' ' << record % 7 << ' ' << record % 2 << ' '
                << (record % 5 + record % 3) << ' ' << record % 4 << '\n';
        return path;
    }

    // Loads the data through the Select TD command and its dialog, as the user would.
    void SelectTrainingDataThroughDialog(const std::string& path)
    {
        const ModalResponder responder([path](QWidget& dialog) {
            Control<QLineEdit>(dialog, 1003)->setText(QString::fromStdString(path));
            Click(dialog, 1);
        });
        app->Router().Execute(ID_SELECT_TD);
    }

    QString TempPath(const QString& name) const { return directory.filePath(name); }

    QTemporaryDir directory;
    std::unique_ptr<CCorvinaApp> app;
};
