#pragma once

#include <QString>
#include <QStringList>

// The most recently used document files, newest first, kept in the per-user settings.
class RecentFileList {
public:
    // The list under the settings key organization, application "Corvina".
    explicit RecentFileList(QString organization = QStringLiteral("Local AppWizard-Generated Applications"),
                            QString application = QStringLiteral("Corvina"));

    const QStringList& Paths() const { return paths; }

    // Puts path first, removing an older entry of it and the entry that falls off the end.
    void Add(const QString& path);

    // Removes the entry at index, as when its file cannot be opened any more.
    void Remove(int index);

    // Removes the entry of path, if the list holds it.
    void Remove(const QString& path);

private:
    void Load();
    void Store() const;

    QString organization;
    QString application;
    QStringList paths;
};
