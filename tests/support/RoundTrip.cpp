#include "support/RoundTrip.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/UpDownControl.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/TestKinds.h"

#include <algorithm>
#include <memory>

namespace {

bool IsPartPlace(const TPropInfo& p, bool isPart)
{
    return isPart && (p.Name == "X" || p.Name == "Y");
}

int64_t RandomInteger(const TPropInfo& p, std::mt19937& rng)
{
    // Mostly small values near the edges of the writing rules (0, negatives), some anywhere.
    std::uniform_int_distribution<int> pick(0, 9);
    const int k = pick(rng);
    int64_t v;
    if (k < 5)
        v = std::uniform_int_distribution<int64_t>(-3, 300)(rng);
    else if (k == 5)
        v = p.Min;
    else if (k == 6)
        v = p.Max;
    else
        v = std::uniform_int_distribution<int64_t>(p.Min, p.Max)(rng);
    return std::clamp(v, p.Min, p.Max);
}

std::string RandomText(const TPropInfo& p, std::mt19937& rng)
{
    // Printable bytes, "&<>'\"" and bytes from 0x80 up; never leading white space (the reader
    // drops it) and never empty (an empty text is never written).
    static const std::string pool =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_&<>'\"\x80\xE9\xFC\xFF";
    std::size_t length = std::uniform_int_distribution<std::size_t>(1, 12)(rng);
    if (p.MaxLength)
        length = std::min(length, p.MaxLength);
    std::string text;
    while (text.size() < length) {
        const char c = pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
        if (c == ' ' && text.empty())
            continue;
        if (p.Type == TPropType::FileName && (c == '/' || c == '\\' || c == ':'))
            continue;
        text += c;
    }
    return text;
}

TPropValue RandomValue(const TPropInfo& p, std::mt19937& rng)
{
    switch (p.Type) {
    case TPropType::Integer:
    case TPropType::Int64Action:
    case TPropType::WindowNumber:
    case TPropType::Enum:
        return RandomInteger(p, rng);
    case TPropType::Cardinal: {
        static const uint32_t specials[] = {0, 0xFF606060u, 0xFFFFFFFFu, 0x00FFFFFFu};
        if (std::uniform_int_distribution<int>(0, 3)(rng) == 0)
            return specials[std::uniform_int_distribution<int>(0, 3)(rng)];
        return static_cast<uint32_t>(rng());
    }
    case TPropType::Boolean:
        return std::uniform_int_distribution<int>(0, 1)(rng) == 1;
    case TPropType::String:
    case TPropType::FileName:
    case TPropType::FontName:
    case TPropType::Function:
        return RandomText(p, rng);
    case TPropType::Float:
        // Quarters survive any sound decimal text form.
        return static_cast<double>(RandomInteger(p, rng)) / 4.0;
    case TPropType::Object:
        break;
    }
    return {};
}

// A spin control's diagonal directions have no word in the file: they are not kept by design.
bool OnlyWordedDirections(TPublished& object, const TPropInfo& p)
{
    return p.Name == "Direction" && dynamic_cast<TOSDUpDownControl*>(&object);
}

bool Skipped(const std::vector<std::string>& skip, const std::string& path)
{
    return std::find(skip.begin(), skip.end(), path) != skip.end();
}

}  // namespace

void RandomizePublished(TPublished& object, std::mt19937& rng, bool isPart)
{
    for (TPropInfo& p : object.PublishedProperties()) {
        if (p.Type == TPropType::Object) {
            if (TPublished* sub = PropObject(p.Get()))
                RandomizePublished(*sub, rng, true);
            continue;
        }
        if (p.ReadOnly() || IsPartPlace(p, isPart))
            continue;
        if (OnlyWordedDirections(object, p))
            p.Set(int64_t{std::uniform_int_distribution<int>(Horizontal, Vertical)(rng)});
        else
            p.Set(RandomValue(p, rng));
    }
}

std::vector<std::string> ComparePublished(TPublished& expected, TPublished& actual,
                                          const std::vector<std::string>& skip, const std::string& path,
                                          bool isPart)
{
    std::vector<std::string> differences;
    const std::vector<TPropInfo> want = expected.PublishedProperties();
    const std::vector<TPropInfo> got = actual.PublishedProperties();
    for (const TPropInfo& p : want) {
        const std::string name = path.empty() ? p.Name : path + "." + p.Name;
        if (Skipped(skip, name) || IsPartPlace(p, isPart))
            continue;
        const TPropInfo* q = FindProperty(got, p.Name);
        if (!q) {
            differences.push_back(name + ": missing after loading");
            continue;
        }
        const TPropValue a = p.Get(), b = q->Get();
        if (p.Type == TPropType::Object) {
            TPublished* sa = PropObject(a);
            TPublished* sb = PropObject(b);
            if (sa && sb) {
                auto sub = ComparePublished(*sa, *sb, skip, name, true);
                differences.insert(differences.end(), sub.begin(), sub.end());
            } else if (sa != sb) {
                differences.push_back(name + ": part missing");
            }
            continue;
        }
        if (a != b)
            differences.push_back(name + ": expected " + PropToText(a) + " got " + PropToText(b));
    }
    return differences;
}

