#include "shell/dialogs/consult_dlg.h"

#include <QPushButton>
#include <QTabWidget>

#include "shell/dialogs/consult_file_page.h"
#include "shell/dialogs/consult_one_page.h"
#include "shell/dialogs/consult_page_size.h"
#include "shell/dialogs/dialog_template.h"

namespace {

// The pages' area: the pages with room around them for the frame and the tabs.
constexpr DialogUnitRect PagesRect = {7, 7, ConsultPageWidth + 4, ConsultPageHeight + 18};
constexpr int ButtonsTop = PagesRect.y + PagesRect.height + 7;
constexpr int SheetWidth = PagesRect.x + PagesRect.width + 7;
constexpr int SheetHeight = ButtonsTop + 14 + 7;

constexpr ControlRow SheetButtons[] = {
    {ControlKind::DefaultButton, 1, "OK", {SheetWidth - 114, ButtonsTop, 50, 14}},
    {ControlKind::Button, 2, "Cancel", {SheetWidth - 57, ButtonsTop, 50, 14}},
};

}  // namespace

CConsultDlg::CConsultDlg(const QString& caption, FileChooser& chooser, QWidget* parent, int selectPage)
    : QDialog(parent)
{
    SetUpDialogFrame(*this, "", SheetWidth, SheetHeight);
    setWindowTitle(caption);
    const DialogUnits units(font());
    pages = new QTabWidget(this);
    pages->setGeometry(units.ToPixels(PagesRect));
    onePage = new CConsultOnePage;
    filePage = new CConsultFilePage(chooser);
    pages->addTab(onePage, QStringLiteral("Singular"));
    pages->addTab(filePage, QStringLiteral("Plural"));
    pages->setCurrentIndex(selectPage);
    shownPage = pages->currentIndex();
    connect(pages, &QTabWidget::currentChanged, this, &CConsultDlg::OnPageChanged);

    const DialogControls controls = BuildControls(*this, units, SheetButtons);
    connect(controls.Get<QPushButton>(1), &QPushButton::clicked, this, &CConsultDlg::OnOK);
    connect(controls.Get<QPushButton>(2), &QPushButton::clicked, this, &QDialog::reject);
}

void CConsultDlg::done(int result)
{
    activePage = pages->currentIndex();
    QDialog::done(result);
}

void CConsultDlg::OnOK()
{
    if (!SavePage(pages->currentIndex()))
        return;
    // The Singular page exists from the start, so it writes back whichever page is showing.
    onePage->OnOK();
    accept();
}

void CConsultDlg::OnPageChanged(int index)
{
    if (returningToPage)
        return;
    if (!SavePage(shownPage)) {
        // The page that refused its controls stays in front until they are corrected.
        returningToPage = true;
        pages->setCurrentIndex(shownPage);
        returningToPage = false;
        return;
    }
    shownPage = index;
    LoadPage(index);
}

bool CConsultDlg::SavePage(int index)
{
    if (index == PluralPage) {
        filePage->SaveControls();
        return true;
    }
    return onePage->SaveControls();
}

void CConsultDlg::LoadPage(int index)
{
    if (index == PluralPage)
        filePage->LoadControls();
    else
        onePage->LoadControls();
}
