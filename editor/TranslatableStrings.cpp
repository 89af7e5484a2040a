#include "editor/TranslatableStrings.h"

#include "skinmodel/UGlobal.h"

#include <array>
#include <tuple>

namespace {

const std::array<const char*, TranslatableStringCount> Defaults = {
    "Exit",
    "Save changes in skin?",
    "Unnamed1",
    "Open Skin",
    "Open picture",
    "Choose a skin.",
    "Save skin",
    "Your XML Code is not correct, if you choose OK your work will be lost!",
    "Misformed XML!",
    "Window info",
    "Skin info",
    "bold",
    "italic",
    "underlined",
    "normal",
    "Select the folder where the Skinproject shall be created",
    "An error occured",
    "There exists allready a skin project with the given name!",
    "Please choose another name or another folder for the new project",
    "Select the project folder where the Skinproject is located.",
    "This ist not a valid Skinproject.",
    "Another existing project...",
};

std::array<QString, TranslatableStringCount>& Texts()
{
    static std::array<QString, TranslatableStringCount> texts = [] {
        std::array<QString, TranslatableStringCount> t;
        for (int i = 0; i < TranslatableStringCount; ++i)
            t[i] = QString::fromLatin1(Defaults[i]);
        return t;
    }();
    return texts;
}

constexpr std::size_t ElementMenuCount = std::tuple_size_v<std::remove_cv_t<decltype(ElementMenuItems)>>;

std::array<QString, ElementMenuCount>& Captions()
{
    static std::array<QString, ElementMenuCount> captions = [] {
        std::array<QString, ElementMenuCount> c;
        for (std::size_t i = 0; i < c.size(); ++i)
            c[i] = QString::fromLatin1(ElementMenuItems[i].Caption);
        return c;
    }();
    return captions;
}

} // namespace

QString& TranslatableString(int n)
{
    static QString outOfRange;
    if (n < 1 || n > TranslatableStringCount) {
        outOfRange.clear();
        return outOfRange;
    }
    return Texts()[n - 1];
}

QString& ElementMenuCaption(int index)
{
    static QString outOfRange;
    if (index < 0 || index >= static_cast<int>(Captions().size())) {
        outOfRange.clear();
        return outOfRange;
    }
    return Captions()[index];
}

void ResetTranslatableStrings()
{
    for (int i = 0; i < TranslatableStringCount; ++i)
        Texts()[i] = QString::fromLatin1(Defaults[i]);
    for (std::size_t i = 0; i < Captions().size(); ++i)
        Captions()[i] = QString::fromLatin1(ElementMenuItems[i].Caption);
}
