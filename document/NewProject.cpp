#include "document/NewProject.h"

#include "canvas/Layers.h"
#include "document/PageXml.h"
#include "platform/core/AtomicFile.h"
#include "platform/core/FileErrors.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QDir>

void WriteNewProjectFiles(const QString& folder, const TSkinInfo& info)
{
    const QString images = folder + QStringLiteral("images");
    if (!QDir().mkpath(images))
        throw EFCreateError("Cannot create the folder \"" + images.toStdString() + "\".");
    if (!info.SaveToFile(folder))
        throw EFCreateError("Cannot create \"" + (folder + QStringLiteral("index.xml")).toStdString() + "\".");

    WriteFileAtomically(folder + QStringLiteral("references.xml"), NewProjectReferencesText());

    TJvSimpleXML fonts;
    fonts.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    fonts.Root().SetName("fonts");
    fonts.SaveToFile(folder + QStringLiteral("font.xml"));

    TWindowInfos settings;
    TLayerCollection noLayers;
    BuildPageDocument(settings, noLayers, PageFormatVersion, {})->SaveToFile(folder + QStringLiteral("myhome.xml"));
}
