#pragma once

#include <QDialog>
#include <QString>

#include "framework/file_chooser.h"

class CConsultFilePage;
class CConsultOnePage;
class QTabWidget;

// The "Consult" sheet: the "Singular" page (index 0) and the "Plural" page (index 1). OK saves
// the page showing, then has the Singular page write its list back; whatever closes the
// sheet, activePage tells which page was showing.
class CConsultDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int SingularPage = 0;
    static constexpr int PluralPage = 1;

    CConsultDlg(const QString& caption, FileChooser& chooser, QWidget* parent, int selectPage);

    CConsultOnePage& OnePage() { return *onePage; }
    CConsultFilePage& FilePage() { return *filePage; }
    QTabWidget& Pages() { return *pages; }

    // The page that was showing when the sheet closed.
    int ActivePage() const { return activePage; }

    void done(int result) override;

    // Confirms the sheet, unless the page showing refuses its controls.
    void OnOK();

private:
    void OnPageChanged(int index);
    bool SavePage(int index);
    void LoadPage(int index);

    int activePage = SingularPage;
    int shownPage = SingularPage;
    bool returningToPage = false;
    CConsultFilePage* filePage = nullptr;
    CConsultOnePage* onePage = nullptr;
    QTabWidget* pages = nullptr;
};
