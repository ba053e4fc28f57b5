#include "shell/dialogs/qt_file_chooser.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStringList>

#include "shell/dialogs/corvina_message_box.h"

namespace {

// Qt reads a filter's patterns from the parentheses of its text, so the description's own
// parenthesised pattern gives way to the filter's real one: "All Files (*.*)" with "*" is
// offered as "All Files (*)".
QString QtFilter(const FileFilter& filter)
{
    QString description = QString::fromStdString(filter.description);
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0 && description.endsWith(QLatin1Char(')')))
        description = description.left(open).trimmed();
    return QStringLiteral("%1 (%2)").arg(description, QString::fromStdString(filter.pattern));
}

// Qt's own dialog prefers the file selected in its list to the name typed after it: once the
// replace question for the selected file has been declined, a newly typed name would be
// ignored and the question asked again for the old file. Here the typed name wins.
class TypedNameFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const auto* list = findChild<QAbstractItemView*>(QStringLiteral("listView"));
        if (nameEdit != nullptr && list != nullptr && !nameEdit->text().isEmpty()) {
            const QModelIndexList rows = list->selectionModel()->selectedRows();
            const bool typedIsSelected = rows.size() == 1 && rows.first().data().toString() == nameEdit->text();
            if (!typedIsSelected)
                list->selectionModel()->clearSelection();
        }
        QFileDialog::accept();
    }
};

QStringList QtFilters(const std::vector<FileFilter>& filters)
{
    QStringList list;
    for (const FileFilter& filter : filters)
        list << QtFilter(filter);
    return list;
}

}  // namespace

bool QtFileChooser::ChooseFile(const FileChooserRequest& request, std::string& path)
{
    const bool opening = request.mode == FileDialogMode::Open;
    QWidget* owner = OwnerWindow(QApplication::activeWindow() ? QApplication::activeWindow() : parentWindow);
    TypedNameFileDialog dialog(owner, opening ? QStringLiteral("Open") : QStringLiteral("Save As"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A file to open need not exist: the callers read a missing file as an empty one.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(QtFilters(request.filters));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!path.empty())
        dialog.selectFile(QFile::decodeName(path.c_str()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    path = QFile::encodeName(QFileInfo(chosen.first()).absoluteFilePath()).toStdString();
    return true;
}
