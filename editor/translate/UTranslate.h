// User-interface translation: a window takes its texts from its section of a language file, and a
// language file that lacks the window's section receives one, filled with the window's texts.
#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QWidget;
class TMemIniFile;

class TTranslator {
public:
    // Components tagged 1 to 99 are neither read nor written.
    bool SkipTagged = false;

    // "Text", "Caption", "Hint".
    const QStringList& PropNames() const { return FPropNames; }

    // Sets the window's texts from its section; false (nothing changed) when the window is tagged
    // or the ini has no section named after it.
    bool LoadForm(QWidget* form, const TMemIniFile& ini) const;
    // Adds the window's section with its current texts and writes the ini to its file (raises
    // EFCreateError/EWriteError; the file is replaced atomically or not at all).
    void SaveForm(QWidget* form, TMemIniFile& ini) const;
    // Appends "name=value" for each translatable text of `component` (none when it is skipped).
    void CollectStringProps(QObject* component, QStringList& list) const;

private:
    bool Skipped(const QObject* component) const;
    bool IsTranslatable(const QString& propName) const;

    QStringList FPropNames{QStringLiteral("Text"), QStringLiteral("Caption"), QStringLiteral("Hint")};
};

// Translates one window with one language file, or fills the file with the window's texts. Nothing
// for an empty file name. A file that cannot be read or written is reported, and the window keeps
// its texts.
void TranslateForm(QWidget* form, const QString& fileName);

// The full path of the active language file.
extern QString LanguageFile;
