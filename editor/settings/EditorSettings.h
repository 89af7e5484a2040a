// The editor's settings file: language, start-up choice, recent projects and the docking layout.
// Everything is read and written through one in-memory ini; Save writes it back.
#pragma once

#include "platform/core/IniFile.h"

#include <QString>
#include <QStringList>

class TConfigDir;

// The program file's name with ".ini" for its extension ("varnholt" gives "varnholt.ini").
QString SettingsFileName(const QString& programFilePath);

class TEditorSettings {
public:
    static constexpr int MaxLastProjects = 10;

    TEditorSettings() = default;
    // Reads the file (missing: empty); raises EFOpenError when it exists but cannot be read.
    explicit TEditorSettings(const QString& fileName);
    // The settings file of this program for the user mode, copied from the program folder on first use.
    static QString FilePath(const TConfigDir& configDir, const QString& programFilePath);
    static TEditorSettings Open(const TConfigDir& configDir, const QString& programFilePath);
    // Reads the file under this name. One that cannot be read leaves the settings empty but keeps the
    // name, so that Save still writes there (or names it when that fails); raises EFOpenError.
    void Load(const QString& fileName);

    const QString& FileName() const { return FIni.FileName(); }
    TMemIniFile& Ini() { return FIni; }
    const TMemIniFile& Ini() const { return FIni; }

    // "General", "Language"; "English" when unset. As stored (the caller lower-cases it).
    QString Language() const;
    void SetLanguage(const QString& language);
    // "General", "noshowstartup": the start-up dialog is not to be shown.
    bool NoShowStartup() const;
    void SetNoShowStartup(bool value);

    // "Files", "1" to "10", up to the first empty entry.
    QStringList LastProjects() const;
    // Erases "Files" and writes "1" to the count of `projects`.
    void SetLastProjects(const QStringList& projects);

    // True when a docking layout was saved (section "DockingLayout\Forms").
    bool HasDockingLayout() const;

    // Writes the file whole and atomically; raises EFCreateError/EWriteError. A file that could not be
    // read is written only once it is gone or can be read: never over one that still cannot (EFOpenError).
    void Save() const;

private:
    TMemIniFile FIni;
    bool FUnread = false;
};
