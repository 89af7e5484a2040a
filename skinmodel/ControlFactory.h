// The control factory: turns a control element into a control layer, holds the skin's
// "references.xml" (one default description per control type) and the typed value readers and
// writers every control uses. There is one factory: OSDControlFactory().
#pragma once

#include "skinmodel/UGlobal.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QImage;
class TItemLayer;
class TLayerCollection;
class TSkinProject;
class TJvSimpleXML;
class TJvSimpleXMLElem;

// Makes a control of one kind with the class's defaults, owned by the collection when given.
using TControlCreator = TItemLayer* (*)(TLayerCollection*);

template <class T>
TItemLayer* CreateKindOf(TLayerCollection* collection)
{
    return new T(collection);
}

class TOSDControlFactory {
public:
    // Installs the program-wide Boolean words (true: "true", "on", "yes", "enabled"; false:
    // "false", "off", "no", "disabled", "nee").
    TOSDControlFactory();
    ~TOSDControlFactory();
    TOSDControlFactory(const TOSDControlFactory&) = delete;
    TOSDControlFactory& operator=(const TOSDControlFactory&) = delete;

    // The control for Elem's "type" (compared lower-cased with the keywords), or none. With a
    // collection the collection owns it, else the caller. With ApplyReference the type's reference
    // element is read first.
    TItemLayer* CreateControl(TLayerCollection* Collection, TJvSimpleXMLElem* Elem, bool ApplyReference);
    // A control of a keyword with its class's defaults only; none for an unknown keyword.
    TItemLayer* CreateKind(std::string_view Keyword, TLayerCollection* Collection);
    bool KnowsKind(std::string_view Keyword) const;

    // The first "control" of the references whose "type" equals TypeName without regard to case.
    TJvSimpleXMLElem* FindReference(std::string_view TypeName);
    // Why "references.xml" was not read whole: the file, and the parser's message or the reason it
    // cannot be opened.
    struct TReferencesError {
        QString Path;
        std::string Reason;
    };
    // Loads "references.xml" from the folder of FileName, unless references are loaded already. A
    // file that fails to parse stays loaded as far as it was read (the controls before the error
    // still serve as references); one that cannot be opened loads none. Either is returned.
    std::optional<TReferencesError> LoadReferences(const QString& FileName);
    // The same rules for a text (the built-in references, tests); the parser's message on an error.
    std::optional<std::string> LoadReferencesFromText(std::string_view Text);
    void ClearReferences();
    bool HasReferences() const;
    // Whether Elem lies in the loaded "references.xml".
    bool IsReferenceElement(const TJvSimpleXMLElem* Elem) const;

    // The open project the controls read their pictures and fonts from, and whose "references.xml"
    // the reference functions above read and look up; never none (a project without a folder
    // stands for "no project"). Handing none over ends the project.
    TSkinProject& Project() const { return *FProject; }
    const std::shared_ptr<TSkinProject>& SharedProject() const { return FProject; }
    void SetProject(std::shared_ptr<TSkinProject> Project);

    // Joins a kind to the keyword table (a keyword already there gets the new creator).
    void RegisterKind(std::string_view Keyword, TControlCreator Creator);
    // The keywords in the order they are compared.
    std::vector<std::string> Keywords() const;

    // Readers: the child is looked up without regard to case and counts when its text is not
    // empty; otherwise the value stays. They never change the document.
    static bool ReadInteger(TJvSimpleXMLElem* Elem, std::string_view Name, int32_t& Value);
    static bool ReadColor(TJvSimpleXMLElem* Elem, std::string_view Name, uint32_t& Value);
    static void ReadBool(TJvSimpleXMLElem* Elem, std::string_view Name, bool& Value);
    static bool ReadString(TJvSimpleXMLElem* Elem, std::string_view Name, std::string& Value);
    static void ReadText(TJvSimpleXMLElem* Elem, std::string_view Name, std::string& Value);
    // Only the exact words "left", "center", "right"; True also for another word (value unchanged).
    static bool ReadAlignment(TJvSimpleXMLElem* Elem, std::string_view Name, StringAlignment& Value);
    // Sets GT_IMAGE first, so a missing or unknown keyword gives GT_IMAGE.
    static bool ReadGraphicsType(TJvSimpleXMLElem* Elem, std::string_view Name, TGraphicsType& Value);

