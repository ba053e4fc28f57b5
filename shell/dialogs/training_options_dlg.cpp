#include "shell/dialogs/training_options_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <limits>

#include "shell/dialogs/choose_data_file.h"
#include "shell/dialogs/class_count_field.h"
#include "shell/dialogs/corvina_message_box.h"
#include "shell/dialogs/dialog_template.h"

namespace {

// A choice with its one line of explanation below it, indented under the choice's text.
QRadioButton* AddChoice(QVBoxLayout& layout, const QString& text, const QString& meaning, const char* name,
                        QWidget* parent)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    auto* explanation = new QLabel(meaning, parent);
    explanation->setWordWrap(true);
    explanation->setContentsMargins(button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + 8, 0, 0, 4);
    layout.addWidget(button);
    layout.addWidget(explanation);
    return button;
}

QLineEdit* NamedEdit(const char* name, int characters, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (characters > 0)
        edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * characters);
    return edit;
}

}  // namespace

CTrainingOptionsDlg::CTrainingOptionsDlg(FileChooser& fileChooser, int32_t outputs, QWidget* parent)
    : QDialog(parent), chooser(fileChooser), outputCount(outputs)
{
    setWindowTitle(QStringLiteral("Training Options"));
    const int textWidth = fontMetrics().averageCharWidth() * 64;

    auto* roundingBox = new QGroupBox(QStringLiteral("Rounding"), this);
    auto* roundingLayout = new QVBoxLayout(roundingBox);
    classicButton = AddChoice(*roundingLayout, QStringLiteral("&Classic"),
                              QStringLiteral("The original rule: any large weight step moves a weight by exactly one, "
                                             "whatever the error, so learning wanders rather than settles."),
                              "classic", roundingBox);
    preciseButton = AddChoice(*roundingLayout, QStringLiteral("&Precise"),
                              QStringLiteral("Every division rounds up with a chance of its remainder over the whole "
                                             "divisor, so on average a weight moves by the step the error asks for."),
                              "precise", roundingBox);
    roundingBox->setMinimumWidth(textWidth);

    auto* keepBox = new QGroupBox(QStringLiteral("Keep the best network"), this);
    keepBestBox = new QCheckBox(QStringLiteral("&Keep the weights of the best evaluation while training"), keepBox);
    keepBestBox->setObjectName(QStringLiteral("keep_best"));
    everyEdit = NamedEdit("every", 12, keepBox);
    onPatternsButton = new QRadioButton(QStringLiteral("on the training &patterns"), keepBox);
    onPatternsButton->setObjectName(QStringLiteral("on_patterns"));
    onFileButton = new QRadioButton(QStringLiteral("on a &validation file:"), keepBox);
    onFileButton->setObjectName(QStringLiteral("on_file"));
    auto* evaluatedOn = new QButtonGroup(this);
    evaluatedOn->addButton(onPatternsButton);
    evaluatedOn->addButton(onFileButton);
    validationEdit = NamedEdit("validation_path", 0, keepBox);
    browseButton = new QPushButton(QStringLiteral("&..."), keepBox);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setAutoDefault(false);
    classesEdit = NamedEdit("classes", 8, this);

    auto* everyRow = new QHBoxLayout;
    everyRow->addWidget(new QLabel(QStringLiteral("Evaluate &every"), keepBox));
    everyRow->addWidget(everyEdit);
    everyRow->addWidget(new QLabel(QStringLiteral("passes (empty: chosen from the number of records)"), keepBox), 1);
    static_cast<QLabel*>(everyRow->itemAt(0)->widget())->setBuddy(everyEdit);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(onFileButton);
    fileRow->addWidget(validationEdit, 1);
    fileRow->addWidget(browseButton);
    auto* keepLayout = new QVBoxLayout(keepBox);
    keepLayout->addWidget(keepBestBox);
    keepLayout->addLayout(everyRow);
    keepLayout->addWidget(onPatternsButton);
    keepLayout->addLayout(fileRow);

    auto* classesRow = new QFormLayout;
    classesRow->addRow(QStringLiteral("C&lasses the outputs stand for (empty: none):"), classesEdit);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(1));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(2));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(roundingBox);
    layout->addWidget(keepBox);
    layout->addLayout(classesRow);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(keepBestBox, &QCheckBox::toggled, this, &CTrainingOptionsDlg::EnableKeepBestControls);
    connect(onFileButton, &QRadioButton::toggled, this, &CTrainingOptionsDlg::EnableKeepBestControls);
    connect(browseButton, &QPushButton::clicked, this, &CTrainingOptionsDlg::OnBrowse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTrainingOptionsDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetSettings(settings);
}

