// Controls and pages from hostile files. Every control element, every page and every reference a
// skin can hold must load, paint (into a page-sized buffer and while measuring) and save without a
// crash, a hang or unbounded memory; what a save writes must load again and save to the same bytes.
//
// The first byte of an input chooses how it is run:
//   bits 0-1  the references: 0 none, 1 the built-in ones, 2 the input's own control as the
//             reference of its type (a hostile "references.xml"), 3 both (the input's first);
//   bit 2     the rest is the text of a control element or of a page (root "screen"); else it
//             is decoded into one (TDecoder below);
//   bit 3     a decoded input becomes a page of up to four items;
//   bit 4     the first control is made without applying its reference.
// The project is a temporary folder with a few pictures (good, empty, broken, huge-looking) and a
// "font.xml" with hostile sizes, so missing and present pictures and fonts are both met.
// CONTROLS_TARGET_SHOW=1 in the environment prints the text each input is turned into.
#include "canvas/Bitmap32.h"
#include "canvas/Layers.h"
#include "document/PageXml.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/CheckMark.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int PageWidth = 320;
constexpr int PageHeight = 240;

// ---- the project ---------------------------------------------------------------------------

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

void WritePicture(const QString& path, int w, int h, const char* format)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(0x8040C0FFu);
    if (!image.save(path, format))
        std::abort();
}

const char* const FontXml =
    "<?xml version=\"1.0\"?>\r\n<fonts>\r\n"
    "<font><name>font13</name><filename>Liberation Sans</filename><height>13</height><style>0</style></font>\r\n"
    "<font><name>huge</name><filename>Liberation Serif</filename><height>2147483647</height><style>7</style></font>\r\n"
    "<font><name>negative</name><filename>Liberation Sans</filename><height>-2147483648</height><style>-1</style></font>\r\n"
    "<font><name>zero</name><filename>Liberation Mono</filename><height>0</height><style>2147483647</style></font>\r\n"
    "<font><name>big</name><filename>Liberation Sans</filename><height>400</height><style>3</style></font>\r\n"
    "<font><name>noface</name><filename>No Such Face</filename><height>12</height><style>4</style></font>\r\n"
    "</fonts>\r\n";

void MakeProject()
{
    static QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    const QString root = folder.path() + QLatin1Char('/');
    QDir().mkpath(root + QStringLiteral("images"));
    const QString images = root + QStringLiteral("images/");
    WritePicture(images + QStringLiteral("red.png"), 4, 4, "PNG");
    WritePicture(images + QStringLiteral("wide.png"), 300, 2, "PNG");
    WritePicture(images + QStringLiteral("tall.png"), 1, 200, "PNG");
    WritePicture(images + QStringLiteral("Mixed.PNG"), 3, 5, "PNG");
    WritePicture(images + QStringLiteral("dot.bmp"), 1, 1, "BMP");
    WriteFile(images + QStringLiteral("empty.png"), QByteArray());
    WriteFile(images + QStringLiteral("broken.png"), QByteArray("\x89PNG\r\n\x1a\nnot really", 19));
    WriteFile(images + QStringLiteral("picture.wmf"), QByteArray("\xd7\xcd\xc6\x9a", 4));
    WriteFile(root + QStringLiteral("font.xml"), FontXml);
    OSDControlFactory().SetProject(std::make_shared<TSkinProject>(root));
}

void Setup()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char arg0[] = "controls_target";
    static char* argv[] = {arg0, nullptr};
    new QGuiApplication(argc, argv);
    MakeProject();
}

// ---- decoding bytes into a control ---------------------------------------------------------

const char* const ValueNames[] = {
    "action", "align", "align1", "application", "arguments", "backgroundcolor", "color", "color2",
    "colorkey", "corner", "description", "diffusecolor", "digits", "direction", "disabled",
    "disabledcolor", "doalpha", "down", "enableupdown", "filename", "font", "font2", "font3",
    "graphicstyp", "height", "hidetext", "hyperlink", "iconoffsetx", "iconoffsety", "id",
    "imageheight", "imagewidth", "itemheight", "keepaspectratio", "label", "left", "name",
    "orientation", "outline", "outlinecolor", "reverse", "right", "script", "selectedcolor",
    "selectedcolor2", "selectedcolor3", "shadedcolor", "shadow", "shadowcolor", "shadowx", "shadowy",
    "showrange", "smallfont", "space", "standalone", "style", "subtype", "textcolor", "textcolor2",
    "textcolor3", "textoffset", "textoffsetx", "textoffsetx1", "textoffsetx2", "textoffsetx3",
    "textoffsety", "textoffsety1", "textoffsety2", "textoffsety3", "textselectedcolor", "texture",
    "textvisible", "textvisible2", "textvisible3", "type", "up", "usehotzones", "verticalalign",
    "visible", "width", "widthoffset", "x", "xoffset", "y", "Width", "HEIGHT", "Texture", "X",
};

