#include "shell/dialogs/evaluate_dlg.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/dialogs/choose_data_file.h"
#include "shell/dialogs/class_count_field.h"
#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/dialog_template.h"

CEvaluateDlg::CEvaluateDlg(FileChooser& fileChooser, int32_t outputs, QWidget* parent)
    : QDialog(parent), chooser(fileChooser), outputCount(outputs)
{
    setWindowTitle(QStringLiteral("Evaluate"));
    pathEdit = new QLineEdit(this);
    pathEdit->setObjectName(ControlName(PathEditId));
    pathEdit->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    auto* browse = new QPushButton(QStringLiteral("&..."), this);
    browse->setObjectName(ControlName(BrowseButtonId));
    browse->setAutoDefault(false);
    classesEdit = new QLineEdit(this);
    classesEdit->setObjectName(ControlName(ClassesEditId));
    classesEdit->setMaximumWidth(fontMetrics().averageCharWidth() * 8);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathEdit, 1);
    pathRow->addWidget(browse);
    auto* form = new QFormLayout;
    auto* pathLabel = new QLabel(QStringLiteral("&Data file:"), this);
    pathLabel->setBuddy(pathEdit);
    form->addRow(pathLabel, pathRow);
    form->addRow(QStringLiteral("&Classes (empty: none):"), classesEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(1));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(2));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(browse, &QPushButton::clicked, this, &CEvaluateDlg::OnBrowse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEvaluateDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CEvaluateDlg::SetFields(const EvaluateFields& newFields)
{
    fields = newFields;
    pathEdit->setText(QFile::decodeName(fields.path.c_str()));
    classesEdit->setText(ClassCountText(fields.classes));
}

void CEvaluateDlg::OnBrowse()
{
    std::string path = QFile::encodeName(pathEdit->text()).toStdString();
    if (ChooseDataFile(chooser, FileDialogMode::Open, path))
        pathEdit->setText(QFile::decodeName(path.c_str()));
}

void CEvaluateDlg::OnOK()
{
    const std::optional<int32_t> classes = ReadClassCount(classesEdit->text(), outputCount);
    if (!classes) {
        ShowFieldMessage(this, ClassCountMessage(outputCount));
        classesEdit->setFocus();
        classesEdit->selectAll();
        return;
    }
    fields = {QFile::encodeName(pathEdit->text()).toStdString(), *classes};
    accept();
}
