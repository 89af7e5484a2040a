#include "skinmodel/ControlFactory.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "skinmodel/ControlKinds.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/BoolWords.h"
#include "skinmodel/xml/JvSimpleXml2.h"

TOSDControlFactory::TOSDControlFactory()
{
    SetTrueBoolStrs({"true", "on", "yes", "enabled"});
    SetFalseBoolStrs({"false", "off", "no", "disabled", "nee"});
    for (const auto& [keyword, creator] : BuiltInControlKinds())
        FKinds.push_back({keyword, creator});
    FProject = std::make_shared<TSkinProject>();
}

std::unique_ptr<TJvSimpleXML>& TOSDControlFactory::References() const
{
    return FProject->References();
}

bool TOSDControlFactory::HasReferences() const
{
    return References() != nullptr;
}

void TOSDControlFactory::SetProject(std::shared_ptr<TSkinProject> Project)
{
    FProject = Project ? std::move(Project) : std::make_shared<TSkinProject>();
}

TOSDControlFactory::~TOSDControlFactory() = default;

TOSDControlFactory& OSDControlFactory()
{
    static TOSDControlFactory factory;
    return factory;
}

namespace {
// The factory is made while the program starts, so its Boolean words hold for every file read,
// also for values read before the first control is made.
[[maybe_unused]] TOSDControlFactory& StartUpFactory = OSDControlFactory();
}  // namespace

// ---- kinds ---------------------------------------------------------------------------------

void TOSDControlFactory::RegisterKind(std::string_view Keyword, TControlCreator Creator)
{
    const std::string key = LowerAscii(Keyword);
    for (TKind& k : FKinds)
        if (k.Keyword == key) {
            k.Creator = Creator;
            return;
        }
    FKinds.push_back({key, Creator});
}

std::vector<std::string> TOSDControlFactory::Keywords() const
{
    std::vector<std::string> result;
    for (const TKind& k : FKinds)
        result.push_back(k.Keyword);
    return result;
}

bool TOSDControlFactory::KnowsKind(std::string_view Keyword) const
{
    const std::string key = LowerAscii(Keyword);
    for (const TKind& k : FKinds)
        if (k.Keyword == key)
            return k.Creator != nullptr;
    return false;
}

TItemLayer* TOSDControlFactory::CreateKind(std::string_view Keyword, TLayerCollection* Collection)
{
    const std::string key = LowerAscii(Keyword);
    for (const TKind& k : FKinds)
        if (k.Keyword == key)
            return k.Creator ? k.Creator(Collection) : nullptr;
    return nullptr;
}

TItemLayer* TOSDControlFactory::CreateControl(TLayerCollection* Collection, TJvSimpleXMLElem* Elem,
                                              bool ApplyReference)
{
    if (!Elem)
        return nullptr;
    std::string type;
    ReadString(Elem, "type", type);
    type = LowerAscii(type);
    TItemLayer* control = CreateKind(type, Collection);
    if (!control)
        return nullptr;
    if (ApplyReference)
        if (TJvSimpleXMLElem* ref = FindReference(type))
            control->ReadElement(ref);
    control->ReadElement(Elem);
    return control;
}

// ---- references ----------------------------------------------------------------------------

TJvSimpleXMLElem* TOSDControlFactory::FindReference(std::string_view TypeName)
{
    if (!References())
        return nullptr;
    const std::string wanted = LowerAscii(TypeName);
    const TJvSimpleXMLElems* items = References()->Root().ItemsIfAny();
    if (!items)
        return nullptr;
    for (int i = 0; i < items->Count(); ++i) {
        TJvSimpleXMLElem* child = items->Item(i);
        if (child->Name() != "control")
            continue;
        std::string type;
        ReadString(child, "type", type);
        if (LowerAscii(type) == wanted)
            return child;
    }
    return nullptr;
}

bool TOSDControlFactory::IsReferenceElement(const TJvSimpleXMLElem* Elem) const
{
    return References() && Elem && Elem->SimpleXML() == References().get();
}

