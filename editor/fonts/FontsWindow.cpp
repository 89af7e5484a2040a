#include "editor/fonts/FontsWindow.h"

#include "document/PageDocument.h"
#include "editor/translate/UTranslate.h"
#include "skinmodel/FontFile.h"
#include "skinmodel/SkinProject.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorReport.h"

#include <QDockWidget>
#include <QFileInfo>
#include <QFontInfo>
#include <QGridLayout>
#include <QRegularExpression>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int LineHeight = 14;

// The face alone: where several makers have a face, the dialog adds the maker as " [name]".
QString FaceName(const QString& family)
{
    static const QRegularExpression maker(QStringLiteral("\\s*\\[[^\\[\\]]*\\]$"));
    return QString(family).remove(maker);
}

int32_t PointSize(const QFont& font)
{
    return font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
}

int32_t StyleBits(const QFont& font)
{
    return (font.bold() ? FontStyleBold : 0) | (font.italic() ? FontStyleItalic : 0)
           | (font.underline() ? FontStyleUnderline : 0);
}

void SetStyleBits(QFont& font, int32_t style)
{
    font.setBold(style & FontStyleBold);
    font.setItalic(style & FontStyleItalic);
    font.setUnderline(style & FontStyleUnderline);
}

// Text of the user interface as the skin's bytes; a character without one is refused.
std::string SkinText(const QString& text, const char* what)
{
    QChar bad;
    std::optional<std::string> bytes = ToWin1252(text, &bad);
    if (!bytes)
        throw std::runtime_error(QStringLiteral("The %1 \"%2\" cannot be used in a skin: the character \"%3\" has no "
                                                "Windows-1252 code.")
                                     .arg(QLatin1String(what), text, QString(bad))
                                     .toStdString());
    return *bytes;
}

QLabel* TitlePicture(QWidget* parent, const char* name)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setFixedHeight(16);
    picture->setAutoFillBackground(true);
    picture->setBackgroundRole(QPalette::Highlight);
    return picture;
}

// The refusal of a "font.xml" that cannot be read, `reason` saying why.
QString UnreadableText(const QString& FileName, const std::string& reason)
{
    return QStringLiteral("The fonts of \"%1\" cannot be read: %2. The file is left as it is: Add, Edit "
                          "and Remove change nothing until the project is opened again.")
        .arg(FileName, DecodeUtf8Or1252(reason));
}

} // namespace

