#include "shell/recent_file_list.h"

#include <QFileInfo>
#include <QSettings>

#include "shell/command_ids.h"

namespace {

const QString Section = QStringLiteral("Recent File List");

QString EntryKey(int index)
{
    return Section + QStringLiteral("/File%1").arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(QString organizationName, QString applicationName)
    : organization(std::move(organizationName)), application(std::move(applicationName))
{
    Load();
}

void RecentFileList::Load()
{
    const QSettings settings(organization, application);
    for (int index = 0; index < RecentFileCount; ++index) {
        const QString path = settings.value(EntryKey(index)).toString();
        if (!path.isEmpty())
            paths.append(path);
    }
}

void RecentFileList::Store() const
{
    QSettings settings(organization, application);
    for (int index = 0; index < RecentFileCount; ++index) {
        if (index < paths.size())
            settings.setValue(EntryKey(index), paths[index]);
        else
            settings.remove(EntryKey(index));
    }
}

void RecentFileList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    while (paths.size() > RecentFileCount)
        paths.removeLast();
    Store();
}

void RecentFileList::Remove(int index)
{
    if (index < 0 || index >= paths.size())
        return;
    paths.removeAt(index);
    Store();
}

void RecentFileList::Remove(const QString& path)
{
    Remove(static_cast<int>(paths.indexOf(QFileInfo(path).absoluteFilePath())));
}