std::optional<TOSDControlFactory::TReferencesError> TOSDControlFactory::LoadReferences(const QString& FileName)
{
    if (References())
        return std::nullopt;
    int cut = -1;
    for (int i = FileName.size() - 1; i >= 0 && cut < 0; --i)
        if (FileName[i] == '/' || FileName[i] == '\\' || FileName[i] == ':')
            cut = i;
    // A bare file name has no folder to look in.
    if (cut < 0)
        return std::nullopt;
    QString path;
    if (!FileExistsNoCase(WithTrailingSlash(FileName.left(cut + 1)), QStringLiteral("references.xml"), &path))
        return std::nullopt;
    std::string text;
    try {
        text = ReadWholeFile(path);
    } catch (const EFileError& e) {
        return TReferencesError{path, FailureReason(e)};
    }
    if (std::optional<std::string> error = LoadReferencesFromText(text))
        return TReferencesError{path, std::move(*error)};
    return std::nullopt;
}

std::optional<std::string> TOSDControlFactory::LoadReferencesFromText(std::string_view Text)
{
    if (References())
        return std::nullopt;
    auto doc = std::make_unique<TJvSimpleXML>();
    try {
        doc->LoadFromString(Text);
    } catch (const std::exception& e) {
        // A damaged file keeps what was read before the error: dropping it would make every value a
        // page left out (because it equalled the reference) come back as a class default.
        References() = std::move(doc);
        return std::string(e.what());
    }
    // A document without the root "controls" holds no references.
    if (doc->Root().Name() == "controls")
        References() = std::move(doc);
    return std::nullopt;
}

void TOSDControlFactory::ClearReferences()
{
    References().reset();
}

// ---- readers -------------------------------------------------------------------------------

namespace {
thread_local TReadNames* ReadNamesTop = nullptr;
}  // namespace

TReadNames::TReadNames(const TJvSimpleXMLElem* Elem) : FElem(Elem), FOuter(ReadNamesTop)
{
    ReadNamesTop = this;
}

TReadNames::~TReadNames()
{
    ReadNamesTop = FOuter;
}

bool TReadNames::Looked(std::string_view Name) const
{
    for (const std::string& name : FNames)
        if (SameText1252(name, Name))
            return true;
    return false;
}

void TReadNames::NoteLookup(const TJvSimpleXMLElem* Elem, std::string_view Name)
{
    for (TReadNames* scope = ReadNamesTop; scope; scope = scope->FOuter)
        if (scope->FElem == Elem) {
            scope->Note(Name);
            return;
        }
}

namespace {
thread_local TFileLookupScope* LookupScopeTop = nullptr;
}  // namespace

TFileLookupScope::TFileLookupScope() : FOuter(LookupScopeTop)
{
    LookupScopeTop = this;
}

TFileLookupScope::~TFileLookupScope()
{
    LookupScopeTop = FOuter;
}

TFileLookupScope* TFileLookupScope::ForProject()
{
    TFileLookupScope* scope = LookupScopeTop;
    if (!scope)
        return nullptr;
    const TSkinProject* project = &OSDControlFactory().Project();
    if (scope->FProject != project) {
        scope->FProject = project;
        scope->FPictures.clear();
        scope->FFonts.clear();
    }
    return scope;
}

TFileLookupScope::TPicture TFileLookupScope::Picture(const std::string& Name, const std::function<TPicture()>& find)
{
    TFileLookupScope* scope = ForProject();
    if (!scope)
        return find();
    if (auto it = scope->FPictures.find(Name); it != scope->FPictures.end())
        return it->second;
    TPicture picture = find();
    scope->FPictures.emplace(Name, picture);
    return picture;
}

bool TFileLookupScope::LookupFont(std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style)
{
    TFileLookupScope* scope = ForProject();
    if (!scope)
        return OSDControlFactory().Project().LookupFont(Name, Face, Size, Style);
    auto it = scope->FFonts.find(std::string(Name));
    if (it == scope->FFonts.end()) {
        TFont font{false, Face, Size, Style};
        font.Found = OSDControlFactory().Project().LookupFont(Name, font.Face, font.Size, font.Style);
        it = scope->FFonts.emplace(std::string(Name), std::move(font)).first;
    }
    Face = it->second.Face;
    Size = it->second.Size;
    Style = it->second.Style;
    return it->second.Found;
}

TJvSimpleXMLElem* TOSDControlFactory::FindChild(TJvSimpleXMLElem* Elem, std::string_view Name)
{
    if (!Elem)
        return nullptr;
    TReadNames::NoteLookup(Elem, Name);
    // The list's name index: a reference element has dozens of children, read once per value.
    const TJvSimpleXMLElems* items = Elem->ItemsIfAny();
    return items ? items->FindNamed(Name) : nullptr;
}