TfrmFonts::TfrmFonts(TPageDocument& document, QWidget* parent)
    : QWidget(parent)
    , FDocument(document)
{
    setObjectName(QStringLiteral("frmFonts"));
    setWindowTitle(QStringLiteral("Edit Fonts"));
    // The font dialog's first font: 8 points at 96 pixels per inch.
    FDialogFont = QFont(QStringLiteral("MS Sans Serif"));
    FDialogFont.setPointSize(8);

    auto* title = new QWidget(this);
    auto* titleLayout = new QHBoxLayout(title);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->setSpacing(0);
    QLabel* image1 = TitlePicture(title, "Image1");
    image1->setFixedWidth(16);
    QLabel* image3 = TitlePicture(title, "Image3");
    image3->setFixedWidth(16);
    titleLayout->addWidget(image1);
    titleLayout->addWidget(TitlePicture(title, "Image2"), 1);
    titleLayout->addWidget(image3);

    auto* info = new QWidget(this);
    info->setFixedHeight(41);
    auto* infoLayout = new QGridLayout(info);
    infoLayout->setContentsMargins(4, 2, 4, 2);
    infoLayout->setVerticalSpacing(2);
    auto* captionName = new QLabel(QStringLiteral("Fontname:"), info);
    captionName->setObjectName(QStringLiteral("lbl_Fontname"));
    captionName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* captionSize = new QLabel(QStringLiteral("Fontsize:"), info);
    captionSize->setObjectName(QStringLiteral("lbl_fontsize"));
    captionSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblFontname = new QLabel(info);
    lblFontname->setObjectName(QStringLiteral("lblFontname"));
    lblFontsize = new QLabel(info);
    lblFontsize->setObjectName(QStringLiteral("lblFontsize"));
    infoLayout->addWidget(captionName, 0, 0);
    infoLayout->addWidget(lblFontname, 0, 1);
    infoLayout->addWidget(captionSize, 1, 0);
    infoLayout->addWidget(lblFontsize, 1, 1);
    infoLayout->setColumnStretch(1, 1);

    lbFonts = new QListWidget(this);
    lbFonts->setObjectName(QStringLiteral("lbFonts"));
    lbFonts->setSelectionMode(QAbstractItemView::SingleSelection);
    lbFonts->setUniformItemSizes(true);
    lbFonts->setFont(QFont(QStringLiteral("Arial")));

    auto* buttons = new QWidget(this);
    buttons->setFixedHeight(33);
    auto* buttonLayout = new QHBoxLayout(buttons);
    buttonLayout->setContentsMargins(4, 4, 4, 4);
    btnAdd = new QPushButton(QStringLiteral("&Add"), buttons);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnEdit = new QPushButton(QStringLiteral("&Edit"), buttons);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnEdit->setEnabled(false);
    btnRemove = new QPushButton(QStringLiteral("&Remove"), buttons);
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    btnRemove->setEnabled(false);
    buttonLayout->addWidget(btnAdd);
    buttonLayout->addWidget(btnEdit);
    buttonLayout->addWidget(btnRemove);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title);
    layout->addWidget(info);
    layout->addWidget(lbFonts, 1);
    layout->addWidget(buttons);

    connect(lbFonts, &QListWidget::itemSelectionChanged, this, Guarded([this] {
        if (!FUpdating)
            lbFontsClick();
    }));
    connect(lbFonts, &QListWidget::itemClicked, this, Guarded([this] { lbFontsClick(); }));
    connect(lbFonts, &QListWidget::itemDoubleClicked, this, Guarded([this] { lbFontsDblClick(); }));
    connect(btnAdd, &QPushButton::clicked, this, Guarded([this] { btnAddClick(); }));
    connect(btnEdit, &QPushButton::clicked, this, Guarded([this] { btnEditClick(); }));
    connect(btnRemove, &QPushButton::clicked, this, Guarded([this] { btnRemoveClick(); }));
    // The open project's fonts, never another's: a new skin must not get the previous one's fonts.
    connect(&FDocument, &TPageDocument::ProjectReplaced, this, Guarded([this] {
        if (FDocument.Project().IsOpen())
            LoadFonts(FDocument.Project().FilePath(QStringLiteral("font.xml")));
        else
            ClearFonts();
    }));
    // A project opened before this window existed: its fonts, not an empty list that the next
    // change would write over its "font.xml".
    if (FDocument.Project().IsOpen())
        LoadFonts(FDocument.Project().FilePath(QStringLiteral("font.xml")));
}

TfrmFonts::~TfrmFonts()
{
    // FormDestroy
    FUpdating = true;
    ClearFonts();
}

void TfrmFonts::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FActivated)
        GuardedCall([this] { FormActivate(); });
}

void TfrmFonts::FormActivate()
{
    FActivated = true;
    TranslateForm(this, LanguageFile);
}

QString TfrmFonts::LineText(int row) const
{
    const QListWidgetItem* item = lbFonts->item(row);
    return item ? item->text() : QString();
}

bool TfrmFonts::IsBuiltIn(int row) const
{
    return row >= 0 && row < FontCount() && FFonts[size_t(row)].get() == FBuiltIn;
}

int TfrmFonts::SelectedLine() const
{
    const QList<QListWidgetItem*> selected = lbFonts->selectedItems();
    return selected.isEmpty() ? -1 : lbFonts->row(selected.first());
}

