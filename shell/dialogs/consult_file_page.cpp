#include "shell/dialogs/consult_file_page.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "shell/dialogs/choose_data_file.h"
#include "shell/dialogs/consult_page_size.h"
#include "shell/dialogs/dialog_template.h"

namespace {

constexpr ControlRow Template133[] = {
    {ControlKind::Label, StaticId, "Input File", {7, 7, 120, 8}},
    {ControlKind::Edit, CConsultFilePage::InputPathEditId, "", {7, 17, 171, 13}},
    {ControlKind::Button, CConsultFilePage::BrowseInputId, "...", {182, 17, 18, 13}},
    {ControlKind::Label, StaticId, "Output File", {7, 40, 120, 8}},
    {ControlKind::Edit, CConsultFilePage::OutputPathEditId, "", {7, 50, 171, 13}},
    {ControlKind::Button, CConsultFilePage::BrowseOutputId, "...", {182, 50, 18, 13}},
};

QString ShownPath(const std::string& path)
{
    return QFile::decodeName(path.c_str());
}

std::string TypedPath(const QLineEdit& edit)
{
    return QFile::encodeName(edit.text()).toStdString();
}

}  // namespace

CConsultFilePage::CConsultFilePage(FileChooser& fileChooser, QWidget* parent)
    : QWidget(parent), chooser(fileChooser)
{
    setFont(DialogFont());
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(ConsultPageWidth, ConsultPageHeight));
    const DialogControls controls = BuildControls(*this, units, Template133);
    inputEdit = controls.Get<QLineEdit>(InputPathEditId);
    outputEdit = controls.Get<QLineEdit>(OutputPathEditId);
    connect(controls.Get<QPushButton>(BrowseInputId), &QPushButton::clicked, this, &CConsultFilePage::OnBrowseInput);
    connect(controls.Get<QPushButton>(BrowseOutputId), &QPushButton::clicked, this, &CConsultFilePage::OnBrowseOutput);
}

void CConsultFilePage::SetPaths(const std::string& input, const std::string& output)
{
    inputPath = input;
    outputPath = output;
    LoadControls();
}

void CConsultFilePage::LoadControls()
{
    inputEdit->setText(ShownPath(inputPath));
    outputEdit->setText(ShownPath(outputPath));
}

void CConsultFilePage::SaveControls()
{
    inputPath = TypedPath(*inputEdit);
    outputPath = TypedPath(*outputEdit);
}

void CConsultFilePage::OnBrowseInput()
{
    Browse(FileDialogMode::Open, inputPath);
}

void CConsultFilePage::OnBrowseOutput()
{
    Browse(FileDialogMode::SaveAs, outputPath);
}

void CConsultFilePage::Browse(FileDialogMode mode, std::string& path)
{
    SaveControls();
    ChooseDataFile(chooser, mode, path);
    LoadControls();
}