namespace {

// The child's text when the child exists with text.
const std::string* PresentText(TJvSimpleXMLElem* Elem, std::string_view Name)
{
    TJvSimpleXMLElem* child = TOSDControlFactory::FindChild(Elem, Name);
    if (!child || child->Value().empty())
        return nullptr;
    return &child->Value();
}

}  // namespace

bool TOSDControlFactory::TextToBool(std::string_view Text)
{
    bool value = false;
    return TryStrToBool(Text, value) && value;
}

bool TOSDControlFactory::ReadInteger(TJvSimpleXMLElem* Elem, std::string_view Name, int32_t& Value)
{
    const std::string* text = PresentText(Elem, Name);
    if (!text)
        return false;
    Value = TextToInteger(*text);
    return true;
}

bool TOSDControlFactory::ReadColor(TJvSimpleXMLElem* Elem, std::string_view Name, uint32_t& Value)
{
    const std::string* text = PresentText(Elem, Name);
    if (!text)
        return false;
    Value = TextToColor(*text);
    return true;
}

void TOSDControlFactory::ReadBool(TJvSimpleXMLElem* Elem, std::string_view Name, bool& Value)
{
    if (const std::string* text = PresentText(Elem, Name))
        Value = TextToBool(*text);
}

bool TOSDControlFactory::ReadString(TJvSimpleXMLElem* Elem, std::string_view Name, std::string& Value)
{
    const std::string* text = PresentText(Elem, Name);
    if (!text)
        return false;
    Value = *text;
    return true;
}

void TOSDControlFactory::ReadText(TJvSimpleXMLElem* Elem, std::string_view Name, std::string& Value)
{
    ReadString(Elem, Name, Value);
}

bool TOSDControlFactory::ReadAlignment(TJvSimpleXMLElem* Elem, std::string_view Name, StringAlignment& Value)
{
    const std::string* text = PresentText(Elem, Name);
    if (!text)
        return false;
    for (std::size_t i = 0; i < AlignmentNames.size(); ++i)
        if (*text == AlignmentNames[i]) {
            Value = static_cast<StringAlignment>(i);
            break;
        }
    return true;
}

bool TOSDControlFactory::ReadGraphicsType(TJvSimpleXMLElem* Elem, std::string_view Name, TGraphicsType& Value)
{
    Value = GT_IMAGE;
    const std::string* text = PresentText(Elem, Name);
    if (!text)
        return false;
    const std::string lower = LowerAscii(*text);
    for (std::size_t i = 0; i < GraphicsTypeNames.size(); ++i)
        if (lower == GraphicsTypeNames[i]) {
            Value = static_cast<TGraphicsType>(i);
            break;
        }
    return true;
}

// ---- writers -------------------------------------------------------------------------------

void TOSDControlFactory::WriteInteger(TJvSimpleXMLElem* Elem, std::string_view Name, int64_t Value)
{
    if (Elem)
        Elem->Items().Add(Name, IntegerToText(Value));
}

void TOSDControlFactory::WriteColor(TJvSimpleXMLElem* Elem, std::string_view Name, uint32_t Value)
{
    if (Elem)
        Elem->Items().Add(Name, ColorToText(Value));
}

void TOSDControlFactory::WriteBool(TJvSimpleXMLElem* Elem, std::string_view Name, bool Value)
{
    if (!Elem)
        return;
    const std::vector<std::string>& words = Value ? TrueBoolStrs() : FalseBoolStrs();
    Elem->Items().Add(Name, words.empty() ? std::string(Value ? "true" : "false") : words.front());
}

void TOSDControlFactory::WriteString(TJvSimpleXMLElem* Elem, std::string_view Name, std::string_view Value)
{
    if (Elem && !Value.empty())
        Elem->Items().Add(Name, Value);
}

void TOSDControlFactory::WriteAlignment(TJvSimpleXMLElem* Elem, std::string_view Name, int32_t Value)
{
    if (Elem)
        Elem->Items().Add(Name, std::string_view(Value == 2 ? "right" : Value == 1 ? "center" : "left"));
}

void TOSDControlFactory::WriteGraphicsType(TJvSimpleXMLElem* Elem, std::string_view Name, TGraphicsType Value)
{
    if (Elem && Value < GraphicsTypeNames.size())
        Elem->Items().Add(Name, std::string_view(GraphicsTypeNames[Value]));
}
