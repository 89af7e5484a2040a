// The stacking commands at both ends of the stack: the order they leave, the frame that always
// stays on top, the enabling of their menu items, and the saved order of the items.
#include "CommandsFixture.h"

#include "canvas/RubberBand.h"

#include <QtTest>

namespace {

// The page from back to front by description; "#" is the frame.
QString Order(TMainForm& form)
{
    QString out;
    TLayerCollection& layers = form.Layers();
    for (int i = 0; i < layers.Count(); ++i) {
        TCustomLayer* layer = layers.Items(i);
        if (layer == form.RubberBand())
            out += QLatin1Char('#');
        else if (auto* control = dynamic_cast<TItemLayer*>(layer))
            out += QString::fromStdString(control->Description);
    }
    return out;
}

} // namespace

class TestStacking : public QObject {
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void neverAboveTheFrame();
    void enablingAtTheEnds_data();
    void enablingAtTheEnds();
    void savedItemsFollowTheOrder();
    void keysOfTheCommands();
};

void TestStacking::command_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("modified");
    // Start: a b c d with the frame on top.
    QTest::newRow("to front, bottom") << QByteArray("mnBringFront") << "a" << "bcda#" << true;
    QTest::newRow("to front, middle") << QByteArray("mnBringFront") << "b" << "acdb#" << true;
    QTest::newRow("to front, top") << QByteArray("mnBringFront") << "d" << "abcd#" << true;
    QTest::newRow("popup to front") << QByteArray("mnToFront") << "c" << "abdc#" << true;
    QTest::newRow("to back, top") << QByteArray("mnSendBack") << "d" << "dabc#" << true;
    QTest::newRow("to back, bottom") << QByteArray("mnSendBack") << "a" << "abcd#" << true;
    QTest::newRow("popup to back") << QByteArray("mnToBack") << "c" << "cabd#" << true;
    QTest::newRow("one to front, bottom") << QByteArray("mnLevelUp") << "a" << "bacd#" << true;
    QTest::newRow("one to front, under top") << QByteArray("mnLevelUp") << "c" << "abdc#" << true;
    QTest::newRow("one to front, top") << QByteArray("mnLevelUp") << "d" << "abcd#" << true;
    QTest::newRow("one back, top") << QByteArray("mnLevelDown") << "d" << "abdc#" << true;
    QTest::newRow("one back, second") << QByteArray("mnLevelDown") << "b" << "bacd#" << true;
    QTest::newRow("one back, bottom") << QByteArray("mnLevelDown") << "a" << "abcd#" << true;
}

void TestStacking::command()
{
    QFETCH(QByteArray, action);
    QFETCH(QString, selected);
    QFETCH(QString, order);
    QFETCH(bool, modified);
    TCommandsFixture f;
    f.StartWithoutProject();
    TItemLayer* pick = nullptr;
    for (const char* name : {"a", "b", "c", "d"}) {
        TItemLayer* layer = AddLabel(*f.Form, 10, 10, name);
        if (selected == QLatin1String(name))
            pick = layer;
    }
    f.Form->SetSelection(pick);
    QSignalSpy rebuilt(&f.Form->Document(), &TPageDocument::Restacked);
    // The commands act whatever their menu items last showed.
    f.Form->Action(action.constData())->setEnabled(true);
    f.Trigger(action.constData());
    QCOMPARE(Order(*f.Form), order);
    QCOMPARE(f.Form->Selected(), pick);
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), pick);
    QCOMPARE(f.Form->Modified(), modified);
    QCOMPARE(rebuilt.count(), 1);
}

// "One to front" on the control directly under the frame leaves both where they are; like the
// other three commands it still marks the page changed.
void TestStacking::neverAboveTheFrame()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    AddLabel(*f.Form, 10, 10, "a");
    TItemLayer* b = AddLabel(*f.Form, 10, 10, "b");
    f.Form->SetSelection(b);
    f.Form->mnLevelUpClick();
    f.Form->mnLevelUpClick();
    QCOMPARE(Order(*f.Form), QStringLiteral("ab#"));
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), b);
    QVERIFY(f.Form->Modified());
    // A control added on top of the frame (a page read while one is selected) is passed by it.
    AddLabel(*f.Form, 10, 10, "c");
    QCOMPARE(Order(*f.Form), QStringLiteral("ab#c"));
    f.Form->mnLevelUpClick();
    QCOMPARE(Order(*f.Form), QStringLiteral("acb#"));
    f.Form->mnBringFront1Click();
    QCOMPARE(Order(*f.Form), QStringLiteral("acb#"));
}

void TestStacking::enablingAtTheEnds_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");
    QTest::newRow("none") << QString() << false << false;
    QTest::newRow("bottom") << "a" << true << false;
    QTest::newRow("middle") << "b" << true << true;
    QTest::newRow("top") << "c" << false << true;
}

void TestStacking::enablingAtTheEnds()
{
    QFETCH(QString, selected);
    QFETCH(bool, up);
    QFETCH(bool, down);
    TCommandsFixture f;
    f.StartWithoutProject();
    for (const char* name : {"a", "b", "c"}) {
        TItemLayer* layer = AddLabel(*f.Form, 10, 10, name);
        if (selected == QLatin1String(name))
            f.Form->SetSelection(layer);
    }
    emit f.Form->Menu("mnSelection")->aboutToShow();
    QCOMPARE(f.Form->Action("mnLevelUp")->isEnabled(), up);
    QCOMPARE(f.Form->Action("mnLevelDown")->isEnabled(), down);
    QCOMPARE(f.Form->Action("mnToFront")->isEnabled(), up);
    QCOMPARE(f.Form->Action("mnToBack")->isEnabled(), down);
    // The actions themselves stay enabled.
    QVERIFY(f.Form->Action("mnBringFront")->isEnabled());
    QVERIFY(f.Form->Action("mnSendBack")->isEnabled());
}

void TestStacking::savedItemsFollowTheOrder()
{
    TCommandsFixture f;
    f.StartWithProject();
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    AddLabel(*f.Form, 10, 10, "b");
    f.Form->SetSelection(a);
    f.Trigger("mnBringFront");
    const QByteArray items = ItemsOf(f.SavedPage());
    QVERIFY(items.indexOf("<description>b</description>") < items.indexOf("<description>a</description>"));
    QVERIFY(!f.Form->Modified());
}

void TestStacking::keysOfTheCommands()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    AddLabel(*f.Form, 10, 10, "b");
    AddLabel(*f.Form, 10, 10, "c");
    f.Form->SetSelection(a);
    f.Form->ImgView()->setFocus();
    QTest::keyClick(f.Form->ImgView(), Qt::Key_F5);
    QCOMPARE(Order(*f.Form), QStringLiteral("bca#"));
    QTest::keyClick(f.Form->ImgView(), Qt::Key_F8);
    QCOMPARE(Order(*f.Form), QStringLiteral("bac#"));
    QTest::keyClick(f.Form->ImgView(), Qt::Key_F6);
    QCOMPARE(Order(*f.Form), QStringLiteral("abc#"));
    QTest::keyClick(f.Form->ImgView(), Qt::Key_F7);
    QCOMPARE(Order(*f.Form), QStringLiteral("bac#"));
}

QTEST_MAIN(TestStacking)
#include "tst_stacking.moc"