const char* const HostileTexts[] = {
    "", "0", "-1", "1", "2", "255", "256", "-255", "2147483647", "-2147483648", "2147483648",
    "-2147483649", "4294967295", "4294967296", "9223372036854775807", "-9223372036854775808",
    "9223372036854775808", "-9223372036854775809", "99999999999999999999999999", "1e9", "1.5", "-0",
    "+5", "0x10", "$FF", "#FFFFFF", "FFFFFFFF", "F", "00000000", "FFFFFFFFFFFFFFFF",
    "FFFFFFFFFFFFFFFFF", "80000000", "7FFFFFFF", "abc", "true", "false", "on", "nee", "yes", "-",
    "left", "center", "right", "top", "bottom", "horizontal", "vertical", "diagonalfw",
    "diagonalrev", "string", "int", "float", "none", "1000000", "-1000000", "65536", "32768",
    "16777216", "1073741824", "-1073741824", "46341", "-46341",
};

const char* const PictureNames[] = {
    "red.png", "wide.png", "tall.png", "mixed.png", "dot.bmp", "empty.png", "broken.png",
    "picture.wmf", "missing.png", "images/red.png", "..\\red.png", "c:red.png", "", "RED.PNG",
};

const char* const FontNames[] = {"font13", "huge", "negative", "zero", "big", "noface", "missing", "debugfont", ""};

class TDecoder {
public:
    TDecoder(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    bool AtEnd() const { return FPos >= FSize; }

    uint64_t Wide()
    {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 8) | Byte();
        return v;
    }

    std::string Value()
    {
        const uint8_t how = Byte();
        switch (how % 9) {
        case 0:
            return HostileTexts[Byte() % std::size(HostileTexts)];
        case 1:
            return std::to_string(int64_t(Wide()));
        case 2: {
            static constexpr char digits[] = "0123456789ABCDEFabcdef";
            std::string text(Byte() % 24, '0');
            for (char& c : text)
                c = digits[Byte() % 22];
            return text;
        }
        case 3: {
            std::string text(Byte() % 16, ' ');
            for (char& c : text)
                c = char(Byte());
            return text;
        }
        case 4:
            return PictureNames[Byte() % std::size(PictureNames)];
        case 5:
            return FontNames[Byte() % std::size(FontNames)];
        case 6: {
            const uint8_t i = Byte();
            if (i & 1)
                return GraphicsTypeNames[(i >> 1) % GraphicsTypeNames.size()];
            return AlignmentNames[(i >> 1) % AlignmentNames.size()];
        }
        case 7:
            return std::to_string(int(Byte()) - 20);
        default:
            return std::to_string(int32_t(uint32_t(Wide() >> 32)));
        }
    }

    // Child values of a control, then up to a few parts of the kind's part table.
    void Control(std::string& out, const std::string& keyword, int depth)
    {
        out += "<type>" + keyword + "</type>";
        const int values = Byte() % 24;
        for (int i = 0; i < values && !AtEnd(); ++i) {
            const char* name = ValueNames[Byte() % std::size(ValueNames)];
            Child(out, name, Value());
        }
        if (depth > 1)
            return;
        std::unique_ptr<TItemLayer> blank(OSDControlFactory().CreateKind(keyword, nullptr));
        const TPartTable table = blank ? blank->PartTable() : TPartTable{};
        const int parts = table.Slots.empty() ? 0 : Byte() % (table.Slots.size() + 2);
        if (parts == 0)
            return;
        out += "<subcontrols>";
        for (int i = 0; i < parts && !AtEnd(); ++i) {
            const TPartSlot& slot = table.Slots[Byte() % table.Slots.size()];
            out += "<control>";
            Child(out, "description", Byte() % 8 == 0 ? Value() : std::string(slot.Role));
            Control(out, Byte() % 8 == 0 ? AnyKeyword() : slot.Part->TypeKeyword(), depth + 1);
            out += "</control>";
        }
        out += "</subcontrols>";
    }

