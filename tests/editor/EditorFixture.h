// Shared set-up of the editor tests: a main window with its own settings file in a temporary
// folder, scripted dialogs, and small file helpers.
#pragma once

#include "editor/MainForm.h"
#include "editor/tools/Inspector.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <string>

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

// While it lives no window is activated, as on a display without a window manager (the offscreen
// platform activates a window when it is shown).
class TNoActivation : public QObject {
public:
    TNoActivation() { qApp->installEventFilter(this); }
    ~TNoActivation() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::WindowActivate || event->type() == QEvent::ActivationChange;
    }
};

// New Project's answers without a dialog.
class TScriptedNewSkin : public INewSkinDialog {
public:
    bool Ok = true;
    TNewSkinRequest Answer;
    int Calls = 0;
    bool Execute(TNewSkinRequest& request) override
    {
        ++Calls;
        if (Ok)
            request = Answer;
        return Ok;
    }
};

// The text form the editor writes: declaration, CR LF after every line.
inline QByteArray XmlText(std::initializer_list<const char*> lines)
{
    QByteArray out("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n");
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

inline const QByteArray& ValidIndex()
{
    static const QByteArray text = XmlText({"<skininfo>", "  <skinname>Blue</skinname>", "  <version>1.0</version>",
                                            "  <sizex>400</sizex>", "  <sizey>300</sizey>", "</skininfo>"});
    return text;
}

// A page without controls and with the settings reset, as the editor writes it.
inline QByteArray EmptyPage()
{
    return XmlText({"<screen default=\"0\" allowoverlay=\"false\" hasbg=\"false\" version=\"Kestralon OSDSkin 1.1\">",
                    "  <items/>", "</screen>"});
}

class TEditorFixture {
public:
    TEditorFixture() = default;
    ~TEditorFixture() { Form.reset(); }

    void Start()
    {
        Form = std::make_unique<TMainForm>(Dir.path() + QStringLiteral("/varnholt.ini"));
        Form->SetNewSkinDialog(&NewSkin);
        Form->show();
        Form->FirstActivate();
    }

    QString Path(const QString& name) const { return Dir.path() + QLatin1Char('/') + name; }

    // A folder that passes the project test, with the given pages.
    QString MakeProject(const QString& name, const QList<QPair<QString, QByteArray>>& pages = {}) const
    {
        const QString folder = Path(name) + QLatin1Char('/');
        WriteBytes(folder + QStringLiteral("index.xml"), ValidIndex());
        WriteBytes(folder + QStringLiteral("references.xml"), XmlText({"<controls/>"}));
        WriteBytes(folder + QStringLiteral("font.xml"), XmlText({"<fonts/>"}));
        WriteBytes(folder + QStringLiteral("myhome.xml"), XmlText({"<screen/>"}));
        QDir().mkpath(folder + QStringLiteral("images"));
        for (const auto& [page, text] : pages)
            WriteBytes(folder + page, text);
        return folder;
    }

    // Starts the window on a new project with the given pages and opens the first; returns the folder.
    QString StartOnPage(const QString& project, const QList<QPair<QString, QByteArray>>& pages)
    {
        const QString folder = MakeProject(project, pages);
        Start();
        OpenProject(folder);
        OpenPage(folder + pages.first().first);
        return folder;
    }

    // Closed as the user closes it, then started again on the same settings.
    void Restart()
    {
        Form->close();
        Form.reset();
        Start();
    }

    // Opens a project through the Open Project command.
    void OpenProject(const QString& folder)
    {
        Dialogs.AnswerFolder(folder);
        Form->mnOpenProjectClick();
    }

    // Opens a page of the open project through the Open Page command.
    void OpenPage(const QString& path)
    {
        Dialogs.AnswerOpenFile(path);
        Form->mnOpen1Click();
    }

    // As the user edits a value of the inspector: a click on the line's value through the window,
    // the field's text selected and replaced by keys to the focused widget, Return when `confirm`.
    void TypeIntoInspector(const QString& path, const QString& text, bool confirm = true)
    {
        Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
        QTreeWidget* tree = Inspector(*Form)->JvInspector1;
        tree->scrollToItem(Inspector(*Form)->Node(path));
        QCoreApplication::processEvents();
        const QPoint at = tree->visualRect(tree->indexFromItem(Inspector(*Form)->Node(path), 1)).center();
        QWidget* target = tree->viewport()->childAt(at) ? tree->viewport()->childAt(at) : tree->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(tree->viewport(), at));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
        if (confirm)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    int MessageCount() const
    {
        int n = 0;
        for (const TDialogCall& call : Dialogs.Calls())
            n += call.Kind == TDialogKind::MessageBox;
        return n;
    }

    QTemporaryDir Dir;
    TScriptedDialogs Dialogs;
    // Before the window and after it: the window never reaches a real dialog.
    TDialogsOverride Override{Dialogs};
    TScriptedNewSkin NewSkin;
    std::unique_ptr<TMainForm> Form;
};
