// The editor of one inspector line: a text field, a list of values (open or closed) and an edit
// button, as the line's item asks for.
#pragma once

#include <QComboBox>
#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;
class TJvCustomInspectorItem;

// A value list that is read again from its source whenever it drops down.
class TValueListCombo : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    std::function<QStringList()> Source;
    // Fills the list from the source and shows `text`; a closed list that lacks it shows it as an
    // extra entry.
    void Fill(const QString& text);
    // Shows `text`; an open list is read only when it drops down.
    void ShowText(const QString& text);
    void showPopup() override;
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
    // Text typed and not yet stored; stores it.
    bool Typed() const;
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

protected:
    // Escape in the field (or the open list around it) shows the stored value again.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Commit(const QString& text);
    bool BeingTyped() const;

    TJvCustomInspectorItem* FItem;
    QLineEdit* FText = nullptr;
    TValueListCombo* FCombo = nullptr;
    QToolButton* FButton = nullptr;
};