    std::string AnyKeyword()
    {
        const std::vector<std::string> keywords = OSDControlFactory().Keywords();
        const uint8_t i = Byte();
        return i < keywords.size() ? keywords[i] : Value();
    }

    std::string Item()
    {
        std::string out;
        Control(out, AnyKeyword(), 0);
        return out;
    }

    std::string Page()
    {
        std::string out = "<screen default=\"" + Attribute() + "\" allowoverlay=\"" + Attribute() +
                          "\" hasbg=\"" + Attribute() + "\"><items>";
        const int items = 1 + Byte() % 4;
        for (int i = 0; i < items && !AtEnd(); ++i)
            out += "<item>" + Item() + "</item>";
        out += "</items>";
        if (Byte() & 1)
            out += "<videowindow x=\"" + Attribute() + "\" y=\"" + Attribute() + "\" width=\"" + Attribute() +
                   "\" height=\"" + Attribute() + "\"/>";
        if (Byte() & 1)
            out += "<Backdrop DefaultFile=\"" + Attribute() + "\" DynamicFile=\"" + Attribute() + "\"/>";
        return out + "</screen>";
    }

private:
    static std::string Escaped(const std::string& text, bool quoted)
    {
        std::string out;
        for (char c : text) {
            if (c == '&')
                out += "&amp;";
            else if (c == '<')
                out += "&lt;";
            else if (c == '>')
                out += "&gt;";
            else if (quoted && c == '"')
                out += "&quot;";
            else
                out += c;
        }
        return out;
    }

    std::string Attribute() { return Escaped(Value(), true); }

