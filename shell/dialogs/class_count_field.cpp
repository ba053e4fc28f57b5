#include "shell/dialogs/class_count_field.h"

#include <algorithm>

#include "document/evaluation.h"
#include "document/learning_settings.h"

std::optional<int32_t> ReadClassCount(const QString& text, int32_t outputs)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong classes = trimmed.toLongLong(&ok);
    if (!ok || !IsClassCountValid(classes, outputs))
        return std::nullopt;
    return static_cast<int32_t>(classes);
}

QString ClassCountText(int64_t classes)
{
    return classes == 0 ? QString() : QString::number(classes);
}

QString ClassCountMessage(int32_t outputs)
{
    return QStringLiteral("Enter a number of classes from 2 to %1, or leave the field empty.")
        .arg(std::min<int64_t>(outputs, MaxClassCount));
}
