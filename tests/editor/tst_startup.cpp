// The start-up dialog: the recent list with its placeholder first, the two exclusive choices, the
// chosen line, "Don't show this dialog again" stored on OK only, and what the main window does then.
#include "EditorFixture.h"

#include "editor/dialogs/NewSkinDialog.h"
#include "editor/dialogs/StartupDialog.h"
#include "editor/settings/EditorSettings.h"
#include "editor/translate/UTranslate.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>
#include <QtTest>

namespace {

const QStringList Recent{QStringLiteral("Another existing project..."), QStringLiteral("/skins/blue/"),
                         QStringLiteral("/skins/red/")};

void ClickLine(QListWidget* list, int row, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    // A double click is a click followed by the double-click event on the same line.
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// What the user does in the shown dialog, then the answer the dialog ends with.
enum class TStep { ChooseNew, ChooseOpen, ClickLine1, ClickLine0, Tick };

void Perform(TfrmStartup& dialog, const QList<TStep>& steps)
{
    dialog.show();
    for (TStep step : steps) {
        switch (step) {
        case TStep::ChooseNew: dialog.EmptyRadioButton->click(); break;
        case TStep::ChooseOpen: dialog.OpenRadioButton->click(); break;
        case TStep::ClickLine1: ClickLine(dialog.OpenListBox, 1); break;
        case TStep::ClickLine0: ClickLine(dialog.OpenListBox, 0); break;
        case TStep::Tick: dialog.StartupCheck->setChecked(true); break;
        }
    }
}

// The dialog on its own settings file; scripted dialogs answer its Execute.
struct TDialogFixture {
    QTemporaryDir Dir;
    TEditorSettings Settings{Dir.path() + QStringLiteral("/s.ini")};
    TScriptedDialogs Dialogs;
    TDialogsOverride Use{Dialogs};
    TfrmStartup Dialog{Settings};
};

} // namespace

Q_DECLARE_METATYPE(QList<TStep>)

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void showsRecentListAndNoChoice();
    void choices_data();
    void choices();
    void radioButtonsStayExclusive();
    void doubleClickClosesWithOk();
    void noShowStartupStored_data();
    void noShowStartupStored();
    void mainWindowActsOnChoice_data();
    void mainWindowActsOnChoice();
    void singleBorderCentredOnOwner_data();
    void singleBorderCentredOnOwner();
    void waitsForMainWindowPlace();
};

void TestStartup::showsRecentListAndNoChoice()
{
    TDialogFixture f;
    f.Dialog.FormShow(Recent);
    QCOMPARE(f.Dialog.windowTitle(), QStringLiteral("Select an option"));
    QCOMPARE(f.Dialog.OpenListBox->count(), 3);
    QCOMPARE(f.Dialog.OpenListBox->item(0)->text(), QStringLiteral("Another existing project..."));
    QCOMPARE(f.Dialog.OpenListBox->item(2)->text(), QStringLiteral("/skins/red/"));
    QVERIFY(!f.Dialog.EmptyRadioButton->isChecked());
    QVERIFY(!f.Dialog.OpenRadioButton->isChecked());
    // Shown again, the list is not doubled.
    f.Dialog.FormShow(Recent);
    QCOMPARE(f.Dialog.OpenListBox->count(), 3);
    QCOMPARE(f.Dialog.Choice().Choice, TStartupChoice::None);
}

void TestStartup::choices_data()
{
    QTest::addColumn<QList<TStep>>("steps");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("line");
    QTest::newRow("nothing") << QList<TStep>{} << int(TStartupChoice::None) << -1;
    QTest::newRow("new") << QList<TStep>{TStep::ChooseNew} << int(TStartupChoice::NewProject) << -1;
    QTest::newRow("open, no line") << QList<TStep>{TStep::ChooseOpen} << int(TStartupChoice::OpenProject) << -1;
    QTest::newRow("line 1") << QList<TStep>{TStep::ClickLine1} << int(TStartupChoice::OpenProject) << 1;
    QTest::newRow("line 0") << QList<TStep>{TStep::ClickLine0} << int(TStartupChoice::OpenProject) << 0;
    QTest::newRow("line then new") << QList<TStep>{TStep::ClickLine1, TStep::ChooseNew}
                                   << int(TStartupChoice::NewProject) << -1;
}

