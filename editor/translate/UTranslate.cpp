#include "editor/translate/UTranslate.h"

#include "editor/translate/CommaText.h"
#include "editor/translate/StringProps.h"
#include "platform/core/IniFile.h"
#include "platform/ui/ErrorReport.h"

#include <QListWidget>
#include <QWidget>

QString LanguageFile;

namespace {

const QString CaptionKey = QStringLiteral("Caption");

// A text that the file form cannot hold (a line break) is left out: the key stays missing, so
// the window keeps that text instead of reading back a cut-off line.
void WriteText(TMemIniFile& ini, const QString& section, const QString& key, const QString& value)
{
    try {
        ini.WriteString(section, key, value);
    } catch (const EIniError&) {
    }
}

} // namespace

bool TTranslator::Skipped(const QObject* component) const
{
    const int tag = ComponentTag(component);
    return SkipTagged && tag >= 1 && tag <= 99;
}

bool TTranslator::IsTranslatable(const QString& propName) const
{
    return FPropNames.contains(propName, Qt::CaseInsensitive);
}

bool TTranslator::LoadForm(QWidget* form, const TMemIniFile& ini) const
{
    const QString section = form ? form->objectName() : QString();
    if (!form || ComponentTag(form) != 0 || section.isEmpty() || !ini.SectionExists(section))
        return false;
    SetFormCaption(form, ini.ReadString(section, CaptionKey, FormCaption(form)));
    for (QObject* component : OwnedComponents(form)) {
        if (Skipped(component))
            continue;
        const QString name = component->objectName();
        if (QListWidget* list = AsCheckListBox(component)) {
            const QString value = ini.ReadString(section, name, QString());
            if (!value.isEmpty())
                SetCheckListLines(list, SetCommaText(value));
            continue;
        }
        for (const QString& prop : GetStringPropList(component)) {
            if (!IsTranslatable(prop))
                continue;
            const QString current = GetStringProp(component, prop).value_or(QString());
            const QString value = ini.ReadString(section, name + u'.' + prop, current);
            // Setting an unchanged text would still move an edit's cursor.
            if (value != current)
                SetStringProp(component, prop, value);
        }
    }
    return true;
}

void TTranslator::SaveForm(QWidget* form, TMemIniFile& ini) const
{
    if (!form)
        return;
    const QString section = form->objectName();
    if (ComponentTag(form) == 0 && !FormCaption(form).isEmpty())
        WriteText(ini, section, CaptionKey, FormCaption(form));
    for (QObject* component : OwnedComponents(form)) {
        if (Skipped(component))
            continue;
        const QString name = component->objectName();
        if (QListWidget* list = AsCheckListBox(component)) {
            const QString commaText = GetCommaText(CheckListLines(list));
            if (!commaText.isEmpty())
                WriteText(ini, section, name, commaText);
            continue;
        }
        QStringList lines;
        CollectStringProps(component, lines);
        for (const QString& line : lines) {
            const QString prop = line.section(u'=', 0, 0);
            // The first value given for a name counts, as a name=value list reads.
            QString value;
            for (const QString& other : lines)
                if (other.section(u'=', 0, 0) == prop) {
                    value = other.mid(prop.size() + 1);
                    break;
                }
            if (value.isEmpty() || value == QLatin1String("-"))
                continue; // empty hints and menu separators
            WriteText(ini, section, name + u'.' + prop, value);
        }
    }
    ini.UpdateFile();
}

void TTranslator::CollectStringProps(QObject* component, QStringList& list) const
{
    if (Skipped(component) || component->objectName().isEmpty())
        return;
    for (const QString& prop : GetStringPropList(component))
        if (FPropNames.contains(prop))
            list << prop + u'=' + GetStringProp(component, prop).value_or(QString());
}

void TranslateForm(QWidget* form, const QString& fileName)
{
    // A window without a name has no section to read or fill.
    if (fileName.isEmpty() || !form || form->objectName().isEmpty())
        return;
    // A file that cannot be read is never overwritten: its sections would be lost.
    GuardedCall([&] {
        TTranslator translator;
        translator.SkipTagged = true;
        TMemIniFile ini(fileName);
        if (!translator.LoadForm(form, ini))
            translator.SaveForm(form, ini);
    });
}