void CTrainingOptionsDlg::SetSettings(const LearningSettings& newSettings)
{
    settings = newSettings;
    (settings.rounding == Rounding::Precise ? preciseButton : classicButton)->setChecked(true);
    keepBestBox->setChecked(settings.keepBest.enabled);
    everyEdit->setText(settings.keepBest.every == 0 ? QString() : QString::number(settings.keepBest.every));
    (settings.keepBest.validationPath.empty() ? onPatternsButton : onFileButton)->setChecked(true);
    validationEdit->setText(QFile::decodeName(settings.keepBest.validationPath.c_str()));
    classesEdit->setText(ClassCountText(settings.classes));
    EnableKeepBestControls();
}

void CTrainingOptionsDlg::EnableKeepBestControls()
{
    const bool keeping = keepBestBox->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(everyEdit), static_cast<QWidget*>(onPatternsButton),
                             static_cast<QWidget*>(onFileButton)})
        control->setEnabled(keeping);
    validationEdit->setEnabled(keeping && onFileButton->isChecked());
    browseButton->setEnabled(keeping && onFileButton->isChecked());
}

void CTrainingOptionsDlg::OnBrowse()
{
    std::string path = QFile::encodeName(validationEdit->text()).toStdString();
    if (ChooseDataFile(chooser, FileDialogMode::Open, path))
        validationEdit->setText(QFile::decodeName(path.c_str()));
}

// A refused field keeps the dialog open with the field selected.
void CTrainingOptionsDlg::OnOK()
{
    auto refuse = [this](QLineEdit* field, const QString& message) {
        ShowFieldMessage(this, message);
        field->setFocus();
        field->selectAll();
    };
    LearningSettings chosen = settings;
    chosen.rounding = preciseButton->isChecked() ? Rounding::Precise : Rounding::Classic;
    chosen.keepBest.enabled = keepBestBox->isChecked();
    const QString every = everyEdit->text().trimmed();
    bool ok = true;
    const qulonglong passes = every.isEmpty() ? 0 : every.toULongLong(&ok);
    if (!ok || passes > std::numeric_limits<uint32_t>::max() || (!every.isEmpty() && passes == 0)) {
        refuse(everyEdit, QStringLiteral("Enter the passes between two evaluations, from 1 to %1, or leave the "
                                         "field empty.")
                              .arg(std::numeric_limits<uint32_t>::max()));
        return;
    }
    chosen.keepBest.every = static_cast<uint32_t>(passes);
    chosen.keepBest.validationPath =
        onFileButton->isChecked() ? QFile::encodeName(validationEdit->text().trimmed()).toStdString() : std::string();
    if (chosen.keepBest.enabled && onFileButton->isChecked() && chosen.keepBest.validationPath.empty()) {
        refuse(validationEdit, QStringLiteral("Choose the validation file, or evaluate on the training patterns."));
        return;
    }
    const std::optional<int32_t> classes = ReadClassCount(classesEdit->text(), outputCount);
    if (!classes) {
        refuse(classesEdit, ClassCountMessage(outputCount));
        return;
    }
    chosen.classes = static_cast<uint32_t>(*classes);
    settings = chosen;
    accept();
}
