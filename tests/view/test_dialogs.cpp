#include "platform/core/FileErrors.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

QApplication& App()
{
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { App(); }
    TScriptedDialogs FDialogs;
    TDialogsOverride FOverride{FDialogs};
};

} // namespace

TEST_F(DialogsTest, AnswersComeInOrderAndEveryCallIsRecorded)
{
    FDialogs.AnswerMessage(QMessageBox::Yes);
    FDialogs.AnswerOpenFile("/skins/a/myhome.xml");
    FDialogs.AnswerFolder("/skins/b");
    FDialogs.AnswerFont(QFont("Arial", 12));
    FDialogs.AnswerSaveFile("");

    EXPECT_EQ(Dialogs().MessageBox("Exit", "Save changes in skin?",
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning),
              QMessageBox::Yes);
    EXPECT_EQ(Dialogs().GetOpenFileName({.Title = "Choose a skin.", .Filter = "XML (*.xml)", .DefaultExt = "xml"}),
              "/skins/a/myhome.xml");
    EXPECT_EQ(Dialogs().BrowseForFolder("Select the folder", "/skins"), "/skins/b");
    EXPECT_EQ(Dialogs().ChooseFont(QFont(), "Font")->family(), "Arial");
    EXPECT_EQ(Dialogs().GetSaveFileName({.Title = "Save skin"}), ""); // cancelled

    const auto& calls = FDialogs.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(calls[0].Caption, "Exit");
    EXPECT_EQ(calls[0].Text, "Save changes in skin?");
    EXPECT_EQ(calls[0].Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(calls[0].Icon, QMessageBox::Warning);
    EXPECT_EQ(calls[1].Caption, "Choose a skin.");
    EXPECT_EQ(calls[1].File.DefaultExt, "xml");
    EXPECT_EQ(calls[2].Text, "/skins");
    EXPECT_EQ(calls[4].Kind, TDialogKind::SaveFile);
    EXPECT_TRUE(FDialogs.Unexpected().empty());
    EXPECT_EQ(FDialogs.Pending(), 0u);
}

TEST_F(DialogsTest, UnexpectedCallsGetTheCancelAnswerAndAreReported)
{
    const struct { QMessageBox::StandardButtons buttons; QMessageBox::StandardButton answer; } cases[] = {
        {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel},
        {QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
        {QMessageBox::Ok, QMessageBox::Ok},
        {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dialogs().MessageBox("c", "t", c.buttons), c.answer);

    FDialogs.AnswerFolder("/x"); // a folder answer does not fit a file dialog
    EXPECT_EQ(Dialogs().GetOpenFileName({.Title = "Open picture"}), "");
    EXPECT_EQ(FDialogs.Pending(), 1u);
    EXPECT_EQ(FDialogs.Unexpected().size(), 5u);
    EXPECT_EQ(FDialogs.Unexpected().back().Caption, "Open picture");
}

// The real message box answers Enter with the default button asked for, else with the box's own.
TEST_F(DialogsTest, EnterAnswersTheDefaultButton)
{
    const struct { QMessageBox::StandardButton defaultButton, answer; } cases[] = {
        {QMessageBox::Cancel, QMessageBox::Cancel}, {QMessageBox::NoButton, QMessageBox::Ok}};
    TQtDialogs real;
    for (const auto& c : cases) {
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(box, &press);
            }
        });
        enter.start(10);
        EXPECT_EQ(real.MessageBox("Misformed XML!", "lost?", QMessageBox::Ok | QMessageBox::Cancel,
                                  QMessageBox::NoIcon, c.defaultButton),
                  c.answer);
    }
    FDialogs.AnswerMessage(QMessageBox::Ok);
    Dialogs().MessageBox("c", "t", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon, QMessageBox::Cancel);
    EXPECT_EQ(FDialogs.Calls().back().DefaultButton, QMessageBox::Cancel);
}

