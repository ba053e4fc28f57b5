#include "document/corvina_doc.h"

#include <memory>
#include <new>
#include <stdexcept>

#include "document/network_file.h"
#include "document/number_reader.h"
#include "document/program_texts.h"
#include "document/report_lines.h"
#include "document/training_import.h"

CCorvinaDoc::CCorvinaDoc(UserInterface& ui) : userInterface(ui), consultValues(NetworkModel::DefaultInputs, 0.0) {}

void CCorvinaDoc::CreateNetwork(int32_t layers, int32_t inputs, int32_t outputs)
{
    model.CreateNetwork(layers, inputs, outputs);
    consultValues.assign(static_cast<size_t>(inputs), 0.0);
}

bool CCorvinaDoc::ConfirmDestroyExperience()
{
    return !model.HasExperience() || userInterface.messages.AskYesNo(ProgramText::DestroyExperience) == Answer::Yes;
}

bool CCorvinaDoc::ChangeShape(int32_t layers, int32_t inputs, int32_t outputs)
{
    if (!ConfirmDestroyExperience())
        return false;
    try {
        model.Reshape(layers, inputs, outputs);
    } catch (const std::length_error&) {
        userInterface.messages.ShowStopMessage("The network cannot be built in this shape.");
        return false;
    } catch (const std::bad_alloc&) {
        userInterface.messages.ShowStopMessage("There is not enough memory to build a network of this shape.");
        return false;
    }
    consultValues.assign(static_cast<size_t>(inputs), 0.0);
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::All);
    return true;
}

void CCorvinaDoc::TrainPass()
{
    StartKeepingBestIfAsked();
    if (!model.TrainPass())
        return;
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::TrainingPass);
}

bool CCorvinaDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    model.Reshape(NetworkModel::DefaultLayers, NetworkModel::DefaultInputs, NetworkModel::DefaultOutputs);
    model.SetSettings(LearningSettings());
    keepBestRefused = false;
    consultValues.assign(NetworkModel::DefaultInputs, 0.0);
    return true;
}

void CCorvinaDoc::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        StoreNetwork(archive, model);
        return;
    }
    LoadNetwork(archive, model);
    keepBestRefused = false;
    consultValues.assign(static_cast<size_t>(GetInputCount()), 0.0);
    UpdateAllViews(nullptr, UpdateHint::All);
}

void CCorvinaDoc::OnRandomization()
{
    if (!ConfirmDestroyExperience())
        return;
    model.Randomize();
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::All);
}

void CCorvinaDoc::OnEraseTd()
{
    if (!ConfirmDestroyExperience())
        return;
    model.ErasePatterns();
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::All);
}

void CCorvinaDoc::OnOptions()
{
    ShapeFields fields{static_cast<uint32_t>(GetLayersCount()), static_cast<uint32_t>(GetInputCount()),
                       static_cast<uint32_t>(GetOutputCount())};
    if (userInterface.dialogs.RunShapeDialog(fields))
        ChangeShape(static_cast<int32_t>(fields.layers), static_cast<int32_t>(fields.inputs),
                    static_cast<int32_t>(fields.outputs));
}

void CCorvinaDoc::ImportTrainingData(std::string path, bool makeNewTables)
{
    model.ImportRecords(ReadRawRecords(path, GetInputCount() + GetOutputCount()), makeNewTables);
    UpdateAllViews(nullptr, UpdateHint::All);
}

// A file that cannot be read or holds no complete record would wipe the patterns for nothing:
// it is reported and the document stays exactly as it was.
void CCorvinaDoc::OnSelectTd()
{
    TrainingDataFields fields;
    if (!userInterface.dialogs.RunTrainingDataDialog(fields))
        return;
    try {
        RawRecords records;
        std::string refusal;
        {
            // The work ends before any message shows.
            const std::unique_ptr<WorkProgress> work = userInterface.progress.BeginWork("Importing " + fields.path);
            records = ReadRawRecords(fields.path, GetInputCount() + GetOutputCount(), work.get());
            refusal = DescribeImportRefusal(records, fields.path);
            if (refusal.empty())
                model.ImportRecords(records, fields.makeNewTables, work.get());
        }
        if (!refusal.empty()) {
            userInterface.messages.ShowStopMessage(refusal);
            return;
        }
        keepBestRefused = false;
        SetModifiedFlag();
        UpdateAllViews(nullptr, UpdateHint::All);
        userInterface.messages.ShowStatusNote(
            DescribeEarlyStop(records.GetRecordCount(), "record", fields.path, records.stop));
    } catch (const std::bad_alloc&) {
        userInterface.messages.ShowStopMessage("There is not enough memory to import the training data file " +
                                               fields.path + ".");
    }
}