    static void Child(std::string& out, const char* name, const std::string& value)
    {
        out += std::string("<") + name + ">" + Escaped(value, false) + "</" + name + ">";
    }

    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

// ---- running ----------------------------------------------------------------------------------

[[noreturn]] void Fault(const char* what, const std::string& a, const std::string& b)
{
    std::fprintf(stderr, "%s\n--- first ---\n", what);
    std::fwrite(a.data(), 1, a.size(), stderr);
    std::fprintf(stderr, "\n--- second ---\n");
    std::fwrite(b.data(), 1, b.size(), stderr);
    std::fprintf(stderr, "\n");
    std::abort();
}

// The references for one input; cleared again when the run ends.
class TReferences {
public:
    TReferences(int mode, TJvSimpleXMLElem* own)
    {
        TOSDControlFactory& factory = OSDControlFactory();
        factory.ClearReferences();
        if (mode == 0)
            return;
        std::string text = "<controls>";
        if ((mode & 2) && own) {
            TJvSimpleXML doc;
            doc.Options = TJvSimpleXML::OmitProlog | TJvSimpleXML::EncodeValues;
            TJvSimpleXMLElem& control = doc.Root();
            control.Assign(*own);
            control.SetName("control");
            text += doc.SaveToString();
        }
        if (mode & 1) {
            const std::string& builtIn = BuiltInReferencesText();
            const size_t open = builtIn.find("<controls>");
            const size_t close = builtIn.rfind("</controls>");
            if (open == std::string::npos || close == std::string::npos)
                std::abort();
            text.append(builtIn, open + 10, close - open - 10);
        }
        factory.LoadReferencesFromText(text + "</controls>");
    }
    ~TReferences() { OSDControlFactory().ClearReferences(); }
};

void PaintControl(TItemLayer& control)
{
    TBitmap32 buffer(PageWidth, PageHeight);
    control.Paint(buffer);
    buffer.SetMeasuringMode(true);
    control.Paint(buffer);
}

void PaintPage(TLayerCollection& layers)
{
    TBitmap32 buffer(PageWidth, PageHeight);
    layers.PaintTo(buffer);
    layers.PaintTo(buffer, QRect(-7, 13, 100, 50));
    buffer.SetMeasuringMode(true);
    layers.PaintTo(buffer);
}

// An empty text is not written and an empty element is not read, so an empty text reads back as
// the reference's (a control made without applying its reference meets this).
void TakeReferenceTexts(TPublished& object, TPublished& reference)
{
    const std::vector<TPropInfo> props = object.PublishedProperties();
    const std::vector<TPropInfo> refProps = reference.PublishedProperties();
    for (const TPropInfo& prop : props) {
        const TPropInfo* refProp = FindProperty(refProps, prop.Name);
        if (!refProp)
            continue;
        const TPropValue value = prop.Get();
        if (TPublished* part = std::get_if<TPublished*>(&value) ? PropObject(value) : nullptr) {
            if (TPublished* refPart = PropObject(refProp->Get()))
                TakeReferenceTexts(*part, *refPart);
        } else if (std::holds_alternative<std::string>(value) && PropString(value).empty() && !prop.ReadOnly()) {
            const TPropValue refValue = refProp->Get();
            if (!PropString(refValue).empty())
                prop.Set(refValue);
        }
    }
}

// Values that no file holds are set to what reading gives instead, so that the first save can be
// compared with the second. A part missing from its owner's element keeps its constructor's
// values; a label's height of 0 is one of them, and the label reader turns 0 into 24.
// A check mark with a picture gives its label the check mark's height as read, before the
// picture's height replaces it; a label height of its own is not held.
void SetUnholdableValues(TItemLayer& control)
{
    if (auto* label = dynamic_cast<TTextLayer*>(&control); label && label->GetHeight() == 0)
        label->SetHeight(24);
    if (auto* check = dynamic_cast<TOSDCheckerControl*>(&control); check && check->ImageCheck->Bitmap)
        check->LabelControl->SetHeight(check->GetHeight());
    for (const TPartSlot& slot : control.PartTable().Slots)
        if (slot.Part)
            SetUnholdableValues(*slot.Part);
}

// The layer rectangle is single precision: beyond 2^22 a place no longer keeps the size exactly
// (a control far off the page loses its height), so such controls are not compared.
bool PlacesHeld(TItemLayer& control)
{
    constexpr float limit = float(1 << 22);
    const TFloatRect& r = control.Location();
    for (float edge : {r.Left, r.Top, r.Right, r.Bottom})
        if (!(edge >= -limit && edge <= limit))
            return false;
    for (const TPartSlot& slot : control.PartTable().Slots)
        if (slot.Part && !PlacesHeld(*slot.Part))
            return false;
    return true;
}

void SetUnholdableValuesOfControl(TItemLayer& control)
{
    SetUnholdableValues(control);
    TOSDControlFactory& factory = OSDControlFactory();
    if (TJvSimpleXMLElem* refElem = factory.FindReference(control.TypeKeyword())) {
        std::unique_ptr<TItemLayer> reference(factory.CreateKind(control.TypeKeyword(), nullptr));
        reference->LoadFromXML(refElem);
        TakeReferenceTexts(control, *reference);
    }
}

// Whether the text form holds an element exactly: not with text between child elements, nor with
// a value that begins with white space (the reader skips it).
bool TextFormHolds(const TJvSimpleXMLElem& elem)
{
    std::vector<const TJvSimpleXMLElem*> pending{&elem};
    while (!pending.empty()) {
        const TJvSimpleXMLElem* e = pending.back();
        pending.pop_back();
        if (e->Kind() == TJvSimpleXMLElemKind::Text)
            return false;
        const std::string& v = e->Value();
        if (!v.empty() && (v.front() == ' ' || v.front() == '\t' || v.front() == '\r' || v.front() == '\n'))
            return false;
        if (const TJvSimpleXMLElems* kids = e->ItemsIfAny())
            for (int k = 0; k < kids->Count(); ++k)
                pending.push_back(kids->Item(k));
    }
    return true;
}

// Whether the children kept for writing back, the parts' included, are held by the text form.
bool KeptChildrenHeld(TItemLayer& control)
{
    for (const auto* kept : {&control.UnknownChildren(), &control.UnknownPartsBefore(), &control.UnknownParts()})
        for (const auto& elem : *kept)
            if (!TextFormHolds(*elem))
                return false;
    for (const TPartSlot& slot : control.PartTable().Slots)
        if (slot.Part && !KeptChildrenHeld(*slot.Part))
            return false;
    return true;
}

std::string SaveControl(TItemLayer& control)
{
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    doc.Root().SetName("item");
    control.SaveToXML(&doc.Root(), nullptr, false);
    return doc.SaveToString();
}

void ParseSaved(TJvSimpleXML& doc, const std::string& text)
{
    try {
        doc.LoadFromString(text);
    } catch (const EJvSimpleXMLError& e) {
        Fault(e.what(), text, std::string());
    }
}

void RunControl(TJvSimpleXMLElem& elem, bool applyReference)
{
    TOSDControlFactory& factory = OSDControlFactory();
    std::unique_ptr<TItemLayer> first(factory.CreateControl(nullptr, &elem, applyReference));
    if (!first)
        return;  // no control kind of that type
    PaintControl(*first);
    SetUnholdableValuesOfControl(*first);
    const bool held = PlacesHeld(*first) && KeptChildrenHeld(*first);
    const std::string once = SaveControl(*first);

    TJvSimpleXML again;
    ParseSaved(again, once);
    std::unique_ptr<TItemLayer> second(factory.CreateControl(nullptr, &again.Root(), true));
    if (!second)
        Fault("the saved control does not load", once, std::string());
    PaintControl(*second);
    const std::string twice = SaveControl(*second);
    if (held && once != twice)
        Fault("the second save differs", once, twice);
}

// The page saved; Holds is false where the page format cannot hold what was read.
struct TSavedPage {
    std::string Text;
    bool Holds = true;
};

TSavedPage SavePage(TJvSimpleXML& doc)
{
    TWindowInfos infos;
    TLayerCollection layers;
    TUnreadItems unread;
    if (!ReadPageDocument(&doc, infos, layers, unread, nullptr))
        return {};
    PaintPage(layers);
    TSavedPage saved;
    for (int i = 0; i < layers.Count(); ++i)
        if (auto* control = dynamic_cast<TItemLayer*>(layers.Items(i))) {
            SetUnholdableValuesOfControl(*control);
            saved.Holds = saved.Holds && PlacesHeld(*control) && KeptChildrenHeld(*control);
        }
    // Only a video window of some size is written; a further video item read as unread then
    // becomes the page's video window.
    if (TItemLayer* video = FindVideoLayer(layers))
        saved.Holds = saved.Holds && int64_t(video->GetWidth()) * video->GetHeight() > 0;
    // Items that are no control are written back as read, as far as the text form holds them.
    for (const auto& item : unread)
        saved.Holds = saved.Holds && TextFormHolds(*item);
    saved.Text = BuildPageDocument(infos, layers, PageFormatVersion, unread)->SaveToString();
    return saved;
}

void RunPage(TJvSimpleXML& doc)
{
    const TSavedPage once = SavePage(doc);
    if (once.Text.empty())
        return;
    TJvSimpleXML again;
    ParseSaved(again, once.Text);
    const TSavedPage twice = SavePage(again);
    if (once.Holds && once.Text != twice.Text)
        Fault("the second page save differs", once.Text, twice.Text);
}

}  // namespace

