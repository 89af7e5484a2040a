// The "Move" dialog: offsets a chosen set of the page's controls by whole pixels. It stays open
// for further moves until the user closes it; "Move objects" shows it modally.
#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QListWidget;
class TItemLayer;
class TPageDocument;

class TSelectionForm : public QDialog {
    Q_OBJECT

public:
    // Moves controls of the page document; `parent` is the window it stays on top of.
    TSelectionForm(TPageDocument& document, QWidget* parent);

    // Rebuilds the list from the canvas (nothing selected on the canvas) and shows it modally
    // through the injectable dialogs.
    void Execute();
    // One line per control in stacking order from the back; both offsets "0".
    void FormShow();
    void ListBox1Click();
    // Enter (13) in either offset moves the chosen controls when both offsets are filled in.
    void edXKeyPress(QChar key);
    // Offsets every chosen control by the two offsets, then resets them to "0".
    void MoveSelected();

    // The control of a line; none outside the lines or when it has left the canvas.
    TItemLayer* LineControl(int row) const;

    QGroupBox* gbMove = nullptr;
    QLineEdit* edX = nullptr;
    QLineEdit* edY = nullptr;
    QListWidget* ListBox1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TPageDocument& FDocument;
    bool FTranslated = false;
};
