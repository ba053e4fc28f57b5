#include "dialog_gallery.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QTabWidget>

#include "document/shape_rules.h"
#include "shell/dialogs/about_box.h"
#include "shell/dialogs/consult_dlg.h"
#include "shell/dialogs/consult_file_page.h"
#include "shell/dialogs/consult_one_page.h"
#include "shell/dialogs/new_net_dlg.h"
#include "shell/dialogs/report_dlg.h"
#include "shell/dialogs/train_data_dlg.h"

namespace {

// The browse buttons are never pressed while rendering.
class NoFileChooser : public FileChooser {
public:
    bool ChooseFile(const FileChooserRequest&, std::string&) override { return false; }
};

class Gallery {
public:
    explicit Gallery(const QString& folder) : directory(folder) { directory.mkpath(QStringLiteral(".")); }

    // Shows window, paints it, saves it as name and closes it again.
    void Render(QWidget& window, const QString& name)
    {
        window.show();
        QApplication::processEvents();
        const QString path = directory.filePath(name);
        if (window.grab().save(path, "PNG"))
            written << path;
        window.close();
    }

    QStringList written;

private:
    QDir directory;
};

void RenderConsultSheet(Gallery& gallery, FileChooser& chooser)
{
    double values[] = {0.25, 1.5, -3.0, 1000.0};
    CConsultDlg sheet(QStringLiteral("Consult"), chooser, nullptr, CConsultDlg::SingularPage);
    sheet.OnePage().SetValues(4, values);
    sheet.OnePage().SetValue(values[0]);
    sheet.FilePage().SetPaths("/home/user/data/inputs.dat", "/home/user/data/outputs.dat");
    gallery.Render(sheet, QStringLiteral("consult_singular.png"));
    sheet.Pages().setCurrentIndex(CConsultDlg::PluralPage);
    gallery.Render(sheet, QStringLiteral("consult_plural.png"));
}

}  // namespace

QStringList RenderDialogs(const QString& folder)
{
    Gallery gallery(folder);
    NoFileChooser chooser;

    CNewNetDlg shape;
    shape.SetFields({5, 4, 2});
    gallery.Render(shape, QStringLiteral("new_network.png"));

    CAboutBox about;
    gallery.Render(about, QStringLiteral("about.png"));

    CTrainDataDlg trainingData(chooser);
    trainingData.SetFields({"/home/user/data/training.dat", true});
    gallery.Render(trainingData, QStringLiteral("training_data.png"));

    RenderConsultSheet(gallery, chooser);

    CReportDlg report;
    report.SetText("Output # 0, - \t3.000000\r\nOutput # 1, - \t0.666667\r\n");
    gallery.Render(report, QStringLiteral("report.png"));

    QMessageBox ratio(QMessageBox::Critical, QStringLiteral("Corvina"),
                      QString::fromStdString(ShapeRules::RatioMessage(4)), QMessageBox::Ok);
    gallery.Render(ratio, QStringLiteral("ratio_message.png"));
    return gallery.written;
}