// Font configuration keeps some memory it never frees; that is not ours to find.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A page of 32 KiB holds hundreds of controls, each painted several times: a few seconds.
    if (size < 1 || size > 32768)
        return 0;
    Setup();
    const uint8_t options = data[0];
    std::string text;
    if (options & 4) {
        text.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    } else {
        TDecoder decoder(data + 1, size - 1);
        text = (options & 8) ? decoder.Page() : "<item>" + decoder.Item() + "</item>";
    }
    if (std::getenv("CONTROLS_TARGET_SHOW")) {
        // fwrite: a decoded value may hold a NUL.
        std::fprintf(stderr, "options %d\n", options);
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fprintf(stderr, "\n");
    }
    TJvSimpleXML doc;
    doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    try {
        doc.LoadFromString(text);
    } catch (const EJvSimpleXMLError&) {
        return 0;  // not XML: the XML target covers that
    }
    TJvSimpleXMLElem& root = doc.Root();
    TJvSimpleXMLElem* own = &root;
    if (root.Name() == "screen") {
        TJvSimpleXMLElem* items = root.Items().ItemNamed("items");
        own = items && items->ChildCount() > 0 ? items->Items().Item(0) : nullptr;
    }
    TReferences references(options & 3, own);
    if (root.Name() == "screen")
        RunPage(doc);
    else
        RunControl(root, (options & 16) == 0);
    return 0;
}