void TfrmFonts::SelectLine(int row)
{
    FUpdating = true;
    if (row >= 0 && row < FontCount())
        lbFonts->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    else
        lbFonts->clearSelection();
    FUpdating = false;
    lbFontsClick();
}

void TfrmFonts::AppendLine(std::unique_ptr<TOSDFont> font, bool builtIn)
{
    InsertLine(FontCount(), std::move(font), builtIn);
}

void TfrmFonts::InsertLine(int row, std::unique_ptr<TOSDFont> font, bool builtIn)
{
    auto* item = new QListWidgetItem(FromWin1252(font->Name));
    item->setSizeHint(QSize(0, LineHeight));
    if (builtIn)
        FBuiltIn = font.get();
    FFonts.insert(FFonts.begin() + row, std::move(font));
    const bool updating = FUpdating;
    FUpdating = true;
    lbFonts->insertItem(row, item);
    FUpdating = updating;
}

std::unique_ptr<TOSDFont> TfrmFonts::TakeLine(int row)
{
    std::unique_ptr<TOSDFont> font = std::move(FFonts[size_t(row)]);
    FFonts.erase(FFonts.begin() + row);
    if (font.get() == FBuiltIn)
        FBuiltIn = nullptr;
    const bool updating = FUpdating;
    FUpdating = true;
    delete lbFonts->takeItem(row);
    FUpdating = updating;
    return font;
}

void TfrmFonts::ClearFonts()
{
    const bool updating = FUpdating;
    FUpdating = true;
    lbFonts->clear();
    FUpdating = updating;
    FFonts.clear();
    FBuiltIn = nullptr;
}

void TfrmFonts::LoadFonts(const QString& FileName)
{
    ClearFonts();
    AppendLine(std::make_unique<TOSDFont>("debug", "Arial", 12, 0), true);
    FUnreadable.reset();
    if (!QFileInfo::exists(FileName))
        return;
    std::vector<TOSDFont> fonts;
    try {
        fonts = ReadFontList(FileName);
    } catch (const std::exception& error) {
        // The built-in line alone; the author's fonts are still in the file, so it is not written over.
        FUnreadable = FailureReason(error);
        ShowErrorText(UnreadableText(FileName, *FUnreadable));
        return;
    }
    lbFonts->setUpdatesEnabled(false);
    for (TOSDFont& font : fonts)
        AppendLine(std::make_unique<TOSDFont>(std::move(font)));
    lbFonts->setUpdatesEnabled(true);
}

void TfrmFonts::SaveFonts(const QString& FileName)
{
    // The list lacks the fonts of a file it could not read: they are not written over.
    if (FUnreadable)
        throw EFontFileUnreadable("\"" + FileName.toStdString() + "\": " + *FUnreadable, *FUnreadable);
    std::vector<const TOSDFont*> fonts;
    for (const auto& font : FFonts)
        if (font.get() != FBuiltIn)
            fonts.push_back(font.get());
    WriteFontList(FileName, fonts);
}

bool TfrmFonts::Save()
{
    const TSkinProject& project = FDocument.Project();
    if (!project.IsOpen())
        return true;
    const QString file = project.FilePath(QStringLiteral("font.xml"));
    try {
        SaveFonts(file);
    } catch (const EFontFileUnreadable& error) {
        FUnreadable = error.Reason();
        ShowErrorText(UnreadableText(file, *FUnreadable));
        return false;
    } catch (const std::exception& error) {
        ShowError(error);
        return false;
    }
    return true;
}

void TfrmFonts::lbFontsClick()
{
    const int row = SelectedLine();
    if (row < 0) {
        btnEdit->setEnabled(false);
        btnRemove->setEnabled(false);
        return;
    }
    btnEdit->setEnabled(true);
    btnRemove->setEnabled(true);
    const TOSDFont& font = Font(row);
    lblFontname->setText(FromWin1252(font.FileName));
    lblFontsize->setText(QString::number(font.Height));
    QFont shown = lblFontname->font();
    SetStyleBits(shown, font.Style);
    lblFontname->setFont(shown);
    // The dialog gains the styles of the selected font (it never loses any here), so the next Add
    // starts with them.
    SetStyleBits(FDialogFont, StyleBits(FDialogFont) | font.Style);
}

