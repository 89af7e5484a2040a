// The "Doubles" tool window: lists the pictures of the project's "images" folder that nothing
// names, so that the author can find and remove them. The button at the right of its title strip
// runs the search. It is not translated.
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QToolButton;
class TPageDocument;

class TfrmDoubles : public QWidget {
    Q_OBJECT

public:
    explicit TfrmDoubles(TPageDocument& document, QWidget* parent = nullptr);

    // Fills lbFiles with the unused pictures of the project folder `Folder`.
    void FindUnusedImages(const QString& Folder);
    // The search over the open project's folder; a file that cannot be read is reported.
    void Image3Click();
    void FormCreate();

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QToolButton* Image3 = nullptr;
    QListWidget* lbFiles = nullptr;

private:
    TPageDocument& FDocument;
};