    // Writers append a new child at the end; nothing when Elem is absent.
    static void WriteInteger(TJvSimpleXMLElem* Elem, std::string_view Name, int64_t Value);
    static void WriteColor(TJvSimpleXMLElem* Elem, std::string_view Name, uint32_t Value);
    static void WriteBool(TJvSimpleXMLElem* Elem, std::string_view Name, bool Value);
    // Nothing at all for an empty text.
    static void WriteString(TJvSimpleXMLElem* Elem, std::string_view Name, std::string_view Value);
    static void WriteAlignment(TJvSimpleXMLElem* Elem, std::string_view Name, int32_t Value);
    static void WriteGraphicsType(TJvSimpleXMLElem* Elem, std::string_view Name, TGraphicsType Value);

    // The last child named Name without regard to case, or none; never creates one.
    static TJvSimpleXMLElem* FindChild(TJvSimpleXMLElem* Elem, std::string_view Name);
    // Text to Boolean by the program's rules: a number reads true when not zero, then the words.
    static bool TextToBool(std::string_view Text);

private:

    struct TKind {
        std::string Keyword;
        TControlCreator Creator;
    };
    std::vector<TKind> FKinds;
    std::unique_ptr<TJvSimpleXML>& References() const;
    std::shared_ptr<TSkinProject> FProject;
};

// Notes the child names that the readers look up in one element while it lives, so that the
// children no reader looks at can be kept: the readers stay the one list of what a kind reads.
// Scopes nest (a part's element is read while its owner's is).
class TReadNames {
public:
    explicit TReadNames(const TJvSimpleXMLElem* Elem);
    ~TReadNames();
    TReadNames(const TReadNames&) = delete;
    TReadNames& operator=(const TReadNames&) = delete;

    void Note(std::string_view Name) { FNames.emplace_back(Name); }
    // Whether a child of that name was looked up, compared as lookups compare.
    bool Looked(std::string_view Name) const;
    // Called by every lookup of a child.
    static void NoteLookup(const TJvSimpleXMLElem* Elem, std::string_view Name);

private:
    const TJvSimpleXMLElem* FElem;
    std::vector<std::string> FNames;
    TReadNames* FOuter;
};

// While a whole page is read, every control that names a picture or a font asks the disk about
// the same few files; within this scope each picture name and the font list are looked up once
// (for the open project). Outside any scope every lookup goes to the disk as it comes.
class TFileLookupScope {
public:
    TFileLookupScope();
    ~TFileLookupScope();
    TFileLookupScope(const TFileLookupScope&) = delete;
    TFileLookupScope& operator=(const TFileLookupScope&) = delete;

    using TPicture = std::shared_ptr<const QImage>;
    // The picture of a name (as a control holds it) that `find` gives, called once per scope.
    static TPicture Picture(const std::string& Name, const std::function<TPicture()>& find);
    // TSkinProject::LookupFont of the open project, once per font name and scope.
    static bool LookupFont(std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style);

private:
    // The memo belongs to one project; another one starts it anew.
    static TFileLookupScope* ForProject();
    const TSkinProject* FProject = nullptr;
    std::unordered_map<std::string, TPicture> FPictures;
    struct TFont {
        bool Found;
        std::string Face;
        int32_t Size, Style;
    };
    std::unordered_map<std::string, TFont> FFonts;
    TFileLookupScope* FOuter;
};

// The single factory of the program.
TOSDControlFactory& OSDControlFactory();

// The built-in default references (ASCII, CR LF line ends, no line end after the last line).
const std::string& BuiltInReferencesText();
// What a new project receives as its "references.xml": the built-in text followed by CR LF.
std::string NewProjectReferencesText();
