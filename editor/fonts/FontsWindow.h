// The fonts window ("Edit Fonts"): the skin's fonts in a list, added, edited and removed through the
// font dialog. Every change writes the whole "font.xml" of the open project at once; a change whose
// file cannot be written is reported and taken back. The list begins with the built-in "debug" font
// once a project is open; it is never written and cannot be removed.
#pragma once

#include "skinmodel/SkinFonts.h"

#include <QFont>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class TPageDocument;

class TfrmFonts : public QWidget {
    Q_OBJECT

public:
    // Loads the fonts of every project the page document opens.
    explicit TfrmFonts(TPageDocument& document, QWidget* parent = nullptr);
    ~TfrmFonts() override;

    // The built-in line, then the fonts of FileName (nothing more when it is missing or unreadable;
    // one that exists but cannot be read is reported, and changes are refused until the next load).
    void LoadFonts(const QString& FileName);
    // Writes the list but the built-in line; raises the file error when the write fails, and
    // EFontFileUnreadable, writing nothing, while the file there cannot be read.
    void SaveFonts(const QString& FileName);
    void ClearFonts();

    int FontCount() const { return static_cast<int>(FFonts.size()); }
    const TOSDFont& Font(int row) const { return *FFonts[size_t(row)]; }
    QString LineText(int row) const;
    bool IsBuiltIn(int row) const;
    // -1 when no line is selected.
    int SelectedLine() const;
    // Selects a line as a click on it does (-1: none).
    void SelectLine(int row);
    // What the font dialog shows next (it keeps what it last held).
    const QFont& FontDialog1() const { return FDialogFont; }

    // Event handlers.
    void lbFontsClick();
    void lbFontsDblClick();
    void btnAddClick();
    void btnEditClick();
    void btnRemoveClick();

    QListWidget* lbFonts = nullptr;
    QLabel* lblFontname = nullptr;
    QLabel* lblFontsize = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnRemove = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void AppendLine(std::unique_ptr<TOSDFont> font, bool builtIn = false);
    void InsertLine(int row, std::unique_ptr<TOSDFont> font, bool builtIn);
    std::unique_ptr<TOSDFont> TakeLine(int row);
    // Asks for a font starting from the dialog's font, held as `face` and `style`; false when
    // cancelled. The face and the style bits stay as held unless the user picks others.
    bool AskFont(QString& face, int32_t& size, int32_t& style);
    // True, after saying why, while the project's "font.xml" cannot be read (when the project was
    // opened, or now): no dialog is shown for a change that would be refused.
    bool Refused();
    // Writes "font.xml" into the project folder; false after the failure or the refusal of a file
    // that cannot be read was reported. With no project open nothing is written.
    bool Save();

    TPageDocument& FDocument;
    std::vector<std::unique_ptr<TOSDFont>> FFonts;  // one per line, in line order
    const TOSDFont* FBuiltIn = nullptr;
    QFont FDialogFont;
    std::optional<std::string> FUnreadable;  // why the open project's "font.xml" could not be read
    bool FUpdating = false;
    bool FActivated = false;
};
