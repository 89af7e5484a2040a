// The new-skin dialog: OK follows the input check once a second, names that exist or are no single
// folder name are refused with the two-line message, and New Project takes what the dialog gives.
#include "EditorFixture.h"

#include "editor/dialogs/NewSkinDialog.h"
#include "skinmodel/uskininfo.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

namespace {

const QString RefusalText = QStringLiteral(
    "There exists allready a skin project with the given name!\r\n"
    "Please choose another name or another folder for the new project");
const QString RefusalCaption = QStringLiteral("An error occured");

// Types into a size edit as the user does: all selected, then the new text.
void TypeInto(QSpinBox* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

bool NextTick(TfrmNewSkin& dialog)
{
    QSignalSpy tick(dialog.Timer1, &QTimer::timeout);
    return tick.wait(3 * TfrmNewSkin::CheckInterval);
}

void Fill(TfrmNewSkin& dialog, const QString& name, const QString& path)
{
    dialog.edName->setText(name);
    dialog.edPath->setText(path);
}

} // namespace

class TestNewSkin : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaults();
    void okFollowsInputAfterTick_data();
    void okFollowsInputAfterTick();
    void typedZeroDisablesWithinASecond();
    void timerRunsOnlyWhileShown();
    void okRefusesName_data();
    void okRefusesName();
    void executeFillsRequestAndKeepsFields();
    void executeRefusesWhatOkWouldRefuse();
    void searchButtonBrowses();
    void newProjectThroughTheDialog();
};

void TestNewSkin::startsWithDefaults()
{
    TfrmNewSkin dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Create a new Skin"));
    QCOMPARE(dialog.udWidth->value(), 720);
    QCOMPARE(dialog.udHeight->value(), 576);
    QCOMPARE(dialog.udWidth->minimum(), 1);
    QCOMPARE(dialog.udWidth->maximum(), 2000);
    QCOMPARE(dialog.udHeight->maximum(), 2000);
    QCOMPARE(dialog.edName->maxLength(), 255);
    QVERIFY(!dialog.btnOK->isEnabled());
    QVERIFY(!dialog.Timer1->isActive());
    QCOMPARE(dialog.Timer1->interval(), 1000);
    QCOMPARE(dialog.btnSearch->property("Tag").toInt(), 1);
}

void TestNewSkin::okFollowsInputAfterTick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existingPath");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all given") << QStringLiteral("Blue") << true << QStringLiteral("720") << QStringLiteral("576") << true;
    QTest::newRow("smallest size") << QStringLiteral("Blue") << true << QStringLiteral("1") << QStringLiteral("1") << true;
    QTest::newRow("empty name") << QString() << true << QStringLiteral("720") << QStringLiteral("576") << false;
    QTest::newRow("missing folder") << QStringLiteral("Blue") << false << QStringLiteral("720") << QStringLiteral("576") << false;
    QTest::newRow("width 0") << QStringLiteral("Blue") << true << QStringLiteral("0") << QStringLiteral("576") << false;
    QTest::newRow("height emptied") << QStringLiteral("Blue") << true << QStringLiteral("720") << QString() << false;
}

void TestNewSkin::okFollowsInputAfterTick()
{
    QFETCH(QString, name);
    QFETCH(bool, existingPath);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, enabled);
    QTemporaryDir dir;
    TfrmNewSkin dialog;
    dialog.show();
    Fill(dialog, name, existingPath ? dir.path() : dir.path() + QStringLiteral("/nowhere"));
    TypeInto(dialog.udWidth, width);
    TypeInto(dialog.udHeight, height);
    // Nothing changes before the check runs.
    QVERIFY(!dialog.btnOK->isEnabled());
    QVERIFY(NextTick(dialog));
    QCOMPARE(dialog.CanCreate(), enabled);
    QCOMPARE(dialog.btnOK->isEnabled(), enabled);
}

void TestNewSkin::typedZeroDisablesWithinASecond()
{
    QTemporaryDir dir;
    TfrmNewSkin dialog;
    dialog.show();
    Fill(dialog, QStringLiteral("Blue"), dir.path());
    QVERIFY(NextTick(dialog));
    QVERIFY(dialog.btnOK->isEnabled());
    TypeInto(dialog.udWidth, QStringLiteral("0"));
    QVERIFY(NextTick(dialog));
    QVERIFY(!dialog.btnOK->isEnabled());
}

void TestNewSkin::timerRunsOnlyWhileShown()
{
    TfrmNewSkin dialog;
    dialog.show();
    QVERIFY(dialog.Timer1->isActive());
    dialog.hide();
    QVERIFY(!dialog.Timer1->isActive());
    dialog.show();
    QVERIFY(dialog.Timer1->isActive());
}

void TestNewSkin::okRefusesName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    QTest::newRow("existing folder") << QStringLiteral("Blue") << true;
    QTest::newRow("existing file") << QStringLiteral("notes.txt") << true;
    QTest::newRow("slash") << QStringLiteral("a/b") << true;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << true;
    QTest::newRow("dot") << QStringLiteral(".") << true;
    QTest::newRow("dot dot") << QStringLiteral("..") << true;
    QTest::newRow("free name") << QStringLiteral("Red") << false;
    QTest::newRow("dots inside") << QStringLiteral("my.skin") << false;
}