// Helpers of KindTripOptions.
namespace {

void CollectSpinPictureSizes(TPublished& object, const std::string& path, std::vector<std::string>& skip)
{
    // A spin control's rectangle may have an odd extent that its one-button size cannot carry
    // into a file; its pictures are laid out from that rectangle.
    if (dynamic_cast<TOSDUpDownControl*>(&object))
        for (const char* part : {"ImageDown", "ImageDownFocus", "ImageUp", "ImageUpFocus"})
            for (const char* size : {".Width", ".Height"})
                skip.push_back((path.empty() ? std::string() : path + ".") + part + size);
    for (const TPropInfo& p : object.PublishedProperties()) {
        if (p.Type != TPropType::Object)
            continue;
        if (TPublished* sub = PropObject(p.Get()))
            CollectSpinPictureSizes(*sub, path.empty() ? p.Name : path + "." + p.Name, skip);
    }
}

// Parts whose navigation the owner clears on saving against a reference: a reload gives the
// reference's values, not the cleared ones.
void CollectClearedNavigation(TItemLayer& control, std::vector<std::string>& skip)
{
    const TPartTable table = control.PartTable();
    for (const TPropInfo& p : control.PublishedProperties()) {
        if (p.Type != TPropType::Object)
            continue;
        TPublished* sub = PropObject(p.Get());
        for (const TPartSlot& slot : table.Slots)
            if (slot.NavigationClearedWithRef && static_cast<TPublished*>(slot.Part) == sub)
                for (const char* name : {".ControlDown", ".ControlLeft", ".ControlRight", ".ControlUp"})
                    skip.push_back(p.Name + name);
    }
}

// Children that no kind reads, put into a saved control element before what the control wrote.

using F = TOSDControlFactory;

TJvSimpleXMLElem* InsertChild(TJvSimpleXMLElem& parent, int index, const char* name, const std::string& text = {})
{
    auto child = std::make_unique<TJvSimpleXMLElemClassic>(nullptr);
    child->SetName(name);
    child->SetValue(text);
    return parent.Items().Insert(index, std::move(child));
}

// `count` children from `from` on, in the form of Children().
std::string ChildrenAt(const TJvSimpleXMLElem& elem, int from, int count)
{
    std::string out;
    for (int i = std::max(from, 0); i < std::min(from + count, elem.ChildCount()); ++i) {
        const TJvSimpleXMLElem* c = elem.ItemsIfAny()->Item(i);
        out += (out.empty() ? "" : "; ") + c->Name() + (c->ChildCount() > 0 ? "{" + Children(c) + "}" : "=" + c->Value());
    }
    return out;
}

// An element of a saved control, found by the roles of the parts down to it; a path that ends in
// "subcontrols" names that element of the last part.
struct TKeptTail {
    std::vector<std::string> Path;
    int Count = 0;      // the element ends with this many kept children...
    std::string Tail;   // ... which are these
};

TJvSimpleXMLElem* ElementAt(TJvSimpleXMLElem* control, const std::vector<std::string>& path)
{
    for (const std::string& step : path) {
        TJvSimpleXMLElem* subcontrols = control ? F::FindChild(control, "subcontrols") : nullptr;
        if (!subcontrols || step == "subcontrols")
            return subcontrols;
        control = nullptr;
        for (int i = 0; i < subcontrols->ChildCount() && !control; ++i) {
            std::string role;
            F::ReadString(subcontrols->Items().Item(i), "description", role);
            if (LowerAscii(role) == step)
                control = subcontrols->Items().Item(i);
        }
    }
    return control;
}

// An unknown value, and for the control itself a list's "items" with an unknown child, first in
// the element; a part of no known role first in "subcontrols"; the same in every part's element.
void AddUnknownChildren(TJvSimpleXMLElem& control, const std::vector<std::string>& path, std::vector<TKeptTail>& tails)
{
    const std::string mark = "kept " + std::to_string(tails.size());
    if (TJvSimpleXMLElem* subcontrols = F::FindChild(&control, "subcontrols")) {
        for (int i = 0; i < subcontrols->ChildCount(); ++i) {
            TJvSimpleXMLElem* part = subcontrols->Items().Item(i);
            std::string role;
            F::ReadString(part, "description", role);
            std::vector<std::string> partPath = path;
            partPath.push_back(LowerAscii(role));
            AddUnknownChildren(*part, partPath, tails);
        }
        TJvSimpleXMLElem* future = InsertChild(*subcontrols, 0, "control");
        future->Items().Add("description", "futurepart");
        future->Items().Add("type", mark);
        std::vector<std::string> subPath = path;
        subPath.push_back("subcontrols");
        tails.push_back({subPath, 1, ChildrenAt(*subcontrols, 0, 1)});
    }
    InsertChild(control, 0, "futurevalue", mark);
    int kept = 1;
    if (path.empty()) {
        TJvSimpleXMLElem* items = InsertChild(control, 1, "items");
        items->Items().Add("item")->Items().Add("label", mark);
        items->Items().Add("futureitem", mark);
        kept = 2;
    }
    tails.push_back({path, kept, ChildrenAt(control, 0, kept)});
}

}  // namespace

