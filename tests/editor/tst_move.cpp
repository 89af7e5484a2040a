// The Move dialog behind "Move objects": its lines, offsets typed into it (negative, not a number,
// empty), repeated moves with the same lines chosen, and the page's modified flag afterwards.
#include "CommandsFixture.h"

#include "canvas/RubberBand.h"
#include "editor/tools/MoveDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Where a control lies: "x,y,w,h".
QString Where(const TItemLayer* layer)
{
    const TFloatRect r = layer->Location();
    return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right - r.Left).arg(r.Bottom - r.Top);
}

void ChooseLines(TSelectionForm& dialog, std::initializer_list<int> rows)
{
    dialog.ListBox1->clearSelection();
    for (int row : rows)
        dialog.ListBox1->item(row)->setSelected(true);
}

// The window without a project, with the Move dialog behind "Move objects".
struct TMoveFixture : TCommandsFixture {
    TMoveFixture()
        : TCommandsFixture(TStartWith::NoProject)
    {
        Dialog = std::make_unique<TSelectionForm>(Form->Document(), Form.get());
        Form->SetMoveDialog(Dialog.get());
    }
    // Chooses the lines, moves them by x and y `times` times, and closes the dialog.
    void MoveBy(std::initializer_list<int> rows, const QString& x, const QString& y, int times = 1)
    {
        Dialogs.AnswerModal(QDialog::Rejected, [&](QDialog&) {
            ChooseLines(*Dialog, rows);
            for (int i = 0; i < times; ++i) {
                Dialog->edX->setText(x);
                Dialog->edY->setText(y);
                Dialog->MoveSelected();
            }
        });
        Form->mnMoveClick();
    }
    std::unique_ptr<TSelectionForm> Dialog;
};

} // namespace

class TestMove : public QObject {
    Q_OBJECT

private slots:
    void linesAndStart();
    void offsets_data();
    void offsets();
    void twiceWithTheSameLines();
    void enterKeyMoves();
    void clickInTheListResetsOffsets();
    void sizeStaysAsItIs_data();
    void sizeStaysAsItIs();
};

void TestMove::linesAndStart()
{
    TMoveFixture f;
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    AddLabel(*f.Form, 20, 20, "b \xE9");
    f.Form->SetSelection(a);
    QStringList lines;
    QString offsets;
    QRect frame;
    f.Dialogs.AnswerModal(QDialog::Rejected, [&](QDialog& d) {
        d.show();
        frame = d.frameGeometry();
        auto& form = static_cast<TSelectionForm&>(d);
        for (int i = 0; i < form.ListBox1->count(); ++i)
            lines << form.ListBox1->item(i)->text();
        offsets = form.edX->text() + QLatin1Char(';') + form.edY->text();
    });
    QVERIFY(!f.Form->Modified());
    // The main window mostly off the screen: the dialog stays wholly on it.
    const QRect area = f.Form->screen()->availableGeometry();
    f.Form->setGeometry(QRect(area.bottomRight() - QPoint(150, 100), QSize(600, 450)));
    f.Form->Action("mnMove")->setEnabled(true);
    f.Trigger("mnMove");

    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Move"));
    // Back to front, the frame left out; the canvas selection is cleared before the dialog shows.
    const QString type = QString::fromStdString(a->TypeName());
    QCOMPARE(lines, (QStringList{type + QStringLiteral(" a"), type + QStringLiteral(" b \u00E9")}));
    QCOMPARE(offsets, QStringLiteral("0;0"));
    QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2").arg(frame.x()).arg(frame.y())));
    QCOMPARE(f.Form->Selected(), nullptr);
    QCOMPARE(f.Form->RubberBand(), nullptr);
    QCOMPARE(f.Count(), 2);
    // Closing the dialog marks the page changed, moved or not.
    QVERIFY(f.Form->Modified());
}

void TestMove::offsets_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("first");   // the chosen control after Enter
    QTest::addColumn<QString>("after");   // both offsets after Enter
    QTest::addColumn<int>("announced");   // changes of controls the page announced
    QTest::newRow("right and up") << "5" << "-3" << "105,47,40,20" << "0;0" << 1;
    QTest::newRow("left and down") << "-12" << "30" << "88,80,40,20" << "0;0" << 1;
    QTest::newRow("not a number counts as 0") << "abc" << "7" << "100,57,40,20" << "0;0" << 1;
    QTest::newRow("blanks and hexadecimal") << " 4" << "$10" << "104,66,40,20" << "0;0" << 1;
    QTest::newRow("empty x does nothing") << "" << "5" << "100,50,40,20" << ";5" << 0;
    QTest::newRow("empty y does nothing") << "9" << "" << "100,50,40,20" << "9;" << 0;
    QTest::newRow("no offset moves nothing") << "0" << "abc" << "100,50,40,20" << "0;0" << 0;
}

