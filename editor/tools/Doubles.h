// The "Doubles" tool window: lists the pictures of the project's "images" folder that nothing
// names, so that the author can find and remove them. The button at the right of its title strip
// runs the search. It is not translated.
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QToolButton;
class TMainForm;

class TfrmDoubles : public QWidget {
    Q_OBJECT

public:
    explicit TfrmDoubles(TMainForm& mainForm, QWidget* parent = nullptr);

    // Fills lbFiles with the unused pictures of the project folder `Folder`.
    void FindUnusedImages(const QString& Folder);
    // The search over the main window's project folder; a file that cannot be read is reported.
    void Image3Click();
    void FormCreate();

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QToolButton* Image3 = nullptr;
    QListWidget* lbFiles = nullptr;

private:
    TMainForm& FMainForm;
};

// The window in the main window's "frmDoubles" tool window, or none.
TfrmDoubles* DoublesWindow(const TMainForm& mainForm);
