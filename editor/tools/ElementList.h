// The element list ("Objects"): one line per control of the page in stacking order (back first), in
// step with the canvas selection. A line's check box shows or hides its control on the canvas only;
// locked controls are marked with " *" and drawn in italics. The window menu sorts the lines by
// identifier or inverts all check boxes; dragging a line onto another restacks its control.
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

class QAction;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolButton;
class TElementListBox;
class TItemLayer;
class TPageDocument;

// "0007  Label - Title *": identifier (at least four digits), type name, description, lock mark.
QString ElementLineText(const TItemLayer& layer);

class TfrmObjects : public QWidget {
    Q_OBJECT

public:
    // Follows the page's selection and every change of its controls, line by line.
    explicit TfrmObjects(TPageDocument& document, QWidget* parent = nullptr);

    // The menu a right click on the lines opens (the canvas popup).
    void SetPopupMenu(QMenu* menu) { FPopup = menu; }
    // Rebuilds the lines from the page; the selected control's line stays selected.
    void RefreshList();
    // No line selected (the canvas selection stays, and so does the keyboard's place on its line).
    void ClearSelection();
    // The first line of `layer` becomes the selected line; none selected when it has no line.
    void SelectLine(const TItemLayer* layer);
    // Removes every line.
    void Clear();

    int LineCount() const;
    // The line's control; none outside the lines or when the control has left the canvas.
    TItemLayer* LineControl(int row) const;
    QString LineText(int row) const;
    bool LineChecked(int row) const;
    bool LineItalic(int row) const;
    // -1 when no line is selected.
    int SelectedLine() const;
    bool Sorted() const;
    bool DragEnabled() const;

    // The user chose a line (mouse or keys).
    void lbSelectionClick(int row);
    // The user toggled the check box of a line.
    void lbSelectionClickCheck(int row);
    // The line `source` was dropped on line `target` (-1: below the lines).
    void lbSelectionDragDrop(int source, int target);
    void mnuSortbyIDClick();
    void mnuInvertSelectionClick();
    void Image3Click();

    QToolButton* Image3 = nullptr;
    QMenu* pmMenu = nullptr;
    QAction* mnuSortbyID = nullptr;
    QAction* mnuInvertSelection = nullptr;
    QListWidget* List() const;

private:
    void FollowSelection(TItemLayer* layer);
    // One line each: the control entered the page, left it, or changed.
    void AddLine(TItemLayer* layer);
    void RemoveLine(const TItemLayer* layer);
    void UpdateLine(TItemLayer* layer);
    // The lines follow a change of the stacking order, moving only the line that moved.
    void FollowRestack();
    void ShowLine(QListWidgetItem* line, TItemLayer* layer);
    // At `row`, or at the end (-1, or when sorted: at its place).
    void AppendLine(TItemLayer* layer, int row = -1);
    // The list's selection shows the canvas selection again.
    void SyncSelection();

    TPageDocument& FDocument;
    TElementListBox* lbSelection = nullptr;
    QMenu* FPopup = nullptr;
    // The line of each control on the page.
    QHash<const TItemLayer*, QListWidgetItem*> FLines;
    // Set while the lines are changed by the program, not by the user.
    bool FUpdating = false;
    // A check box was toggled by the mouse press now in progress: the click only toggles.
    bool FCheckToggled = false;
};