void TestStartup::choices()
{
    QFETCH(QList<TStep>, steps);
    QFETCH(int, choice);
    QFETCH(int, line);
    TDialogFixture f;
    f.Dialogs.AnswerModal(QDialog::Accepted, [&](QDialog&) { Perform(f.Dialog, steps); });
    TStartupChoice result;
    QVERIFY(f.Dialog.Execute(Recent, result));
    QCOMPARE(int(result.Choice), choice);
    if (choice == TStartupChoice::OpenProject)
        QCOMPARE(result.Line, line);
    QCOMPARE(f.Dialogs.Calls().front().Caption, QStringLiteral("Select an option"));
}

void TestStartup::radioButtonsStayExclusive()
{
    TDialogFixture f;
    f.Dialog.FormShow(Recent);
    Perform(f.Dialog, {TStep::ChooseNew});
    QVERIFY(f.Dialog.EmptyRadioButton->isChecked());
    Perform(f.Dialog, {TStep::ClickLine1});
    QVERIFY(f.Dialog.OpenRadioButton->isChecked());
    QVERIFY(!f.Dialog.EmptyRadioButton->isChecked());
    Perform(f.Dialog, {TStep::ChooseNew});
    QVERIFY(!f.Dialog.OpenRadioButton->isChecked());
    // The list keeps its line; choosing the new project ignores it.
    QCOMPARE(f.Dialog.Choice().Choice, TStartupChoice::NewProject);
}

void TestStartup::doubleClickClosesWithOk()
{
    TDialogFixture f;
    f.Dialog.FormShow(Recent);
    f.Dialog.show();
    ClickLine(f.Dialog.OpenListBox, 0, true);
    QCOMPARE(f.Dialog.result(), int(QDialog::Accepted));
    QVERIFY(!f.Dialog.isVisible());
    QCOMPARE(f.Dialog.Choice().Choice, TStartupChoice::OpenProject);
    QCOMPARE(f.Dialog.Choice().Line, 0);
}

void TestStartup::noShowStartupStored_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("stored");
    QTest::newRow("OK, ticked") << true << int(QDialog::Accepted) << QStringLiteral("1");
    QTest::newRow("OK, not ticked") << false << int(QDialog::Accepted) << QStringLiteral("0");
    QTest::newRow("Cancel, ticked") << true << int(QDialog::Rejected) << QStringLiteral("<none>");
}

void TestStartup::noShowStartupStored()
{
    QFETCH(bool, ticked);
    QFETCH(int, answer);
    QFETCH(QString, stored);
    TDialogFixture f;
    // Neither choice is made: the check box is stored all the same.
    f.Dialogs.AnswerModal(answer, [&](QDialog&) { f.Dialog.StartupCheck->setChecked(ticked); });
    TStartupChoice choice;
    QCOMPARE(f.Dialog.Execute(Recent, choice), answer == QDialog::Accepted);
    QCOMPARE(f.Settings.Ini().ReadString(QStringLiteral("General"), QStringLiteral("noshowstartup"), QStringLiteral("<none>")),
             stored);
    QCOMPARE(f.Settings.NoShowStartup(), stored == QStringLiteral("1"));
}

void TestStartup::mainWindowActsOnChoice_data()
{
    QTest::addColumn<QList<TStep>>("steps");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("recent line 1 opens it") << QList<TStep>{TStep::ClickLine1} << QStringLiteral("open");
    QTest::newRow("line 0 browses") << QList<TStep>{TStep::ClickLine0} << QStringLiteral("browse");
    QTest::newRow("new project") << QList<TStep>{TStep::ChooseNew} << QStringLiteral("new");
    QTest::newRow("ticked, nothing chosen") << QList<TStep>{TStep::Tick} << QStringLiteral("nothing");
}

