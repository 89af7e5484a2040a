#include "editor/FileVersion.h"

#include <QCoreApplication>
#include <QFileInfo>

QString GetFileVersion(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("-1");
    if (file.canonicalFilePath() != QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
        return QString();
    QStringList parts = QCoreApplication::applicationVersion().split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return QString();
    while (parts.size() < 4)
        parts.append(QStringLiteral("0"));
    return parts.mid(0, 4).join(QLatin1Char('.'));
}
