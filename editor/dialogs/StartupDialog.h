// "Select an option": shown once at start-up, it offers a new empty project or one of the recent
// projects (line 0 leads to the folder browser), and remembers "Don't show this dialog again".
#pragma once

#include "editor/NewSkinRequest.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class TEditorSettings;

class TfrmStartup : public QDialog, public IStartupDialog {
    Q_OBJECT

public:
    // The check box is stored in `settings` (it must outlive the dialog).
    explicit TfrmStartup(TEditorSettings& settings, QWidget* parent = nullptr);

    // Shown modally through the injectable dialogs. OK stores the check box, Cancel stores nothing.
    bool Execute(const QStringList& lastProjects, TStartupChoice& choice) override;

    void FormShow(const QStringList& lastProjects);
    void OpenListBoxClick();
    // The choice as the radio buttons and the list stand.
    TStartupChoice Choice() const;

    QRadioButton* EmptyRadioButton = nullptr;
    QRadioButton* OpenRadioButton = nullptr;
    QListWidget* OpenListBox = nullptr;
    QCheckBox* StartupCheck = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TEditorSettings& FSettings;
    // The two buttons lie in different groups; one button group keeps them exclusive.
    QButtonGroup* FChoices = nullptr;
    bool FTranslated = false;
};
