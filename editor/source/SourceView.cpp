#include "editor/source/SourceView.h"

#include "document/PageDocument.h"
#include "document/PageXml.h"
#include "editor/TranslatableStrings.h"
#include "platform/core/Codec1252.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <Qsci/qscilexerxml.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

namespace {

// The hourglass for the length of a scope.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The page document's options: indent and value encoding, no entity encoding.
constexpr uint8_t PageOptions = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;

} // namespace

TSourceView::TSourceView(TPageDocument& document, QScrollArea* scrollBox, QToolButton* button, ISourceViewHost& host,
                         QObject* owner)
    : QObject(owner)
    , FDocument(document)
    , FHost(host)
    , FButton(button)
    , FScrollBox(scrollBox)
{
    setObjectName(QStringLiteral("SourceView"));
    FMemo = new QsciScintilla(FScrollBox);
    FMemo->setObjectName(QStringLiteral("Memo1"));
    FMemo->setUtf8(true);
    FMemo->setEolMode(QsciScintilla::EolWindows);
    const QFont font(QStringLiteral("Courier New"), 10);
    auto* lexer = new QsciLexerXML(FMemo);
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    FMemo->setLexer(lexer);
    FMemo->setMarginLineNumbers(0, true);
    FMemo->setMarginWidth(0, QStringLiteral("00000"));
    FMemo->hide();
    if (FScrollBox)
        FScrollBox->installEventFilter(this);
    // Any change the user makes to the text is an unsaved change of the page.
    connect(FMemo, &QsciScintilla::textChanged, this, [this] {
        if (!FSettingText && Active())
            FDocument.SetModified(true);
    });
}

bool TSourceView::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: the scroll box's destructor sends its last events as a plain QWidget,
    // and comparing with FScrollBox casts it to QScrollArea.
    if (event->type() == QEvent::Resize && watched == FScrollBox && FMemo)
        FMemo->setGeometry(FScrollBox->rect());
    return QObject::eventFilter(watched, event);
}

bool TSourceView::Active() const
{
    return FButton && FButton->isChecked();
}

QString TSourceView::Text() const
{
    return FMemo ? FMemo->text() : QString();
}

void TSourceView::SetText(const QString& text)
{
    FSettingText = true;
    FMemo->setText(text);
    FSettingText = false;
}

void TSourceView::ShowDocument(TJvSimpleXML& doc)
{
    SetText(FromWin1252(doc.SaveToString()));
}

std::optional<std::string> TSourceView::TextBytes() const
{
    const QString text = Text();
    QChar bad;
    std::optional<std::string> bytes = ToWin1252(text, &bad);
    if (!bytes) {
        const qsizetype at = text.indexOf(bad);
        const qsizetype line = text.left(at).count(QLatin1Char('\n')) + 1;
        ShowErrorText(QStringLiteral("The character \"%1\" in line %2 cannot be used in a skin: it has no "
                                     "Windows-1252 code.")
                          .arg(QString(bad))
                          .arg(line));
    }
    return bytes;
}

bool TSourceView::Parse(TJvSimpleXML& doc)
{
    const std::optional<std::string> bytes = TextBytes();
    if (!bytes)
        return false;
    try {
        doc.LoadFromString(*bytes);
    } catch (const std::exception& error) {
        ShowErrorText(FromWin1252(error.what()));
        return false;
    }
    return true;
}

void TSourceView::btEditSourceClick()
{
    if (Active())
        Enter();
    else
        Leave();
}

void TSourceView::Enter()
{
    TBusyCursor busy;
    // Typed and not yet confirmed, a value is taken into the text and the page marked; stored later,
    // while the page is emptied, it would be lost with the mark restored below.
    FHost.StoreTypedText();
    try {
        std::unique_ptr<TJvSimpleXML> doc = FDocument.BuildWindowXML();
        ShowDocument(*doc);
    } catch (...) {
        // The page stays on the canvas; the editor never holds a stale text in the source mode.
        FButton->setChecked(false);
        throw;
    }
    // Unsaved changes of the canvas now live in the text: the page stays modified.
    const bool modified = FDocument.Modified();
    FDocument.ClearPage();
    FDocument.SetModified(modified);
    FHost.SourceModeChanged(true);
    ShowMode(true);
    FMemo->setFocus();
}

void TSourceView::Leave()
{
    auto doc = std::make_unique<TJvSimpleXML>();
    doc->Options = PageOptions;
    const std::optional<std::string> bytes = TextBytes();
    if (!bytes) {
        // Nothing is lost: the text stays for the user to correct.
        FButton->setChecked(true);
        return;
    }
    // A text that is no page would leave an empty page as surely as one that does not parse.
    QString fault;
    try {
        doc->LoadFromString(*bytes);
        fault = FromWin1252(PageRootFault(*doc));
    } catch (const std::exception& error) {
        fault = FromWin1252(error.what());
    }
    if (!fault.isEmpty()) {
        const QString text = TranslatableString(8) + QStringLiteral("\n\r\n\r") + fault;
        // OK throws the page away: Enter must not.
        if (Dialogs().MessageBox(TranslatableString(9), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::NoIcon, QMessageBox::Cancel)
            != QMessageBox::Ok) {
            FButton->setChecked(true);
            return;
        }
        // The text is given up: the page settings stay, the page has no controls. A skin
        // description not yet written stays to be saved.
        doc = FDocument.BuildWindowXML();
        FDocument.SetModified(FDocument.Project().SkinInfoChanged());
    }
    FDocument.LoadWindowXML(doc.get());
    FHost.SourceModeChanged(false);
    ShowMode(false);
}

void TSourceView::ShowMode(bool source)
{
    FMemo->setGeometry(FScrollBox ? FScrollBox->rect() : FMemo->geometry());
    FMemo->setVisible(source);
    if (source)
        FMemo->raise();
}
