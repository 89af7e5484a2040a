// "Create a new Skin": name, parent folder, canvas size, author and copyright of a new project.
// OK is enabled once a second by the input check, so a folder created or removed meanwhile is noticed.
#pragma once

#include "editor/NewSkinRequest.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

class TfrmNewSkin : public QDialog, public INewSkinDialog {
    Q_OBJECT

public:
    static constexpr int CheckInterval = 1000;  // ms

    explicit TfrmNewSkin(QWidget* parent = nullptr);

    // Shown modally through the injectable dialogs; the fields keep their contents between uses.
    bool Execute(TNewSkinRequest& request) override;

    // True iff both sizes are given, the parent folder exists and there is a name.
    bool CanCreate() const;
    void Timer1Timer();
    void btnSearchClick();
    void btnOKClick();

    QLineEdit* edName = nullptr;
    QLineEdit* edPath = nullptr;
    QPushButton* btnSearch = nullptr;
    QSpinBox* udWidth = nullptr;
    QSpinBox* udHeight = nullptr;
    QLineEdit* edAuthor = nullptr;
    QLineEdit* edCopyr = nullptr;
    QLabel* lblHelp = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The project folder the fields name: parent folder, separator, name.
    QString ProjectFolder() const;
    // False (after telling the user) when the name cannot become a new folder under the parent.
    bool NameIsFree() const;
};
