// The main window's side of the translation: applying a language file and the Language menu.
#include "editor/MainForm.h"

#include "editor/TranslatableStrings.h"
#include "editor/settings/ConfigDir.h"
#include "editor/settings/EditorSettings.h"
#include "editor/translate/UTranslate.h"
#include "platform/core/FileLookup.h"
#include "platform/core/IniFile.h"
#include "platform/ui/ErrorReport.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScopeGuard>

namespace {

constexpr int ElementMenuCount = 20;

// The folder of the language files beside the program, under its case on disk.
QString LanguageFolder()
{
    const QString program = ConfigDir().ProgramFolder();
    return program.isEmpty() ? QString() : FindFileNoCase(program, QStringLiteral("Language/Quorvantel"));
}

} // namespace

void TMainForm::ApplyLanguageFile(const QString& languageFile)
{
    // Stands in for the platform's window-update lock; drawing resumes whatever happens.
    const bool wasEnabled = updatesEnabled();
    setUpdatesEnabled(false);
    const auto resume = qScopeGuard([&] { setUpdatesEnabled(wasEnabled); });

    TMemIniFile ini;
    if (!GuardedCall([&] { ini = TMemIniFile(languageFile); }))
        return;
    TranslateForm(this, languageFile);
    // The caption names the skin and the page; a caption from the file would be stale.
    UpdateCaption();
    const QString strings = QStringLiteral("Strings");
    for (int n = 1; n <= TranslatableStringCount; ++n)
        TranslatableString(n) = ini.ReadString(strings, QString::number(n), TranslatableString(n));
    const QString menuItems = QStringLiteral("Menuitems");
    for (int i = 0; i < ElementMenuCount; ++i)
        ElementMenuCaption(i) = ini.ReadString(menuItems, QString::number(i), ElementMenuCaption(i));
}

void TMainForm::BuildLanguageMenu()
{
    QMenu* menu = Menu("mnLanguage");
    delete menu->findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly);
    menu->clear();
    const QString folder = LanguageFolder();
    if (folder.isEmpty())
        return;
    const QString current = FSettings->Language().toLower();
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    // Hidden files are left out; the extension matches in any case.
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.lng")}, QDir::Files,
                                                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        const QString name = file.completeBaseName();
        // "&" in a file name is shown, not taken for an accelerator.
        auto* item = new QAction(QString(name).replace(u'&', QStringLiteral("&&")), group);
        item->setProperty("Tag", 1);
        item->setCheckable(true);
        item->setChecked(name.toLower() == current);
        item->setData(file.absoluteFilePath());
        menu->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { RunGuarded([&] { LanguageMenuClick(item); }); });
    }
}

void TMainForm::LanguageMenuClick(QAction* item)
{
    // The file as it is on disk (name and case), whatever characters its name holds.
    LanguageFile = item->data().toString();
    ApplyLanguageFile(LanguageFile);
    FSettings->SetLanguage(QFileInfo(LanguageFile).completeBaseName());
}
