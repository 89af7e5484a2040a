// Set-up of the editing-command tests: a main window over a project that holds the built-in
// references, a canvas shown whole, and helpers to reach the commands the way a user does.
#pragma once

#include "EditorFixture.h"

#include "canvas/view/ImgView32.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>

enum class TStartWith { Project, NoProject };

class TCommandsFixture : public TEditorFixture {
public:
    TCommandsFixture() = default;
    explicit TCommandsFixture(TStartWith start)
    {
        start == TStartWith::Project ? StartWithProject() : StartWithoutProject();
    }

    // Starts the window on an open project whose "references.xml" is the built-in one.
    void StartWithProject()
    {
        Folder = MakeProject(QStringLiteral("Skin"));
        WriteBytes(Folder + QStringLiteral("references.xml"), QByteArray::fromStdString(NewProjectReferencesText()));
        StartWithoutProject();
        OpenProject(Folder);
    }

    // Starts the window without a project and without references.
    void StartWithoutProject()
    {
        OSDControlFactory().ClearReferences();
        Start();
        // Nothing covers the canvas, so the view's centre is the canvas's: (360, 288) for the
        // 720 by 576 canvas without a project, (200, 150) for the project's 400 by 300.
        for (const char* name : {"frmTools", "frmObjects", "frmFonts", "frmDoubles", "frmAspectRatio"})
            if (QDockWidget* dock = Form->ToolWindow(name))
                dock->hide();
        Form->resize(1600, 1200);
        // Active, so that the input focus can be set.
        Form->activateWindow();
        if (!QTest::qWaitForWindowActive(Form.get()))
            qWarning("the main window did not become active");
        QCoreApplication::processEvents();
    }

    void Trigger(const char* action) { Form->Action(action)->trigger(); }

    // Chooses the Elements menu entry with the given menu number.
    void Insert(int tag)
    {
        for (QAction* item : Form->Menu("mnElements")->actions())
            if (!item->isSeparator() && item->data().toInt() == tag) {
                item->trigger();
                return;
            }
        QFAIL("no such Elements entry");
    }

    int Count() const { return Form->Layers().Count(); }
    TItemLayer* Control(int index) const { return dynamic_cast<TItemLayer*>(Form->Layers().Items(index)); }

    // The page as Save Page writes it into the project.
    QByteArray SavedPage()
    {
        Form->mnSave2Click();
        return ReadBytes(Folder + QStringLiteral("Unnamed1.xml"));
    }

    QString Folder;
};

// A control made by the factory and put on the page as page loading does.
inline TItemLayer* AddLabel(TMainForm& form, float x, float y, const char* description)
{
    TItemLayer* layer = OSDControlFactory().CreateKind("label", &form.Layers());
    layer->Description = description;
    layer->SetLocation(TFloatRect{x, y, x + 40, y + 20});
    form.AttachControl(layer);
    return layer;
}

// The item lines of a saved page, between "<items>" and "</items>".
inline QByteArray ItemsOf(const QByteArray& page)
{
    const int from = page.indexOf("<items>");
    const int to = page.indexOf("</items>");
    if (from < 0 || to < 0)
        return page.contains("<items/>") ? QByteArray() : QByteArray("<no items>");
    const int end = page.lastIndexOf("\r\n", to) + 2;
    return page.mid(from + 9, end - from - 9);
}
