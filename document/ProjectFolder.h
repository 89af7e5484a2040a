// What makes a folder a skin project, the list of its pages and the recent-project list.
#pragma once

#include <QString>
#include <QStringList>

class TSkinInfo;

// The four files a project holds, tested in this order.
extern const char* const ProjectFiles[4];

// True when every project file exists and "index.xml" reads as a skin description (into `info`).
bool IsValidProject(const QString& folder, TSkinInfo& info);

// Full paths of the folder's page files, sorted without regard to case.
QStringList ListPageFiles(const QString& folder);

// The most recent project goes to entry 1 (entry 0 is the placeholder); at most ten projects.
void AddRecentProject(QStringList& lastProjects, const QString& folder);

// A skin name that cannot become one folder below the chosen parent ("/", "\", "." or "..").
bool IsRefusedSkinName(const QString& name);

// "index.xml", "references.xml" and "font.xml" are never opened or written as a page: the message
// that refuses `path` when it is one of them by its own name (any case) or the file it links to;
// empty for a page.
QString ProjectFileRefusal(const QString& path);
// Both paths name the same file or folder (links followed); an empty path names none.
bool SamePath(const QString& a, const QString& b);