void TestStartup::mainWindowActsOnChoice()
{
    QFETCH(QList<TStep>, steps);
    QFETCH(QString, outcome);
    TEditorFixture f;
    const QString project = f.MakeProject(QStringLiteral("Blue"));
    WriteBytes(f.Path(QStringLiteral("varnholt.ini")), QStringLiteral("[Files]\r\n1=%1\r\n").arg(project).toUtf8());
    f.Form = std::make_unique<TMainForm>(f.Path(QStringLiteral("varnholt.ini")));
    f.Form->SetNewSkinDialog(&f.NewSkin);
    f.NewSkin.Ok = false;
    TfrmStartup dialog(f.Form->Settings(), f.Form.get());
    f.Form->SetStartupDialog(&dialog);
    f.Dialogs.AnswerModal(QDialog::Accepted, [&](QDialog&) { Perform(dialog, steps); });
    if (outcome == QStringLiteral("browse"))
        f.Dialogs.AnswerFolder(QString());
    // No window manager activates the window: the dialog comes with the first show.
    TNoActivation noActivation;
    f.Form->show();
    QTRY_COMPARE(f.Dialogs.Pending(), std::size_t(0));
    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Form->ProjectFolder(), outcome == QStringLiteral("open") ? project : QString());
    QCOMPARE(f.NewSkin.Calls, outcome == QStringLiteral("new") ? 1 : 0);
    QCOMPARE(f.Form->Settings().NoShowStartup(), outcome == QStringLiteral("nothing"));
    f.Form->SetStartupDialog(nullptr);
}


void TestStartup::singleBorderCentredOnOwner_data()
{
    QTest::addColumn<bool>("newSkin");
    QTest::newRow("start-up") << false;
    QTest::newRow("new skin") << true;
}

// Both dialogs: a single border with only the system menu (no minimise or maximise button, no
// resizing), centred on the owner wherever it is, also when a language file lengthens the texts.
void TestStartup::singleBorderCentredOnOwner()
{
    QFETCH(bool, newSkin);
    QTemporaryDir dir;
    TEditorSettings settings(dir.path() + QStringLiteral("/s.ini"));
    const QString longText(40, QLatin1Char('W'));
    QFile file(dir.path() + QStringLiteral("/Long.lng"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[frmStartup]\nStartupCheck.Caption=%1\n[frmNewSkin]\nbtnOK.Caption=%1\n")
                   .arg(longText).toLatin1());
    file.close();
    const QString previous = LanguageFile;
    LanguageFile = file.fileName();
    const auto restore = qScopeGuard([&] { LanguageFile = previous; });

    QWidget owner;
    owner.setGeometry(60, 40, 600, 450);
    owner.show();
    const QRect area = owner.screen()->availableGeometry();
    std::unique_ptr<QDialog> dialog;
    if (newSkin)
        dialog = std::make_unique<TfrmNewSkin>(&owner);
    else
        dialog = std::make_unique<TfrmStartup>(settings, &owner);
    // The last owner lies mostly off the screen: the dialog stays wholly on it.
    for (const QPoint at : {QPoint(60, 40), QPoint(140, 100), area.bottomRight() - QPoint(150, 100)}) {
        owner.move(at);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        const Qt::WindowFlags flags = dialog->windowHandle()->flags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(dialog->width() > 400);
        const QString where = QStringLiteral("%1,%2 %3x%4").arg(dialog->x()).arg(dialog->y()).arg(dialog->width()).arg(dialog->height());
        QVERIFY2(area.contains(dialog->frameGeometry()), qPrintable(where));
        if (area.contains(owner.frameGeometry()))
            QVERIFY2((dialog->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2, qPrintable(where));
        dialog->hide();
    }
}

// A window manager places the main window after it is shown: the dialog comes once it is on screen.
void TestStartup::waitsForMainWindowPlace()
{
    struct THoldExposure : QObject {
        bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Expose; }
    };
    TEditorFixture f;
    f.Form = std::make_unique<TMainForm>(f.Path(QStringLiteral("varnholt.ini")));
    TfrmStartup dialog(f.Form->Settings(), f.Form.get());
    f.Form->SetStartupDialog(&dialog);
    f.Dialogs.AnswerModal(QDialog::Rejected, [&](QDialog&) { dialog.show(); });
    TNoActivation noActivation;
    auto hold = std::make_unique<THoldExposure>();
    qApp->installEventFilter(hold.get());
    f.Form->show();
    QTest::qWait(20);
    QCOMPARE(f.Dialogs.Pending(), std::size_t(1));
    // Mapped again at its place: a real display exposes a window on mapping, not on a move.
    f.Form->hide();
    hold.reset();
    f.Form->move(-200, -100);
    f.Form->show();
    QTRY_COMPARE(f.Dialogs.Pending(), std::size_t(0));
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint offset = dialog.frameGeometry().center() - f.Form->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    f.Form->SetStartupDialog(nullptr);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
