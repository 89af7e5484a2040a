#include "editor/translate/StringProps.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

const QString Caption = QStringLiteral("Caption");
const QString Hint = QStringLiteral("Hint");
const QString Text = QStringLiteral("Text");

// The tab widget that shows `page` as one of its tabs, and the tab's index.
QTabWidget* TabOfPage(const QWidget* page, int& index)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = tabs ? tabs->indexOf(const_cast<QWidget*>(page)) : -1;
    return index >= 0 ? tabs : nullptr;
}

bool HasCaption(const QWidget* w)
{
    int index = 0;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w)
        || qobject_cast<const QGroupBox*>(w) || qobject_cast<const QToolBar*>(w) || TabOfPage(w, index);
}

bool HasText(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w);
}

std::optional<QString> WidgetCaption(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* t = qobject_cast<const QToolBar*>(w))
        return t->windowTitle();
    int index = 0;
    if (QTabWidget* tabs = TabOfPage(w, index))
        return tabs->tabText(index);
    return std::nullopt;
}

void SetWidgetCaption(QWidget* w, const QString& value)
{
    int index = 0;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(value);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(value);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(value);
    else if (auto* t = qobject_cast<QToolBar*>(w))
        t->setWindowTitle(value);
    else if (QTabWidget* tabs = TabOfPage(w, index))
        tabs->setTabText(index, value);
}

std::optional<QString> WidgetText(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    return std::nullopt;
}

void SetWidgetText(QWidget* w, const QString& value)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(value);
    else if (auto* c = qobject_cast<QComboBox*>(w))
        c->isEditable() ? c->setEditText(value) : c->setCurrentText(value);
}

bool IsOtherWindow(const QObject* object)
{
    auto* w = qobject_cast<const QWidget*>(object);
    if (!w)
        return false;
    if (qobject_cast<const QDialog*>(w) || qobject_cast<const QDockWidget*>(w))
        return true;
    return w->isWindow() && w->windowType() != Qt::Popup;
}

void CollectComponents(const QObject* parent, QList<QObject*>& out)
{
    for (QObject* child : parent->children()) {
        if (IsOtherWindow(child))
            continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            out << child;
        // The panels of a status bar are parts of it, not components with texts of their own.
        if (!qobject_cast<QStatusBar*>(child))
            CollectComponents(child, out);
    }
}

} // namespace

QStringList GetStringPropList(const QObject* object)
{
    if (qobject_cast<const QAction*>(object) || qobject_cast<const QMenu*>(object))
        return {Caption, Hint};
    auto* w = qobject_cast<const QWidget*>(object);
    if (!w)
        return {};
    QStringList names;
    if (HasCaption(w))
        names << Caption;
    names << Hint;
    if (HasText(w))
        names << Text;
    return names;
}

std::optional<QString> GetStringProp(const QObject* object, const QString& name)
{
    if (!GetStringPropList(object).contains(name))
        return std::nullopt;
    if (auto* a = qobject_cast<const QAction*>(object)) {
        if (name == Caption)
            return a->isSeparator() ? QStringLiteral("-") : a->text();
        return a->statusTip();
    }
    if (auto* m = qobject_cast<const QMenu*>(object))
        return name == Caption ? m->title() : m->menuAction()->statusTip();
    auto* w = qobject_cast<const QWidget*>(object);
    if (name == Hint)
        return w->toolTip();
    return name == Caption ? WidgetCaption(w) : WidgetText(w);
}

void SetStringProp(QObject* object, const QString& name, const QString& value)
{
    if (!GetStringPropList(object).contains(name))
        return;
    if (auto* a = qobject_cast<QAction*>(object)) {
        if (name == Hint)
            a->setStatusTip(value);
        else if (!a->isSeparator())
            a->setText(value);
        return;
    }
    if (auto* m = qobject_cast<QMenu*>(object)) {
        name == Caption ? m->setTitle(value) : m->menuAction()->setStatusTip(value);
        return;
    }
    auto* w = qobject_cast<QWidget*>(object);
    if (name == Hint)
        w->setToolTip(value);
    else if (name == Caption)
        SetWidgetCaption(w, value);
    else
        SetWidgetText(w, value);
}

QString FormCaption(const QWidget* form)
{
    auto* dock = qobject_cast<const QDockWidget*>(form->parentWidget());
    if (dock && dock->widget() == form)
        return dock->windowTitle();
    return form->windowTitle();
}

void SetFormCaption(QWidget* form, const QString& caption)
{
    form->setWindowTitle(caption);
    auto* dock = qobject_cast<QDockWidget*>(form->parentWidget());
    if (dock && dock->widget() == form)
        dock->setWindowTitle(caption);
}

int ComponentTag(const QObject* object)
{
    return object->property("Tag").toInt();
}

QListWidget* AsCheckListBox(QObject* object)
{
    auto* list = qobject_cast<QListWidget*>(object);
    return list && list->property("CheckListBox").toBool() ? list : nullptr;
}

void SetCheckListLines(QListWidget* list, const QStringList& lines)
{
    list->clear();
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QStringList CheckListLines(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QList<QObject*> OwnedComponents(QWidget* form)
{
    QList<QObject*> out;
    CollectComponents(form, out);
    return out;
}
