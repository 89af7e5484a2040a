// Where the editor keeps its per-user files. "UserMode.ini", beside the program or one folder up,
// chooses: 0 the program folder, 1 the user's data folder, 2 the data folder shared by all users.
#pragma once

#include <QString>

// The platform's application-data folders; empty where it has none.
struct TDataFolders {
    QString PerUser;  // user mode 1
    QString AllUsers; // user mode 2
};

// $XDG_DATA_HOME (normally ~/.local/share) for the user; /var/lib for all users.
TDataFolders PlatformDataFolders();

class TConfigDir {
public:
    // Reads "UserMode.ini" once; a missing or unreadable file, a bad mode or a mode 1 or 2 without
    // "Root" gives mode 0.
    void LoadUserModeSettings(const QString& programFolder, const TDataFolders& dataFolders = PlatformDataFolders());

    // With a trailing "/".
    const QString& ProgramFolder() const { return FProgramFolder; }
    int UserMode() const { return FUserMode; }
    // The subfolder below the data folder with a trailing "/"; empty in mode 0.
    const QString& Root() const { return FRoot; }

    // The settings folder with a trailing "/", created when needed; the program folder whenever the
    // data folder cannot be found or created.
    QString GetUserDataFolder() const;
    // The full path of a per-user file (`fileName` may hold subfolders and the wildcards "*" and "?").
    // On first use the program folder's copy is copied there; when that copy fails, the program
    // folder's file is the answer.
    QString GetUserFilePath(const QString& fileName, bool copyIfMissing) const;

private:
    QString FProgramFolder;
    int FUserMode = 0;
    QString FRoot;
    TDataFolders FDataFolders;
};

// The program-wide instance, loaded from the program's own folder at start.
TConfigDir& ConfigDir();
void LoadUserModeSettings();
QString GetUserDataFolder();
QString GetUserFilePath(const QString& fileName, bool copyIfMissing);

// True when the path exists and is not a folder.
bool IsFileNotFolder(const QString& path);
// True when the whole file was copied; the destination is replaced atomically, so a failed copy
// leaves no partial file behind.
bool CopyFileData(const QString& source, const QString& dest);