void TfrmFonts::lbFontsDblClick()
{
    btnEditClick();
}

bool TfrmFonts::Refused()
{
    const TSkinProject& project = FDocument.Project();
    if (!project.IsOpen())
        return false;
    const QString file = project.FilePath(QStringLiteral("font.xml"));
    // What is no regular file is refused when written.
    if (!FUnreadable && QFileInfo(file).isFile()) {
        try {
            ReadFontList(file);
        } catch (const std::exception& error) {
            FUnreadable = FailureReason(error);
        }
    }
    if (!FUnreadable)
        return false;
    ShowErrorText(UnreadableText(file, *FUnreadable));
    return true;
}

bool TfrmFonts::AskFont(QString& face, int32_t& size, int32_t& style)
{
    QFont shown;
    const std::optional<QFont> answer = Dialogs().ChooseFont(FDialogFont, QString(), &shown);
    if (!answer)
        return false;
    size = PointSize(*answer);
    // The dialog shows a stand-in for a face it cannot show exactly, and a style the stand-in has
    // for one it lacks; handed back unchanged, they are no choice of the user.
    const QString family = answer->family();
    if (family != shown.family() && family.compare(face, Qt::CaseInsensitive) != 0) {
        face = FaceName(family);
        style = StyleBits(*answer);
    } else {
        for (const int32_t bit : {FontStyleBold, FontStyleItalic, FontStyleUnderline})
            if ((StyleBits(*answer) & bit) != (StyleBits(shown) & bit))
                style = (style & ~bit) | (StyleBits(*answer) & bit);
    }
    FDialogFont = *answer;
    FDialogFont.setFamily(face);
    SetStyleBits(FDialogFont, style);
    return true;
}

void TfrmFonts::btnAddClick()
{
    if (Refused())
        return;
    // The dialog starts from the font it holds, face and styles as held.
    QString face = FDialogFont.family();
    int32_t size = 0;
    int32_t style = StyleBits(FDialogFont);
    if (!AskFont(face, size, style))
        return;
    std::string faceBytes = SkinText(face, "font name");
    std::string name = MakeFontName(size, style, [this](std::string_view candidate) {
        for (const auto& font : FFonts)
            if (SameText1252(font->Name, candidate))
                return true;
        return false;
    });
    AppendLine(std::make_unique<TOSDFont>(std::move(name), std::move(faceBytes), size, style));
    if (!Save())
        TakeLine(FontCount() - 1);
}

void TfrmFonts::btnEditClick()
{
    const int row = SelectedLine();
    if (row < 0 || Refused())
        return;
    TOSDFont& font = *FFonts[size_t(row)];
    FDialogFont = QFont(FromWin1252(font.FileName));
    if (font.Height > 0)
        FDialogFont.setPointSize(font.Height);
    SetStyleBits(FDialogFont, font.Style);

    QString face = FromWin1252(font.FileName);
    int32_t size = 0;
    int32_t style = font.Style;
    if (!AskFont(face, size, style))
        return;
    const TOSDFont before = font;
    font.FileName = SkinText(face, "font name");
    font.Height = size;
    font.Style = style;
    if (!Save())
        font = before;
    lbFontsClick();
}

void TfrmFonts::btnRemoveClick()
{
    const int row = SelectedLine();
    // The line "debug" stays, whether built in or read from the file.
    if (row < 0 || LineText(row) == QLatin1String("debug"))
        return;
    std::unique_ptr<TOSDFont> font = TakeLine(row);
    FUpdating = true;
    lbFonts->clearSelection();
    lbFonts->setCurrentRow(-1);
    FUpdating = false;
    if (!Save()) {
        InsertLine(row, std::move(font), false);
        SelectLine(row);
    }
}

