#include "support/KindFixture.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "support/TestPictures.h"

#include <QDir>

void KindTest::SetUp()
{
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