TRoundTripOptions KindTripOptions(std::string_view keyword, bool withReferences, std::vector<std::string> more)
{
    RegisterTestKinds();
    TRoundTripOptions o;
    o.WithReferences = withReferences;
    o.Skip = std::move(more);
    std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(keyword, nullptr));
    if (control) {
        CollectSpinPictureSizes(*control, {}, o.Skip);
        if (withReferences)
            CollectClearedNavigation(*control, o.Skip);
    }
    return o;
}

void CheckRoundTrip(std::string_view keyword, const TRoundTripOptions& options)
{
    RegisterTestKinds();
    TOSDControlFactory& factory = OSDControlFactory();
    const std::shared_ptr<TSkinProject> oldProject = factory.SharedProject();
    OSDControlFactory().SetProject(nullptr);
    factory.ClearReferences();
    if (options.WithReferences)
        factory.LoadReferencesFromText(options.ReferencesText.empty() ? BuiltInReferencesText()
                                                                      : options.ReferencesText);
    ASSERT_EQ(factory.HasReferences(), options.WithReferences);

    std::mt19937 rng(options.Seed);
    for (int round = 0; round < options.Rounds; ++round) {
        std::unique_ptr<TItemLayer> original(factory.CreateKind(keyword, nullptr));
        ASSERT_TRUE(original) << "no control kind for \"" << keyword << "\"";
        RandomizePublished(*original, rng);

        TJvSimpleXML doc;
        doc.Root().SetName("item");
        original->SaveToXML(&doc.Root(), nullptr, false);
        std::vector<TKeptTail> tails;
        AddUnknownChildren(doc.Root(), {}, tails);
        const std::string text = doc.SaveToString();

        TJvSimpleXML again;
        again.LoadFromString(text);
        std::unique_ptr<TItemLayer> loaded(factory.CreateControl(nullptr, &again.Root(), true));
        ASSERT_TRUE(loaded) << text;
        loaded->LayoutParts();
        auto differences = ComparePublished(*original, *loaded, options.Skip);

        // Saved again, every child no kind reads stands at the end of its own element, the
        // elements that hold one stay, and every value still comes back.
        const std::string kept = SavedControlText(*loaded);
        TJvSimpleXML keptDoc;
        keptDoc.LoadFromString(kept);
        for (const TKeptTail& t : tails) {
            TJvSimpleXMLElem* elem = ElementAt(&keptDoc.Root(), t.Path);
            const std::string tail = elem ? ChildrenAt(*elem, elem->ChildCount() - t.Count, t.Count) : "(none)";
            if (tail != t.Tail)
                differences.push_back("kept children of " + (t.Path.empty() ? "item" : t.Path.back()) + ": expected " +
                                      t.Tail + " got " + tail);
        }
        std::unique_ptr<TItemLayer> reloaded(factory.CreateControl(nullptr, &keptDoc.Root(), true));
        ASSERT_TRUE(reloaded) << kept;
        reloaded->LayoutParts();
        for (const std::string& d : ComparePublished(*original, *reloaded, options.Skip))
            differences.push_back("with kept children, " + d);
        if (SavedControlText(*reloaded) != kept)
            differences.push_back("with kept children, the next save differs");

        if (!differences.empty()) {
            std::string report;
            for (const std::string& d : differences)
                report += "  " + d + "\n";
            ADD_FAILURE() << "round " << round << " of \"" << keyword << "\" "
                          << (options.WithReferences ? "with" : "without") << " references:\n"
                          << report << text << kept;
            break;
        }
    }
    factory.ClearReferences();
    factory.SetProject(oldProject);
}
