// The open skin project: its folder, its description ("index.xml"), its default descriptions
// ("references.xml", read and looked up through the control factory), its fonts ("font.xml") and
// the decoded pictures of its "images" folder. The control factory holds the project the controls see
// (OSDControlFactory().Project()); the page document hands it the one it opens. A project without
// a folder is "no project": nothing is read from or written to disk for it.
#pragma once

#include "platform/core/FileStamp.h"
#include "skinmodel/SkinFonts.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class TJvSimpleXML;
class TPictureCache;
class TSkinInfo;

class TSkinProject {
public:
    // `folder` gets a trailing "/"; empty: no project.
    explicit TSkinProject(const QString& folder = QString());
    ~TSkinProject();
    TSkinProject(const TSkinProject&) = delete;
    TSkinProject& operator=(const TSkinProject&) = delete;

    const QString& Folder() const { return FFolder; }
    bool IsOpen() const { return !FFolder.isEmpty(); }
    // The path of a file of the project under the case it has on disk (as given when missing);
    // empty without a project.
    QString FilePath(const QString& name) const;

    TSkinInfo& SkinInfo() { return *FSkinInfo; }
    const TSkinInfo& SkinInfo() const { return *FSkinInfo; }
    void SetSkinInfo(std::unique_ptr<TSkinInfo> info);
    // Writes "index.xml"; false without a project or when the file was not written (`reason` says why).
    bool SaveSkinInfo(QString* reason = nullptr);
    // The description as it stands is the one "index.xml" holds (just read, or nothing to hold it).
    void SkinInfoSaved();
    // The description differs from the one last read or written: a save that does not write it
    // leaves it to be saved.
    bool SkinInfoChanged() const;

    // The project's "references.xml" as the control factory read it; none before it was read.
    std::unique_ptr<TJvSimpleXML>& References() { return FReferences; }

    TPictureCache& Pictures() const { return *FPictures; }
    // The path of a picture of "images/" found without regard to case; empty when missing.
    QString PicturePath(const std::string& name) const;

    // The controls' font lookup and the names the inspector offers (see SkinFonts.h).
    bool LookupFont(std::string_view Name, std::string& Face, int32_t& Size, int32_t& Style) const;
    std::vector<std::string> FontNames() const;
    // The fonts window's list: the fonts of "font.xml" (none when missing or unreadable).
    std::vector<TOSDFont> ReadFonts() const;
    // Writes "font.xml" whole; raises the file error when it fails, and EFontFileUnreadable for a
    // file there that cannot be read. Nothing without a project.
    void WriteFonts(const std::vector<const TOSDFont*>& fonts) const;

private:
    // "font.xml" as last read, kept while the file stays the same: labels look their font up on
    // every load, and a page holds many of them. None: no file, unreadable, or root not "fonts".
    std::shared_ptr<TJvSimpleXML> FontDocument() const;

    QString FFolder;
    std::unique_ptr<TSkinInfo> FSkinInfo;
    std::string FSavedSkinInfo;
    std::unique_ptr<TJvSimpleXML> FReferences;
    std::unique_ptr<TPictureCache> FPictures;

    struct TFontCache {
        std::mutex Lock;
        QString Path;
        TFileStamp Stamp;
        std::shared_ptr<TJvSimpleXML> Doc;
        // A file read within the clock's granularity of its last change may be rewritten with the
        // same size and time; its bytes are then compared on every look until it is older.
        bool Racy = false;
        std::string Bytes;
    };
    std::unique_ptr<TFontCache> FFonts;
};
