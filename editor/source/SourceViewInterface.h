// What the main window and the XML source view know of each other.
#pragma once

class TJvSimpleXML;

// The XML source view plugs in here; while it is active, pages load into it and save from it.
class ISourceView {
public:
    virtual ~ISourceView() = default;
    virtual bool Active() const = 0;
    // Shows the document's text form.
    virtual void ShowDocument(TJvSimpleXML& doc) = 0;
    // Parses the shown text into `doc`; false (after telling the user) when it is not well-formed.
    virtual bool Parse(TJvSimpleXML& doc) = 0;
};

// The window around the source view switches what belongs to the canvas: its commands, the tool
// windows that edit the page, the editing shortcuts.
class ISourceViewHost {
public:
    virtual ~ISourceViewHost() = default;
    virtual void SourceModeChanged(bool source) = 0;
    // Values typed into the windows that edit the page and not yet confirmed are stored (and the
    // page marked), before the page becomes text.
    virtual void StoreTypedText() = 0;
};
