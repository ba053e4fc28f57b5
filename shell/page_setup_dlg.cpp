#include "shell/page_setup_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>
#include <array>

namespace {

// The common paper sizes; a printer's other size is offered as well when it has one.
constexpr std::array paperIds = {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A3,
                                 QPageSize::A5, QPageSize::B5, QPageSize::Executive, QPageSize::Tabloid};

}  // namespace

CPageSetupDlg::CPageSetupDlg(QPrinter& targetPrinter, QWidget* parent)
    : QDialog(parent), printer(targetPrinter), paperSizes(new QComboBox(this)), orientations(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Page Setup"));
    const QPageLayout layout = printer.pageLayout();
    for (const QPageSize::PageSizeId id : paperIds)
        paperSizes->addItem(QPageSize::name(id), QVariant::fromValue(QPageSize(id)));
    const QPageSize current = layout.pageSize();
    int index = paperSizes->findText(current.name());
    if (index < 0) {
        paperSizes->addItem(current.name(), QVariant::fromValue(current));
        index = paperSizes->count() - 1;
    }
    paperSizes->setCurrentIndex(index);

    auto* portrait = new QRadioButton(QStringLiteral("&Portrait"), this);
    auto* landscape = new QRadioButton(QStringLiteral("&Landscape"), this);
    orientations->addButton(portrait, QPageLayout::Portrait);
    orientations->addButton(landscape, QPageLayout::Landscape);
    (layout.orientation() == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(portrait);
    orientationRow->addWidget(landscape);
    orientationRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Paper &size:"), paperSizes);
    form->addRow(QStringLiteral("Orientation:"), orientationRow);
    form->addRow(buttons);
    setFixedSize(sizeHint());
}

void CPageSetupDlg::accept()
{
    printer.setPageSize(paperSizes->currentData().value<QPageSize>());
    printer.setPageOrientation(static_cast<QPageLayout::Orientation>(orientations->checkedId()));
    QDialog::accept();
}

bool ShowPageSetup(QPrinter& printer, QWidget* parent)
{
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    CPageSetupDlg dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