// The sheet works on copies: the values come back rewritten on OK, as they were otherwise, and
// the paths as the Plural page last exchanged them, whatever closed it.
void CCorvinaDoc::OnConsult()
{
    ConsultFields fields{consultValues, consultInputPath, consultOutputPath};
    const ConsultOutcome outcome = userInterface.dialogs.RunConsultSheet(fields);
    consultValues = std::move(fields.values);
    consultInputPath = std::move(fields.inputPath);
    consultOutputPath = std::move(fields.outputPath);
    if (!outcome.accepted)
        return;
    if (outcome.activePage == ConsultPage::Singular)
        ShowConsultReport();
    else
        ConsultFile();
}

void CCorvinaDoc::ShowConsultReport()
{
    const std::vector<double> outputs = model.Consult(consultValues);
    std::string report;
    for (size_t output = 0; output < outputs.size(); ++output)
        report += ConsultReportLine(static_cast<int32_t>(output), outputs[output]) + "\r\n";
    userInterface.dialogs.ShowReport(report);
}

void CCorvinaDoc::ConsultFile()
{
    NetworkModel::BatchOutcome batch;
    {
        const std::unique_ptr<WorkProgress> work = userInterface.progress.BeginWork("Consulting " + consultInputPath);
        batch = model.ConsultFile(consultInputPath, consultOutputPath, GetPathName(), work.get());
    }
    if (batch.written)
        userInterface.messages.ShowStatusNote(batch.note);
    else
        userInterface.messages.ShowStopMessage(batch.error);
}

void CCorvinaDoc::SetLearningSettings(const LearningSettings& settings)
{
    if (settings == model.Settings())
        return;
    model.SetSettings(settings);
    keepBestRefused = false;
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::All);
}

void CCorvinaDoc::StartKeepingBestIfAsked()
{
    if (!model.Settings().keepBest.enabled || model.IsKeepingBest() || keepBestRefused ||
        model.GetPatternsCount() == 0)
        return;
    try {
        if (const std::string refusal = model.StartKeepingBest(); !refusal.empty()) {
            keepBestRefused = true;
            userInterface.messages.ShowStopMessage(refusal + " Training goes on without keeping the best network.");
        }
    } catch (const std::bad_alloc&) {
        keepBestRefused = true;
        userInterface.messages.ShowStopMessage(
            "There is not enough memory to keep the best network. Training goes on without it.");
    }
}

std::optional<Evaluation> CCorvinaDoc::EvaluateSet(int32_t classes,
                                                   const std::function<std::optional<Evaluation>()>& evaluate)
{
    if (classes != 0 && !IsClassCountValid(classes, GetOutputCount())) {
        userInterface.messages.ShowStopMessage("A network of " + std::to_string(GetOutputCount()) +
                                               " outputs cannot stand for " + std::to_string(classes) + " classes.");
        return std::nullopt;
    }
    try {
        return evaluate();
    } catch (const std::bad_alloc&) {
        userInterface.messages.ShowStopMessage("There is not enough memory to evaluate the network.");
    }
    return std::nullopt;
}

namespace {

EvaluationProgress EvaluationProgressTo(WorkProgress* progress)
{
    if (progress == nullptr)
        return {};
    return [progress](size_t done, size_t total) { progress->Report(CCorvinaDoc::EvaluatingStep, done, total); };
}

}  // namespace

std::optional<Evaluation> CCorvinaDoc::EvaluateFile(const std::string& path, int32_t classes, WorkProgress* progress)
{
    return EvaluateSet(classes, [&]() -> std::optional<Evaluation> {
        const RawRecords records = ReadRawRecords(path, GetInputCount() + GetOutputCount(), progress);
        if (const std::string refusal = DescribeImportRefusal(records, path); !refusal.empty()) {
            userInterface.messages.ShowStopMessage(refusal);
            return std::nullopt;
        }
        return model.Evaluate(records, classes, EvaluationProgressTo(progress));
    });
}

std::optional<Evaluation> CCorvinaDoc::EvaluatePatterns(int32_t classes, WorkProgress* progress)
{
    if (GetPatternsCount() == 0) {
        userInterface.messages.ShowStopMessage("The network has no training patterns to evaluate on.");
        return std::nullopt;
    }
    return EvaluateSet(classes, [&]() -> std::optional<Evaluation> { return model.EvaluatePatterns(classes, EvaluationProgressTo(progress)); });
}

bool CCorvinaDoc::RestoreBestNetwork()
{
    if (!model.RestoreBestNetwork())
        return false;
    SetModifiedFlag();
    UpdateAllViews(nullptr, UpdateHint::All);
    return true;
}
