#pragma once

#include <QDialog>

// "About Corvina": the application icon, its name and version, and two lines about it.
class CAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int IconId = 128;

    explicit CAboutBox(QWidget* parent = nullptr);
};
