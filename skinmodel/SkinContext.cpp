#include "skinmodel/SkinContext.h"

namespace {
QString& ProjectFolder()
{
    static QString folder;
    return folder;
}
}  // namespace

QString CurrentProjectFolder()
{
    return ProjectFolder();
}

void SetCurrentProjectFolder(const QString& folder)
{
    ProjectFolder() = folder;
}
