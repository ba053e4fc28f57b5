#include "shell/dialogs/about_box.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "shell/dialogs/dialog_template.h"

namespace {

constexpr ControlRow Template100[] = {
    {ControlKind::Picture, CAboutBox::IconId, "", {11, 17, 21, 20}},
    {ControlKind::Label, StaticId, "Corvina Version 1.0", {40, 15, 82, 8}},
    {ControlKind::Label, StaticId, "Copyright (C) 2026", {42, 29, 82, 8}},
    {ControlKind::DefaultButton, 1, "OK", {130, 17, 50, 14}},
    {ControlKind::Label, StaticId, "Neural networks of discrete arithmetic", {13, 44, 167, 9}},
};

// The resource's icon, or the application's when the resources carry none.
QIcon ApplicationIcon()
{
    const QIcon icon(QStringLiteral(":/icons/corvina"));
    if (!icon.availableSizes().isEmpty())
        return icon;
    return QApplication::windowIcon();
}

}  // namespace

CAboutBox::CAboutBox(QWidget* parent)
    : QDialog(parent)
{
    SetUpDialogFrame(*this, "About Corvina", 187, 68);
    const DialogControls controls = BuildControls(*this, DialogUnits(font()), Template100);
    auto* iconLabel = controls.Get<QLabel>(IconId);
    const QIcon icon = ApplicationIcon();
    if (!icon.isNull())
        iconLabel->setPixmap(icon.pixmap(iconLabel->size()));
    connect(controls.Get<QPushButton>(1), &QPushButton::clicked, this, &QDialog::accept);
}
