#include "shell/learning_commands.h"

#include <QFile>
#include <memory>
#include <optional>

#include "document/corvina_doc.h"
#include "framework/user_interface.h"
#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/evaluation_dlg.h"
#include "shell/dialogs/training_options_dlg.h"

void LearningCommands::Evaluate()
{
    CEvaluateDlg ask(userInterface.files, document.GetOutputCount(), OwnerWindow(parentWindow));
    EvaluateFields fields = lastEvaluation;
    if (fields.path.empty())
        fields.path = document.GetLearningSettings().keepBest.validationPath;
    if (fields.classes == 0 || fields.classes > document.GetOutputCount())
        fields.classes = static_cast<int32_t>(document.GetLearningSettings().classes);
    ask.SetFields(fields);
    if (ask.exec() != QDialog::Accepted)
        return;
    lastEvaluation = ask.Fields();
    std::optional<Evaluation> evaluation;
    {
        const std::unique_ptr<WorkProgress> work = userInterface.progress.BeginWork("Evaluating " + lastEvaluation.path);
        evaluation = document.EvaluateFile(lastEvaluation.path, lastEvaluation.classes, work.get());
    }
    if (!evaluation)
        return;
    CEvaluationDlg shown(*evaluation, QFile::decodeName(lastEvaluation.path.c_str()), OwnerWindow(parentWindow));
    shown.exec();
}

void LearningCommands::ChangeTrainingOptions()
{
    CTrainingOptionsDlg dialog(userInterface.files, document.GetOutputCount(), OwnerWindow(parentWindow));
    dialog.SetSettings(document.GetLearningSettings());
    if (dialog.exec() == QDialog::Accepted)
        document.SetLearningSettings(dialog.Settings());
}

void LearningCommands::RestoreBestNetwork()
{
    document.RestoreBestNetwork();
}
