#include "skinmodel/ControlFactory.h"

#include <QFile>

const std::string& BuiltInReferencesText()
{
    static const std::string text = [] {
        QFile file(QStringLiteral(":/builtin/references.xml"));
        if (!file.open(QIODevice::ReadOnly))
            return std::string();
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }();
    return text;
}

std::string NewProjectReferencesText()
{
    return BuiltInReferencesText() + "\r\n";
}
