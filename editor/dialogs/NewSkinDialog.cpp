#include "editor/dialogs/NewSkinDialog.h"

#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "editor/dialogs/DialogFrame.h"
#include "editor/translate/UTranslate.h"
#include "document/ProjectFolder.h"
#include "platform/core/FileLookup.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorReport.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// "edName" is labelled by "lblName": a named label can be translated.
QLabel* LabelFor(QWidget* edit, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("lbl") + edit->objectName().mid(2));
    label->setBuddy(edit);
    return label;
}

QLineEdit* AddEdit(QGridLayout* grid, int row, const QString& caption, const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    auto* label = LabelFor(edit, caption, parent);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QSpinBox* AddSize(QGridLayout* grid, int row, const QString& caption, const char* name, int start, QWidget* parent)
{
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setRange(1, 2000);
    edit->setValue(start);
    // Numbers are not translated.
    edit->setProperty("Tag", 1);
    auto* label = LabelFor(edit, caption, parent);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

TfrmNewSkin::TfrmNewSkin(QWidget* parent)
    : QDialog(parent, SingleBorderDialog)
{
    setObjectName(QStringLiteral("frmNewSkin"));
    setWindowTitle(QStringLiteral("Create a new Skin"));
    setModal(true);

    auto* top = new QGridLayout;
    edName = AddEdit(top, 0, QStringLiteral("&Name"), "edName", this);
    edName->setMaxLength(255);
    edName->setToolTip(QStringLiteral("Do only use allowed chars, like you can use in filenames or foldernames."));
    edPath = AddEdit(top, 1, QStringLiteral("C&reate in"), "edPath", this);
    btnSearch = new QPushButton(QStringLiteral("..."), this);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnSearch->setProperty("Tag", 1);
    btnSearch->setToolTip(QStringLiteral("Click here to select where the skinfolder will be created."));
    btnSearch->setFixedWidth(btnSearch->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    top->addWidget(btnSearch, 1, 2);

    auto* dimensions = new QGroupBox(QStringLiteral("Dimensions"), this);
    dimensions->setObjectName(QStringLiteral("gbDimensions"));
    auto* sizes = new QGridLayout(dimensions);
    udWidth = AddSize(sizes, 0, QStringLiteral("&Width"), "udWidth", 720, dimensions);
    udHeight = AddSize(sizes, 1, QStringLiteral("&Height"), "udHeight", 576, dimensions);

    auto* bottom = new QGridLayout;
    edAuthor = AddEdit(bottom, 0, QStringLiteral("&Author"), "edAuthor", this);
    edCopyr = AddEdit(bottom, 1, QStringLiteral("&Copyright"), "edCopyr", this);

    lblHelp = new QLabel(QStringLiteral("Here you can define the properties of the new Skin. It will create the project "
                                        "folder and all necessary files und subfolders."),
                         this);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->setWordWrap(true);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setEnabled(false);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(dimensions);
    layout->addLayout(bottom);
    layout->addWidget(lblHelp);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(CheckInterval);
    connect(Timer1, &QTimer::timeout, this, &TfrmNewSkin::Timer1Timer);
    connect(btnSearch, &QPushButton::clicked, this, Guarded([this] { btnSearchClick(); }));
    connect(btnOK, &QPushButton::clicked, this, Guarded([this] { btnOKClick(); }));
    // Escape closes with Cancel too (QDialog's own key handling).
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmNewSkin::Execute(TNewSkinRequest& request)
{
    if (Dialogs().ExecModal(*this) != QDialog::Accepted)
        return false;
    // Checked again: the folder may have appeared since OK was pressed, or the answer was scripted.
    if (!CanCreate() || !NameIsFree())
        return false;
    request.Name = edName->text();
    request.Path = edPath->text();
    request.Width = udWidth->value();
    request.Height = udHeight->value();
    request.Author = edAuthor->text();
    request.Copyright = edCopyr->text();
    return true;
}

bool TfrmNewSkin::CanCreate() const
{
    // A size edit that holds no number of 1 to 2000 (typed 0, emptied) counts as 0.
    return udWidth->hasAcceptableInput() && udHeight->hasAcceptableInput() && !edPath->text().isEmpty()
        && QFileInfo(edPath->text()).isDir() && !edName->text().isEmpty();
}

void TfrmNewSkin::Timer1Timer()
{
    btnOK->setEnabled(CanCreate());
}

void TfrmNewSkin::btnSearchClick()
{
    const QString folder = BrowseForFolder(TranslatableString(16), edPath->text());
    if (!folder.isEmpty())
        edPath->setText(folder);
}

void TfrmNewSkin::btnOKClick()
{
    // OK may still be enabled for up to a second after the input went wrong.
    if (!CanCreate()) {
        btnOK->setEnabled(false);
        return;
    }
    if (NameIsFree())
        accept();
}

QString TfrmNewSkin::ProjectFolder() const
{
    return WithTrailingSlash(edPath->text()) + edName->text();
}

bool TfrmNewSkin::NameIsFree() const
{
    // A name that is no single folder name would create the project somewhere else.
    if (!IsRefusedSkinName(edName->text()) && !QFileInfo::exists(ProjectFolder()))
        return true;
    ShowErrorBox(TranslatableString(18) + QStringLiteral("\r\n") + TranslatableString(19), TranslatableString(17));
    return false;
}

void TfrmNewSkin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Timer1->start();
    TranslateForm(this, LanguageFile);
    if (!event->spontaneous())
        PlaceDialog(*this);
}

void TfrmNewSkin::hideEvent(QHideEvent* event)
{
    Timer1->stop();
    QDialog::hideEvent(event);
}
