#include "editor/settings/ConfigDir.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/FileLookup.h"
#include "platform/core/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

// The path parts of a name written with "\" or "/".
QStringList PathParts(const QString& name)
{
    return QString(name).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
}

bool IsDir(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool IsWorldWritable(const QString& folder)
{
    struct stat st {};
    return ::stat(QFile::encodeName(folder).constData(), &st) == 0 && (st.st_mode & S_IWOTH);
}

// Creates one folder. A shared folder is open to every user for reading, writing and deleting: mode
// 0777, with neither the sticky bit (others could not delete or replace files) nor setgid.
bool MakeFolder(const QString& folder, bool shared)
{
    if (!QDir().mkdir(folder))
        return false;
    return !shared || ::chmod(QFile::encodeName(folder).constData(), 0777) == 0;
}

// Creates the missing folders of `parts` below `base`, one level at a time. In shared mode the first
// level is opened to everyone; deeper levels follow their parent, as inherited access does.
// Returns the folder reached (existing case kept), or empty when a level could not be created.
QString MakeFolders(QString folder, const QStringList& parts, bool shared)
{
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString next = FindFileNoCase(folder, parts[i]);
        if (!IsDir(next)) {
            const bool open = shared && (i == 0 || IsWorldWritable(folder));
            if (!MakeFolder(next, open))
                return {};
        }
        folder = WithTrailingSlash(next);
    }
    return folder;
}

bool HasWildcards(const QString& name)
{
    return name.contains(u'*') || name.contains(u'?');
}

// The files of `folder` whose names match `pattern` ("*" and "?"), without regard to case.
QStringList MatchingFiles(const QString& folder, const QString& pattern)
{
    QString rx;
    for (QChar c : pattern)
        rx += c == u'*' ? QStringLiteral(".*") : c == u'?' ? QStringLiteral(".") : QRegularExpression::escape(c);
    const QRegularExpression re(QRegularExpression::anchoredPattern(rx), QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QString& entry : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (re.match(entry).hasMatch())
            found << entry;
    return found;
}

} // namespace

TDataFolders PlatformDataFolders()
{
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), QStringLiteral("/var/lib")};
}

void TConfigDir::LoadUserModeSettings(const QString& programFolder, const TDataFolders& dataFolders)
{
    FProgramFolder = WithTrailingSlash(programFolder);
    FDataFolders = dataFolders;
    FUserMode = 0;
    FRoot.clear();

    QString iniFile;
    if (!FileExistsNoCase(FProgramFolder, QStringLiteral("UserMode.ini"), &iniFile))
        iniFile = FindFileNoCase(QDir::cleanPath(FProgramFolder + QStringLiteral("..")), QStringLiteral("UserMode.ini"));
    TMemIniFile ini;
    try {
        ini = TMemIniFile(iniFile);
    } catch (const std::exception&) {
        return; // unreadable: mode 0
    }
    const int mode = ParseIniInteger(ini.ReadString("Mode", "UserMode", "0")).value_or(0);
    if (mode != 1 && mode != 2)
        return;
    const QStringList parts = PathParts(ini.ReadString("Mode", "Root", QString()));
    if (parts.isEmpty())
        return;
    FUserMode = mode;
    FRoot = parts.join(u'/') + u'/';
}

QString TConfigDir::GetUserDataFolder() const
{
    if (FUserMode == 0)
        return FProgramFolder;
    const QString base = FUserMode == 1 ? FDataFolders.PerUser : FDataFolders.AllUsers;
    if (base.isEmpty())
        return FProgramFolder;
    const QString folder = WithTrailingSlash(base) + FRoot;
    if (IsDir(folder))
        return folder;
    // A fresh account may not have its data folder yet.
    if (!IsDir(base) && !QDir().mkpath(base))
        return FProgramFolder;
    const QString made = MakeFolders(WithTrailingSlash(base), PathParts(FRoot), FUserMode == 2);
    return made.isEmpty() ? FProgramFolder : made;
}

QString TConfigDir::GetUserFilePath(const QString& fileName, bool copyIfMissing) const
{
    const QString folder = GetUserDataFolder();
    QStringList parts = PathParts(fileName);
    const QString name = parts.isEmpty() ? QString() : parts.takeLast();
    const QString relative = parts.isEmpty() ? name : parts.join(u'/') + u'/' + name;
    const auto pathIn = [&](const QString& base) {
        return HasWildcards(relative) ? base + relative : FindFileNoCase(base, relative);
    };

    if (folder == FProgramFolder)
        return pathIn(FProgramFolder);
    if (const QString existing = pathIn(folder); IsFileNotFolder(existing))
        return existing;

    const bool shared = FUserMode == 2 && IsWorldWritable(folder);
    QString target = MakeFolders(folder, parts, shared);
    if (target.isEmpty())
        target = WithTrailingSlash(folder + parts.join(u'/'));
    const QString sourceFolder = WithTrailingSlash(FindFileNoCase(FProgramFolder, parts.join(u'/')));
    const QStringList sources = MatchingFiles(sourceFolder, name);
    if (!copyIfMissing || sources.isEmpty())
        return pathIn(folder);
    for (const QString& source : sources) {
        const QString dest = target + source;
        if (!CopyFileData(sourceFolder + source, dest))
            return pathIn(FProgramFolder);
        if (shared)
            QFile::setPermissions(dest, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                            | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther);
    }
    return pathIn(folder);
}

TConfigDir& ConfigDir()
{
    static TConfigDir instance;
    return instance;
}

void LoadUserModeSettings()
{
    ConfigDir().LoadUserModeSettings(QCoreApplication::applicationDirPath());
}

QString GetUserDataFolder()
{
    return ConfigDir().GetUserDataFolder();
}

QString GetUserFilePath(const QString& fileName, bool copyIfMissing)
{
    return ConfigDir().GetUserFilePath(fileName, copyIfMissing);
}

bool IsFileNotFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool CopyFileData(const QString& source, const QString& dest)
{
    if (source == dest)
        return false;
    const QFileInfo from(source);
    const QFileInfo to(dest);
    // Another spelling of the same file would be emptied by the copy.
    if (!from.isFile() || (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()))
        return false;
    try {
        WriteFileAtomically(dest, ReadWholeFile(source));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
