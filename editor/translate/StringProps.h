// The translatable texts of a window's components, in the names the language files use.
//
// The files name a component's texts "Caption", "Hint" and "Text". On our widgets they are:
//   Caption  window title (windows, tool windows, tool bars); text of buttons, check boxes, radio
//            buttons, tool buttons, labels and menu items (QAction); title of group boxes and of
//            menus; the tab text of a tab-widget page. A separator menu item's caption is "-".
//   Hint     tool tip of every widget; status tip of a menu item and of a menu's own entry.
//   Text     text of line edits and of combo boxes (spin boxes have none: their numbers stay).
// Components are told by their object names; a component's "Tag" property (an integer, 0 when
// unset) marks texts that must stay as they are. A list widget with the property "CheckListBox"
// set is a check-list box: its lines are one text, stored in comma-separated form.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QListWidget;
class QObject;
class QWidget;

// The names of the texts `object` has, in the order the files list them ("Caption", "Hint", "Text").
QStringList GetStringPropList(const QObject* object);
// The text of that name; none when the object has no such text.
std::optional<QString> GetStringProp(const QObject* object, const QString& name);
// Sets the text of that name (nothing when the object has no such text).
void SetStringProp(QObject* object, const QString& name, const QString& value);

// The caption of a window; a tool window's contents widget shares the caption of its dock.
QString FormCaption(const QWidget* form);
void SetFormCaption(QWidget* form, const QString& caption);

// The "Tag" property (0 when unset).
int ComponentTag(const QObject* object);
// A list widget marked as a check-list box; nullptr for anything else.
QListWidget* AsCheckListBox(QObject* object);
// Replaces the lines of a check-list box; the new lines have unchecked check boxes.
void SetCheckListLines(QListWidget* list, const QStringList& lines);
QStringList CheckListLines(const QListWidget* list);

// The components of a window in creation order: every named object below it, except Qt's own
// internal parts ("qt_..."), status bar panels, and whatever belongs to another window (dialogs,
// tool windows, other top-level windows; menus belong to the window).
QList<QObject*> OwnedComponents(QWidget* form);
