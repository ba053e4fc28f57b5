#include "shell/qt_file_store.h"

#include <QFileInfo>
#include <QSaveFile>

bool QtFileStore::WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error)
{
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir()) {
        error = "It is a folder.";
        return false;
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString().toStdString() + ".";
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        error = file.errorString().toStdString() + ".";
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString().toStdString() + ".";
        return false;
    }
    return true;
}