void TestMove::offsets()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, first);
    QFETCH(QString, after);
    QFETCH(int, announced);
    TMoveFixture f;
    TItemLayer* chosen = AddLabel(*f.Form, 100, 50, "a");
    TItemLayer* other = AddLabel(*f.Form, 100, 50, "b");
    QString left;
    QSignalSpy changed(&f.Form->Document(), &TPageDocument::ControlChanged);
    bool modified = true;
    f.Dialogs.AnswerModal(QDialog::Rejected, [&](QDialog&) {
        ChooseLines(*f.Dialog, {0});
        f.Dialog->edX->setText(x);
        f.Dialog->edY->setText(y);
        f.Dialog->edXKeyPress(QChar(13));
        left = f.Dialog->edX->text() + QLatin1Char(';') + f.Dialog->edY->text();
        modified = f.Form->Modified();
    });
    f.Form->mnMoveClick();
    QCOMPARE(Where(chosen), first);
    QCOMPARE(Where(other), QStringLiteral("100,50,40,20"));
    QCOMPARE(left, after);
    QCOMPARE(changed.count(), announced);
    QCOMPARE(modified, announced > 0);
}

void TestMove::twiceWithTheSameLines()
{
    TMoveFixture f;
    TItemLayer* a = AddLabel(*f.Form, 0, 0, "a");
    TItemLayer* b = AddLabel(*f.Form, 0, 0, "b");
    TItemLayer* c = AddLabel(*f.Form, 0, 0, "c");
    f.MoveBy({0, 2}, QStringLiteral("5"), QStringLiteral("-3"), 2);
    QCOMPARE(Where(a), QStringLiteral("10,-6,40,20"));
    QCOMPARE(Where(b), QStringLiteral("0,0,40,20"));
    QCOMPARE(Where(c), QStringLiteral("10,-6,40,20"));
}

void TestMove::enterKeyMoves()
{
    TMoveFixture f;
    TItemLayer* a = AddLabel(*f.Form, 30, 40, "a");
    f.Dialogs.AnswerModal(QDialog::Rejected, [&](QDialog&) {
        ChooseLines(*f.Dialog, {0});
        f.Dialog->edX->setText(QStringLiteral("-30"));
        f.Dialog->edY->setText(QStringLiteral("2"));
        QTest::keyClick(f.Dialog->edY, Qt::Key_Return);
    });
    f.Form->mnMoveClick();
    QCOMPARE(Where(a), QStringLiteral("0,42,40,20"));
    QCOMPARE(f.Dialog->edY->text(), QStringLiteral("0"));
}

void TestMove::clickInTheListResetsOffsets()
{
    TMoveFixture f;
    AddLabel(*f.Form, 0, 0, "a");
    AddLabel(*f.Form, 0, 0, "b");
    f.Dialog->FormShow();
    f.Dialog->edX->setText(QStringLiteral("8"));
    f.Dialog->edY->setText(QStringLiteral("9"));
    ChooseLines(*f.Dialog, {1});
    QCOMPARE(f.Dialog->edX->text(), QStringLiteral("0"));
    QCOMPARE(f.Dialog->edY->text(), QStringLiteral("0"));
}

void TestMove::sizeStaysAsItIs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("published");   // the control's Width after the move
    // A horizontal spin control is two buttons wide; its Width is one button.
    QTest::newRow("spin control") << "spincontrol" << 16;
    // A size set directly on the location, as the frame does, is not yet measured by the control.
    QTest::newRow("label sized by the frame") << "label" << 32;
}

void TestMove::sizeStaysAsItIs()
{
    QFETCH(QString, kind);
    QFETCH(int, published);
    TMoveFixture f;
    TItemLayer* control = OSDControlFactory().CreateKind(kind.toStdString(), &f.Form->Layers());
    f.Form->AttachControl(control);
    control->SetLocation(TFloatRect{10, 20, 42, 36});
    f.MoveBy({0}, QStringLiteral("5"), QStringLiteral("-5"));
    QCOMPARE(Where(control), QStringLiteral("15,15,32,16"));
    QCOMPARE(control->GetWidth(), published);
}

QTEST_MAIN(TestMove)
#include "tst_move.moc"
