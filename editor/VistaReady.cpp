#include "editor/VistaReady.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

struct TFontChoice {
    bool Chosen = false;
    TVistaFont UI {QStringLiteral("Tahoma"), 8};
    TVistaFont Content {QStringLiteral("Verdana"), 8};
};

TFontChoice& Fonts()
{
    static TFontChoice choice;
    return choice;
}

const TFontChoice& ChosenFonts()
{
    if (!Fonts().Chosen)
        InitVistaReady();
    return Fonts();
}

void GiveFont(QWidget* control, const TVistaFont& face)
{
    QFont font = control->font();
    font.setFamily(face.Name);
    font.setPointSize(face.Size);
    control->setFont(font);
}

} // namespace

bool IsVista()
{
    return false;
}

void InitVistaReady()
{
    ChooseVistaFonts(QFontDatabase::families());
}

void ChooseVistaFonts(const QStringList& installedFamilies)
{
    TFontChoice choice;
    choice.Chosen = true;
    if (installedFamilies.contains(QStringLiteral("Segoe UI"), Qt::CaseInsensitive))
        choice.UI = {QStringLiteral("Segoe UI"), 9};
    if (installedFamilies.contains(QStringLiteral("Calibri"), Qt::CaseInsensitive))
        choice.Content = {QStringLiteral("Calibri"), 11};
    Fonts() = choice;
}

TVistaFont VistaUIFont()
{
    return ChosenFonts().UI;
}

TVistaFont VistaContentFont()
{
    return ChosenFonts().Content;
}

void PatchFormClass(const QMetaObject& formClass, bool ownTaskbarButton)
{
    Q_UNUSED(formClass);
    Q_UNUSED(ownTaskbarButton);
}

void ApplyVistaFonts(QWidget* control)
{
    SetVistaFonts(control);
}

void SetVistaFonts(QWidget* control)
{
    if (!control)
        return;
    if (qobject_cast<QPlainTextEdit*>(control) || qobject_cast<QTextEdit*>(control))
        GiveFont(control, ChosenFonts().Content);
    else if (control->isWindow() || control->testAttribute(Qt::WA_SetFont))
        GiveFont(control, ChosenFonts().UI);
    for (QObject* child : control->children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            SetVistaFonts(widget);
}
