#include "skinmodel/uskininfo.h"

#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

namespace {

const QString IndexFile = QStringLiteral("index.xml");

// A size beyond the range would make the canvas ask for gigabytes.
TPropInfo SizeField(std::string name, int32_t& field)
{
    TPropInfo p = IntegerField(std::move(name), field);
    p.Min = TSkinInfo::MinSize;
    p.Max = TSkinInfo::MaxSize;
    return p;
}

}  // namespace

void TSkinInfo::Clear()
{
    Author.clear();
    Copyright.clear();
    Norm.clear();
    PreviewImage.clear();
    SizeX = 0;
    SizeY = 0;
    Skinname.clear();
    Version.clear();
}

void TSkinInfo::ReadValue(TJvSimpleXMLElem* Elem, std::string_view Name, std::string& Value)
{
    TOSDControlFactory::ReadString(Elem, Name, Value);
}

void TSkinInfo::WriteValue(TJvSimpleXMLElem* Elem, std::string_view Name, std::string_view Value)
{
    TOSDControlFactory::WriteString(Elem, Name, Value);
}

bool TSkinInfo::LoadFromFile(const QString& Folder)
{
    if (Folder.isEmpty())
        return false;
    QString path;
    if (!FileExistsNoCase(WithTrailingSlash(Folder), IndexFile, &path))
        return false;
    Clear();
    try {
        TJvSimpleXML doc;
        doc.Options = TJvSimpleXML::EncodeValues;
        doc.LoadFromFile(path);
        TJvSimpleXMLElem* root = &doc.Root();
        if (root->Name().empty() || root->Name() != "skininfo")
            return false;
        ReadValue(root, "author", Author);
        ReadValue(root, "copyright", Copyright);
        ReadValue(root, "previewimage", PreviewImage);
        ReadValue(root, "skinname", Skinname);
        ReadValue(root, "version", Version);
        ReadValue(root, "norm", Norm);
        std::string size;
        ReadValue(root, "sizex", size);
        SizeX = TextToInteger(size);
        size.clear();
        ReadValue(root, "sizey", size);
        SizeY = TextToInteger(size);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TSkinInfo::Fill(TJvSimpleXML& doc) const
{
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    TJvSimpleXMLElem* root = &doc.Root();
    root->SetName("skininfo");
    WriteValue(root, "skinname", Skinname);
    WriteValue(root, "version", Version);
    WriteValue(root, "previewimage", PreviewImage);
    WriteValue(root, "norm", Norm);
    TOSDControlFactory::WriteInteger(root, "sizex", SizeX);
    TOSDControlFactory::WriteInteger(root, "sizey", SizeY);
    WriteValue(root, "author", Author);
    WriteValue(root, "copyright", Copyright);
}

std::string TSkinInfo::SaveToString() const
{
    TJvSimpleXML doc;
    Fill(doc);
    return doc.SaveToString();
}

bool TSkinInfo::SaveToFile(const QString& Folder, QString* Reason) const
{
    if (Folder.isEmpty())
        return false;
    try {
        TJvSimpleXML doc;
        Fill(doc);
        doc.SaveToFile(FindFileNoCase(WithTrailingSlash(Folder), IndexFile));
        return true;
    } catch (const std::exception& e) {
        if (Reason)
            *Reason = DecodeUtf8Or1252(FailureReason(e));
    }
    return false;
}

std::vector<TPropInfo> TSkinInfo::PublishedProperties()
{
    return {
        TextField("Author", TPropType::String, Author),
        TextField("Copyright", TPropType::String, Copyright),
        TextField("Norm", TPropType::String, Norm),
        TextField("PreviewImage", TPropType::String, PreviewImage),
        SizeField("SizeX", SizeX),
        SizeField("SizeY", SizeY),
        TextField("Skinname", TPropType::String, Skinname),
        TextField("Version", TPropType::String, Version),
    };
}
