// The description of a skin ("index.xml" in the project folder): name, version, preview picture,
// television norm, canvas size, author and copyright.
#pragma once

#include "skinmodel/Published.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TJvSimpleXML;
class TJvSimpleXMLElem;

class TSkinInfo : public TPublished {
public:
    // The canvas sizes the editor takes (the inspector's range for SizeX and SizeY).
    static constexpr int32_t MinSize = 1;
    static constexpr int32_t MaxSize = 4096;

    std::string Author;
    std::string Copyright;
    std::string Norm;
    std::string PreviewImage;
    int32_t SizeX = 0;
    int32_t SizeY = 0;
    std::string Skinname;
    std::string Version;

    void Clear();
    // Reads Folder/index.xml (found without regard to case). False for an empty folder, a missing
    // file (the description stays as it was), an unreadable file or a root other than "skininfo".
    bool LoadFromFile(const QString& Folder);
    // Writes Folder/index.xml (under its existing name when one exists in another case). False when
    // it cannot be written, with the system's reason in `Reason` when given.
    bool SaveToFile(const QString& Folder, QString* Reason = nullptr) const;
    // The "index.xml" text that SaveToFile writes.
    std::string SaveToString() const;

    static void ReadValue(TJvSimpleXMLElem* Elem, std::string_view Name, std::string& Value);
    static void WriteValue(TJvSimpleXMLElem* Elem, std::string_view Name, std::string_view Value);

    std::vector<TPropInfo> PublishedProperties() override;

private:
    void Fill(TJvSimpleXML& doc) const;
};
