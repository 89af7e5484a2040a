#include "editor/SkinText.h"

#include "platform/core/Codec1252.h"

TInputRefused::TInputRefused(const QString& message)
    : std::runtime_error(message.toStdString())
    , FMessage(message)
{
}

std::string ToSkinText(const QString& text)
{
    QChar bad;
    std::optional<std::string> bytes = ToWin1252(text, &bad);
    if (bytes)
        return *bytes;
    QString shown(bad);
    // A character beyond the basic plane is shown whole, not as half of its surrogate pair.
    const qsizetype at = text.indexOf(bad);
    if (bad.isHighSurrogate() && at + 1 < text.size())
        shown = text.mid(at, 2);
    throw TInputRefused(QStringLiteral("The character \"%1\" cannot be used in a skin.").arg(shown));
}
