// The editor of one inspector line: a text field, a list of values (open or closed) and an edit
// button, as the line's item asks for.
#pragma once

#include <QComboBox>
#include <QWidget>

#include <functional>
#include <vector>

class QLineEdit;
class QToolButton;
class TJvCustomInspectorItem;

// A value list that is read again from its source whenever it drops down. Only a choice in the open
// list counts as chosen; a key on the closed list only shows a value.
class TValueListCombo : public QComboBox {
    Q_OBJECT

public:
    explicit TValueListCombo(QWidget* parent = nullptr);
    std::function<QStringList()> Source;
    // The stored value, highlighted in the open list.
    std::function<QString()> Stored;
    // Fills the list from the source and shows `text`; a closed list that lacks it shows it as an
    // extra entry.
    void Fill(const QString& text);
    // Shows `text`; an open list is read only when it drops down.
    void ShowText(const QString& text);
    void showPopup() override;
    bool PopupOpen() const;
    // The entry just activated was chosen in the open list.
    bool Chosen() const { return FChosen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FChosen = false;
};

class TInspectorEditor : public QWidget {
    Q_OBJECT

public:
    TInspectorEditor(TJvCustomInspectorItem& item, QWidget* parent = nullptr);
    ~TInspectorEditor() override;

    // Shows the item's value; unless `always`, a field with typed text not yet stored keeps it.
    void ShowValue(bool always);
    // The text shown.
    QString Text() const;
    // After this the editor no longer reaches its item (the item is about to go).
    void Disarm();
    // Text typed (or a value shown by a key on a closed list) and not yet stored; stores it.
    bool Typed() const;
    // The same, differing from the stored value.
    bool Differs() const;
    void StoreTyped();

    // The text field (an open list's own field), or none.
    QLineEdit* LineEdit() const;
    // The value list, or none.
    TValueListCombo* ComboBox() const { return FCombo; }
    // The "..." button, or none.
    QToolButton* EditButton() const { return FButton; }

    // Typed or chosen text to store.
    std::function<void(const QString&)> OnCommit;
    std::function<void()> OnEditButton;
    // Up (-1) or Down (+1) with no list open: to the line above or below.
    std::function<void(int)> OnStep;
    // What is typed and not yet stored has changed.
    std::function<void()> OnTyped;

protected:
    // Escape in the field (or the open list around it) shows the stored value again; Up and Down
    // go to another line; the wheel scrolls the grid.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Commit(const QString& text);
    bool BeingTyped() const;
    // The widgets that take keys and the wheel: the field, the list, the button.
    std::vector<QWidget*> Parts() const;
    void Listed(int index);
    void TypedChanged();

    TJvCustomInspectorItem* FItem;
    QLineEdit* FText = nullptr;
    TValueListCombo* FCombo = nullptr;
    QToolButton* FButton = nullptr;
    // A closed list shows a value that a key chose and that is not yet stored.
    bool FShown = false;
};
