#include "platform/core/FileLookup.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The entry of `dir` named `part` under its existing case; empty when there is none.
QString FindEntry(const QString& dir, const QString& part)
{
    if (QFileInfo::exists(dir + part))
        return part;
    QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(part, Qt::CaseInsensitive) == 0)
            return e;
    return {};
}

QString Resolve(const QString& folder, const QString& name, bool* exists)
{
    QString path = folder.isEmpty() ? QString() : WithTrailingSlash(folder);
    QString rest = name;
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    // The usual case, a name in the case it has on disk: one status call finds it, and every part
    // on the way then exists under that case too.
    const auto isDots = [](const QString& part) { return part == QLatin1String(".") || part == QLatin1String(".."); };
    if (!parts.isEmpty() && std::none_of(parts.begin(), parts.end(), isDots)) {
        QString exact = path + parts.join(QLatin1Char('/'));
        if (rest.endsWith(QLatin1Char('/')))
            exact += QLatin1Char('/');
        if (QFileInfo::exists(exact)) {
            if (exists)
                *exists = true;
            return exact;
        }
    }
    bool found = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString entry;
        if (found && part != QLatin1String(".") && part != QLatin1String(".."))
            entry = FindEntry(path, part);
        else if (found)
            entry = QFileInfo::exists(path + part) ? part : QString();
        if (entry.isEmpty()) {
            found = false;
            entry = part;
        }
        path += entry;
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    if (rest.endsWith(QLatin1Char('/')) && !parts.isEmpty())
        path += QLatin1Char('/');
    if (exists)
        *exists = found && QFileInfo::exists(path);
    return path;
}

}  // namespace

QString FindFileNoCase(const QString& folder, const QString& name)
{
    return Resolve(folder, name, nullptr);
}

bool FileExistsNoCase(const QString& folder, const QString& name, QString* found)
{
    bool exists = false;
    const QString path = Resolve(folder, name, &exists);
    if (exists && found)
        *found = path;
    return exists;
}

std::string ExtractFileName(std::string_view path)
{
    const size_t cut = path.find_last_of("/\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

QString ExtractFileName(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path[i];
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return path.mid(i + 1);
    }
    return path;
}

QString WithTrailingSlash(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    QString out = folder;
    while (out.size() > 1 && (out.endsWith(QLatin1Char('/')) || out.endsWith(QLatin1Char('\\'))))
        out.chop(1);
    if (out == QLatin1String("\\"))
        out = QStringLiteral("/");
    if (!out.endsWith(QLatin1Char('/')))
        out += QLatin1Char('/');
    return out;
}
