#include "editor/dialogs/StartupDialog.h"

#include "editor/dialogs/DialogFrame.h"
#include "editor/settings/EditorSettings.h"
#include "editor/translate/UTranslate.h"
#include "platform/ui/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel* Picture(QStyle::StandardPixmap which, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setPixmap(parent->style()->standardIcon(which).pixmap(32, 32));
    label->setAlignment(Qt::AlignTop);
    return label;
}

} // namespace

TfrmStartup::TfrmStartup(TEditorSettings& settings, QWidget* parent)
    : QDialog(parent, SingleBorderDialog)
    , FSettings(settings)
{
    setObjectName(QStringLiteral("frmStartup"));
    setWindowTitle(QStringLiteral("Select an option"));
    setModal(true);

    auto* newGroup = new QGroupBox(QStringLiteral(" New file "), this);
    newGroup->setObjectName(QStringLiteral("gbNewFile"));
    EmptyRadioButton = new QRadioButton(QStringLiteral("Create a new &empty project"), newGroup);
    EmptyRadioButton->setObjectName(QStringLiteral("EmptyRadioButton"));
    auto* newLayout = new QHBoxLayout(newGroup);
    newLayout->addWidget(Picture(QStyle::SP_FileIcon, newGroup));
    newLayout->addWidget(EmptyRadioButton, 1);

    auto* openGroup = new QGroupBox(QStringLiteral(" Open file "), this);
    openGroup->setObjectName(QStringLiteral("gbOpenFile"));
    OpenRadioButton = new QRadioButton(QStringLiteral("Open an e&xisting project"), openGroup);
    OpenRadioButton->setObjectName(QStringLiteral("OpenRadioButton"));
    OpenListBox = new QListWidget(openGroup);
    OpenListBox->setObjectName(QStringLiteral("OpenListBox"));
    auto* openLayout = new QGridLayout(openGroup);
    openLayout->addWidget(Picture(QStyle::SP_DirOpenIcon, openGroup), 0, 0, 2, 1);
    openLayout->addWidget(OpenRadioButton, 0, 1);
    openLayout->addWidget(OpenListBox, 1, 1);

    FChoices = new QButtonGroup(this);
    FChoices->setExclusive(true);
    FChoices->addButton(EmptyRadioButton);
    FChoices->addButton(OpenRadioButton);

    StartupCheck = new QCheckBox(QStringLiteral("&Don't show this dialog again"), this);
    StartupCheck->setObjectName(QStringLiteral("StartupCheck"));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StartupCheck);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(newGroup);
    layout->addWidget(openGroup);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(OpenListBox, &QListWidget::itemPressed, this, [this] { OpenListBoxClick(); });
    // A line chosen with the keys counts as a click; the focus alone chooses nothing.
    connect(OpenListBox, &QListWidget::itemSelectionChanged, this, [this] {
        if (!OpenListBox->selectedItems().isEmpty())
            OpenListBoxClick();
    });
    connect(OpenListBox, &QListWidget::itemDoubleClicked, this, [this] {
        OpenListBoxClick();
        accept();
    });
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmStartup::Execute(const QStringList& lastProjects, TStartupChoice& choice)
{
    FormShow(lastProjects);
    if (Dialogs().ExecModal(*this) != QDialog::Accepted)
        return false;
    FSettings.SetNoShowStartup(StartupCheck->isChecked());
    choice = Choice();
    return true;
}

void TfrmStartup::FormShow(const QStringList& lastProjects)
{
    const QSignalBlocker quiet(OpenListBox);
    OpenListBox->clear();
    OpenListBox->addItems(lastProjects);
}

void TfrmStartup::OpenListBoxClick()
{
    OpenRadioButton->setChecked(true);
}

TStartupChoice TfrmStartup::Choice() const
{
    TStartupChoice choice;
    if (EmptyRadioButton->isChecked()) {
        choice.Choice = TStartupChoice::NewProject;
    } else if (OpenRadioButton->isChecked()) {
        choice.Choice = TStartupChoice::OpenProject;
        const QList<QListWidgetItem*> chosen = OpenListBox->selectedItems();
        choice.Line = chosen.isEmpty() ? -1 : OpenListBox->row(chosen.first());
    }
    return choice;
}

// Translated when first shown: no window is activated before it is shown, and without a window
// manager it may never be activated at all.
void TfrmStartup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FTranslated) {
        FTranslated = true;
        TranslateForm(this, LanguageFile);
    }
    if (!event->spontaneous())
        PlaceDialog(*this);
}