// The font dialog tells what it showed on opening (a stand-in for a face it cannot show); OK without
// a change hands that back. The scripted dialog shows the same unless told otherwise.
TEST_F(DialogsTest, FontDialogTellsWhatItShowed)
{
    const QFont initial("Nicht Installiert Grotesk", 14, QFont::Bold);
    QTimer ok;
    QObject::connect(&ok, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    ok.start(10);
    QFont shown;
    QFont scripted;
    const std::optional<QFont> answer = TQtDialogs().ChooseFont(initial, "Font", &shown);
    FDialogs.AnswerFont(QFont("Arial", 12));
    Dialogs().ChooseFont(initial, "Font", &scripted);
    for (const QFont& font : {answer.value_or(QFont()), FontDialogShows(initial), scripted})
        EXPECT_EQ(font.toString(), shown.toString());
}

// The real dialogs open with their frame centred on the main window's, wholly on its screen also
// when that window is mostly off it.
TEST_F(DialogsTest, RealDialogsCentredOnTheirOwnerAndOnScreen)
{
    QWidget owner;
    owner.resize(500, 400);
    owner.show();
    const QRect area = owner.screen()->availableGeometry();
    TQtDialogs real;
    const std::function<void()> kinds[] = {
        [&] { real.MessageBox("About", "Varnholt", QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::NoButton); },
        [&] { real.ChooseFont(QFont(), QString(), nullptr); },
        [&] { real.BrowseForFolder("Select", QDir::tempPath()); },
        [&] { real.GetSaveFileName({.Title = "Save skin"}); }};
    for (const QPoint at : {area.topLeft() + QPoint(100, 80), area.bottomRight() - QPoint(150, 100)}) {
        owner.move(at);
        // A window manager moves it a little later.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
        for (const auto& open : kinds) {
            QRect frame;
            int settled = 0;
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (dialog && dialog->windowHandle()->isExposed() && ++settled == 10) {
                    frame = dialog->windowHandle()->frameGeometry();
                    dialog->reject();
                }
            });
            look.start(30);
            open();
            EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y();
            const QRect over = owner.windowHandle()->frameGeometry();
            if (area.contains(over))
                EXPECT_LE((frame.center() - over.center()).manhattanLength(), 2)
                    << frame.center().x() << "," << frame.center().y();
        }
    }
}

TEST_F(DialogsTest, ModalDialogsAreFilledAndAnswered)
{
    QDialog dialog;
    dialog.setWindowTitle("New skin");
    auto* name = new QLineEdit(&dialog);
    FDialogs.AnswerModal(QDialog::Accepted, [name](QDialog&) { name->setText("MySkin"); });
    EXPECT_EQ(Dialogs().ExecModal(dialog), QDialog::Accepted);
    EXPECT_EQ(name->text(), "MySkin");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FDialogs.Calls().back().Caption, "New skin");

    EXPECT_EQ(Dialogs().ExecModal(dialog), QDialog::Rejected); // nothing queued
    EXPECT_EQ(FDialogs.Unexpected().size(), 1u);
}

TEST_F(DialogsTest, OverrideIsRestoredAfterItsScope)
{
    TScriptedDialogs inner;
    {
        TDialogsOverride scope(inner);
        EXPECT_EQ(&Dialogs(), &inner);
    }
    EXPECT_EQ(&Dialogs(), &FDialogs);
    SetDialogs(nullptr);
    EXPECT_NE(dynamic_cast<TQtDialogs*>(&Dialogs()), nullptr);
    SetDialogs(&FDialogs);
}

TEST_F(DialogsTest, ErrorsAreShownAsCriticalBoxesWithTheProgramCaption)
{
    EXPECT_FALSE(GuardedCall([] { throw EWriteError("Cannot write file \"/s/caf\xC3\xA9.xml\". Disk full"); }));
    EXPECT_FALSE(GuardedCall([] { throw 42; }));
    EXPECT_TRUE(GuardedCall([] {}));
    ShowErrorText("This ist not a valid Skinproject.");

    const auto& calls = FDialogs.Calls();
    ASSERT_EQ(calls.size(), 3u);
    for (const TDialogCall& call : calls) {
        EXPECT_EQ(call.Caption, "Varnholt 2.0");
        EXPECT_EQ(call.Icon, QMessageBox::Critical);
        EXPECT_EQ(call.Buttons, QMessageBox::Ok);
    }
    EXPECT_EQ(calls[0].Text, QString::fromUtf8("Cannot write file \"/s/café.xml\". Disk full"));
    EXPECT_EQ(calls[1].Text, "Unknown error");
    EXPECT_EQ(calls[2].Text, "This ist not a valid Skinproject.");
}

TEST_F(DialogsTest, GuardedSlotsKeepExceptionsInside)
{
    QObject sender;
    QString seen;
    QObject::connect(&sender, &QObject::objectNameChanged, Guarded([&](const QString& name) {
                         seen = name;
                         throw std::runtime_error("Invalid Document: " + name.toStdString());
                     }));
    sender.setObjectName("page");
    EXPECT_EQ(seen, "page");
    ASSERT_EQ(FDialogs.Calls().size(), 1u);
    EXPECT_EQ(FDialogs.Calls()[0].Text, "Invalid Document: page");
}

TEST_F(DialogsTest, AFailingReportDoesNotThrow)
{
    class TThrowingDialogs : public TScriptedDialogs {
    public:
        QMessageBox::StandardButton MessageBox(const QString&, const QString&, QMessageBox::StandardButtons,
                                               QMessageBox::Icon, QMessageBox::StandardButton) override
        {
            throw std::runtime_error("no display");
        }
    } throwing;
    TDialogsOverride scope(throwing);
    EXPECT_FALSE(GuardedCall([] { throw std::runtime_error("first"); }));
}
