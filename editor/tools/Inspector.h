// The object inspector ("tools"): every published property of the selected control, or of the page
// settings and the skin description when nothing is selected, one line each, grouped under
// categories; parts are lines that expand into their own properties. Each line's editor is chosen
// by the property's declared type. An edit goes through the property's setter and then marks the
// page modified, repaints the selected control and refreshes the element list.
#pragma once

#include "editor/tools/InspectorItems.h"

#include <QString>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class TColorHexDialog;
class TCustomLayer;
class TInspectorEditor;
class TItemLayer;
class TPageDocument;
struct TPlayerLists;

class TfrmTools : public QWidget {
    Q_OBJECT

public:
    // Follows the page's selection and the changes of what it shows; shows the current selection
    // at once. The player's lists fill the action, window and function editors.
    TfrmTools(TPageDocument& document, const TPlayerLists& lists, QWidget* parent = nullptr);
    ~TfrmTools() override;

    // Adds the instance's published properties under a new category named `category` (directly
    // under the root when it is empty); `clear` removes every line first.
    void InspectObject(const QString& category, bool clear, TPublished* instance);
    // Removes every line.
    void Clear();
    // What the selection shows: the control under "type - description", or with none the page
    // settings under "Window info" and the skin description under "Skin info". Unless `always`, a
    // field being typed into keeps its text where the same lines stay.
    void ShowSelection(TItemLayer* layer, bool always = true);
    // After a value was stored through the page document (which marked the page modified, kept
    // the frame on the control and announced the change): every line shows its value again.
    void JvInspector1DataValueChanged(const QString& property = QString());
    // Shows every value again; unless `always`, a field being typed into keeps its text.
    void RefreshValues(bool always = false);
    // Text typed into a line and not yet stored is stored now.
    void StoreTypedText();
    // A line shows typed text (or a value a key chose in a closed list) that differs from the
    // stored value.
    bool HasTypedText() const;

    const TInspectorItemRegistry& Registry() const { return FRegistry; }
    const TInspectorContext& Context() const { return FContext; }

    // The lines, for the user and for tests. A path names a line by its property names from the
    // category down, joined by "." ("ImageFocus.FileName"); the first match in any category.
    QTreeWidget* JvInspector1 = nullptr;
    QStringList Categories() const;
    // The property names under a category (by its name) or under a part line (by its path).
    QStringList Names(const QString& categoryOrPath);
    TJvCustomInspectorItem* Item(const QString& path);
    // The line itself, or none.
    QTreeWidgetItem* Node(const QString& path) { return FindNode(path); }
    // The line's editor: the line becomes the current one, the only one with an editor.
    TInspectorEditor* Editor(const QString& path);
    // The line's shown value.
    QString DisplayValue(const QString& path);

signals:
    // What is typed into the inspector and not yet stored has changed.
    void TypedTextChanged();

private:
    struct TLine;
    class TShownWatch;
    // How the lines of a control kind were left: the parts opened, the current line, the scroll
    // position.
    struct TKeptView {
        std::optional<std::type_index> Kind;
        QStringList Open;
        QString Current;
        QPoint Scroll;
    };

    void FormCreate();
    // The instance shown under `heading` (none: at the top).
    void Shows(QTreeWidgetItem* heading, TPublished* instance);
    // New lines under `parent`, or into `tops` without one; they enter the tree afterwards. A part's
    // own lines are made when it is first opened.
    void AddProperties(QTreeWidgetItem* parent, TPublished* instance, int depth, QList<QTreeWidgetItem*>& tops);
    void BuildPart(TLine& line);
    // The lines under `parent` show the same properties of `instance` (an object of the same kind).
    static bool SameLines(const std::vector<TLine*>& lines, const std::vector<TPropInfo>& props);
    void Rebind(const std::vector<TLine*>& lines, std::vector<TPropInfo> props, TPublished* instance);
    // Shows the instances under the categories already there when they are of the same kinds.
    bool ShowAgain(const std::vector<std::pair<QString, TPublished*>>& shown, bool always);
    void DropLines(QTreeWidgetItem* parent);
    std::vector<TLine*> LinesUnder(const QTreeWidgetItem* parent) const;
    TInspectorEditor* EnsureEditor(TLine& line);
    // The line's editor takes the focus; with `whole` its text is selected.
    void FocusEditor(QTreeWidgetItem* node, bool whole = false);
    // Up or Down in a line's editor: the line above or below becomes the current one.
    void Step(TLine& line, int step);
    // A line's path from its category.
    QString PathOf(const QTreeWidgetItem* node) const;
    void KeepView();
    void RestoreView();
    // The editor goes from the line left to the new current line.
    void MoveEditor(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void DropEditor(TLine& line);
    void ShowLine(TLine& line, bool always);
    void NewWatch();
    void Watch(TPublished* instance);
    QTreeWidgetItem* FindNode(const QString& path);
    TLine* LineOf(const QTreeWidgetItem* node) const;
    void Commit(TLine& line, const QString& text);
    void EditButtonClick(TLine& line);
    // False (after emptying the inspector) when a shown control or part has gone.
    bool ShownObjectsAlive();
    // The same without emptying.
    bool ShownAlive() const;
    // A shown control changed elsewhere: its values are shown again once the event loop is free.
    void ControlChanged(TItemLayer* layer);
    void ControlRemoved(const TItemLayer* layer);
    // The page settings' video window followed the canvas: shown again once the event loop is free.
    void WindowInfosChanged();

    TPageDocument& FDocument;
    TInspectorItemRegistry FRegistry;
    TInspectorContext FContext;
    std::unique_ptr<TColorHexDialog> FColorStandIn;
    std::vector<std::unique_ptr<TLine>> FLines;
    // The controls shown at the top of a category; the page announces when one goes.
    std::vector<const TCustomLayer*> FShownLayers;
    // The control whose values are shown and edited, and its category line.
    TItemLayer* FShownControl = nullptr;
    QTreeWidgetItem* FShownHeading = nullptr;
    std::optional<std::type_index> FShownKind;
    TKeptView FKept;
    // Told when any shown control or part is freed; its address may then hold another control.
    std::unique_ptr<TShownWatch> FWatch;
    bool FShownGone = false;
    bool FRefreshQueued = false;
    bool FSettingsQueued = false;
    bool FCommitting = false;
};