void TestNewSkin::okRefusesName()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Blue"));
    WriteBytes(dir.path() + QStringLiteral("/notes.txt"), "x");
    TScriptedDialogs dialogs;
    TDialogsOverride use(dialogs);
    TfrmNewSkin dialog;
    dialog.show();
    Fill(dialog, name, dir.path());
    dialog.Timer1Timer();
    QVERIFY(dialog.btnOK->isEnabled());
    dialog.btnOK->click();
    if (refused) {
        QCOMPARE(dialogs.Calls().size(), std::size_t(1));
        const TDialogCall& call = dialogs.Calls().front();
        QCOMPARE(call.Kind, TDialogKind::MessageBox);
        QCOMPARE(call.Caption, RefusalCaption);
        QCOMPARE(call.Text, RefusalText);
        QCOMPARE(call.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The dialog stays open with its fields.
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.edName->text(), name);
        QCOMPARE(dialog.edPath->text(), dir.path());
    } else {
        QVERIFY(dialogs.Calls().empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
}

void TestNewSkin::executeFillsRequestAndKeepsFields()
{
    QTemporaryDir dir;
    TScriptedDialogs dialogs;
    TDialogsOverride use(dialogs);
    TfrmNewSkin dialog;
    dialogs.AnswerModal(QDialog::Accepted, [&](QDialog&) {
        Fill(dialog, QStringLiteral("Blue"), dir.path());
        dialog.udWidth->setValue(1280);
        dialog.udHeight->setValue(720);
        dialog.edAuthor->setText(QStringLiteral("Ann"));
        dialog.edCopyr->setText(QStringLiteral("(c) 2024"));
    });
    TNewSkinRequest request;
    QVERIFY(dialog.Execute(request));
    QCOMPARE(request.Name, QStringLiteral("Blue"));
    QCOMPARE(request.Path, dir.path());
    QCOMPARE(request.Width, 1280);
    QCOMPARE(request.Height, 720);
    QCOMPARE(request.Author, QStringLiteral("Ann"));
    QCOMPARE(request.Copyright, QStringLiteral("(c) 2024"));
    QCOMPARE(dialogs.Calls().front().Caption, QStringLiteral("Create a new Skin"));

    // The second use starts from the same fields; Cancel leaves the request alone.
    TNewSkinRequest again;
    dialogs.AnswerModal(QDialog::Accepted);
    QVERIFY(dialog.Execute(again));
    QCOMPARE(again.Name, QStringLiteral("Blue"));
    QCOMPARE(again.Width, 1280);
    TNewSkinRequest cancelled;
    dialogs.AnswerModal(QDialog::Rejected);
    QVERIFY(!dialog.Execute(cancelled));
    QCOMPARE(cancelled.Name, QString());
    QVERIFY(dialogs.Unexpected().empty());
}

void TestNewSkin::executeRefusesWhatOkWouldRefuse()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Blue"));
    TScriptedDialogs dialogs;
    TDialogsOverride use(dialogs);
    TfrmNewSkin dialog;
    // The folder may appear between OK and the caller reading the fields.
    dialogs.AnswerModal(QDialog::Accepted, [&](QDialog&) { Fill(dialog, QStringLiteral("Blue"), dir.path()); });
    TNewSkinRequest request;
    QVERIFY(!dialog.Execute(request));
    QCOMPARE(dialogs.Calls().back().Text, RefusalText);
    // Input that fails the check gives no project either.
    dialogs.AnswerModal(QDialog::Accepted, [&](QDialog&) { Fill(dialog, QString(), dir.path()); });
    QVERIFY(!dialog.Execute(request));
    QCOMPARE(request.Name, QString());
}

void TestNewSkin::searchButtonBrowses()
{
    QTemporaryDir dir;
    TScriptedDialogs dialogs;
    TDialogsOverride use(dialogs);
    TfrmNewSkin dialog;
    dialog.edPath->setText(QStringLiteral("/start"));
    dialogs.AnswerFolder(dir.path());
    dialog.btnSearch->click();
    QCOMPARE(dialogs.Calls().back().Kind, TDialogKind::Folder);
    QCOMPARE(dialogs.Calls().back().Caption, QStringLiteral("Select the folder where the Skinproject shall be created"));
    QCOMPARE(dialogs.Calls().back().Text, QStringLiteral("/start"));
    QCOMPARE(dialog.edPath->text(), dir.path());
    dialogs.AnswerFolder(QString());
    dialog.btnSearch->click();
    QCOMPARE(dialog.edPath->text(), dir.path());
}

void TestNewSkin::newProjectThroughTheDialog()
{
    TEditorFixture f;
    f.Start();
    TfrmNewSkin dialog(f.Form.get());
    f.Form->SetNewSkinDialog(&dialog);
    f.Dialogs.AnswerModal(QDialog::Accepted, [&](QDialog&) {
        Fill(dialog, QStringLiteral("Blue"), f.Dir.path());
        dialog.udWidth->setValue(800);
        dialog.udHeight->setValue(600);
    });
    f.Form->mnNewProjectClick();
    QVERIFY(f.Dialogs.Unexpected().empty());
    QVERIFY(QFileInfo(f.Path(QStringLiteral("Blue/index.xml"))).isFile());
    QCOMPARE(f.Form->CanvasWidth(), 800);
    QCOMPARE(f.Form->CanvasHeight(), 600);
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - Unnamed1.xml"));

    // The same name again is refused by the dialog; nothing changes.
    f.Dialogs.AnswerModal(QDialog::Rejected, [&](QDialog&) {
        dialog.Timer1Timer();
        dialog.btnOK->click();
    });
    const QString folder = f.Form->ProjectFolder();
    f.Form->mnNewProjectClick();
    QCOMPARE(f.Dialogs.Calls().back().Text, RefusalText);
    QCOMPARE(f.Form->ProjectFolder(), folder);
    f.Form->SetNewSkinDialog(nullptr);
}

QTEST_MAIN(TestNewSkin)
#include "tst_newskin.moc"
