// The XML source view: the tool button "Edit Source" switches the main window between the canvas and
// the page's XML text in a text editor that covers the canvas. Leaving parses the text back into the
// page. The text is shown as characters and kept in the skin as Windows-1252 bytes; a character
// without such a byte is refused. Changed text marks the page as modified.
#pragma once

#include "editor/source/SourceViewInterface.h"

#include <Qsci/qsciscintilla.h>

#include <QObject>
#include <QPointer>

#include <optional>
#include <string>

class QScrollArea;
class QToolButton;
class TPageDocument;

class TSourceView : public QObject, public ISourceView {
    Q_OBJECT

public:
    // The editor lies over `scrollBox` (the canvas's); `button` is "Edit Source"; `host` owns this view.
    TSourceView(TPageDocument& document, QScrollArea* scrollBox, QToolButton* button, ISourceViewHost& host,
                QObject* owner);

    // The button "Edit Source" is down.
    bool Active() const override;
    void ShowDocument(TJvSimpleXML& doc) override;
    // Save Page in the source view: a text that cannot be parsed is reported as an error.
    bool Parse(TJvSimpleXML& doc) override;

    // The button's click handler; the button has already changed its state.
    void btEditSourceClick();

    QsciScintilla* Memo1() const { return FMemo; }
    QString Text() const;
    // Puts text in without marking the page as modified.
    void SetText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Enter();
    void Leave();
    // The editor's visibility; the host switches the rest.
    void ShowMode(bool source);
    // The text as the skin's bytes; none (after telling the user) when a character has no byte.
    std::optional<std::string> TextBytes() const;

    TPageDocument& FDocument;
    ISourceViewHost& FHost;
    QPointer<QToolButton> FButton;
    QPointer<QScrollArea> FScrollBox;
    QPointer<QsciScintilla> FMemo;
    bool FSettingText = false;
};
