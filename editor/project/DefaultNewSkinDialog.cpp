#include "editor/project/DefaultNewSkinDialog.h"

#include "platform/ui/Dialogs.h"

#include <QFileInfo>

bool TDefaultNewSkinDialog::Execute(TNewSkinRequest& request)
{
    TFileDialogOptions options;
    options.Title = QStringLiteral("Create a new Skin");
    options.InitialFolder = request.Path;
    options.FileName = request.Name;
    options.ConfirmOverwrite = false;
    const QString chosen = Dialogs().GetSaveFileName(options);
    if (chosen.isEmpty())
        return false;
    const QFileInfo info(chosen);
    request.Name = info.fileName();
    request.Path = info.absolutePath();
    return true;
}
