#include "support/KindFixture.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QGuiApplication>

namespace {

// Text needs fonts, and fonts need an application object.
void EnsureGuiApp()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char arg0[] = "kindtest";
    static char* argv[] = {arg0, nullptr};
    new QGuiApplication(argc, argv);
}

}  // namespace

void KindTest::SetUp()
{
    EnsureGuiApp();
    ASSERT_TRUE(Project.isValid());
    SetCurrentProjectFolder(Project.path() + "/");
    OSDControlFactory().ClearReferences();
}

void KindTest::TearDown()
{
    OSDControlFactory().ClearReferences();
    SetCurrentProjectFolder(QString());
}

void KindTest::UseBuiltInReferences()
{
    OSDControlFactory().ClearReferences();
    OSDControlFactory().LoadReferencesFromText(BuiltInReferencesText());
}

QString KindTest::WriteProjectFile(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(Project.path(), name, bytes);
}

void KindTest::CloseProject()
{
    SetCurrentProjectFolder(QString());
}

void KindTest::SavePreview(const QImage& image, const QString& name)
{
    QDir().mkpath(QStringLiteral(VARNHOLT_TEST_OUTPUT));
    image.save(QStringLiteral(VARNHOLT_TEST_OUTPUT) + "/" + name);
}
