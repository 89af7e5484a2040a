// What New Project needs to know; the new-skin dialog answers it (tests script it).
#pragma once

#include <QString>
#include <QStringList>

struct TNewSkinRequest {
    QString Name;       // the skin name: becomes the project folder's name
    QString Path;       // the parent folder
    int Width = 720;    // 1..2000
    int Height = 576;   // 1..2000
    QString Author;
    QString Copyright;
};

class INewSkinDialog {
public:
    virtual ~INewSkinDialog() = default;
    // Shows the dialog modally; true on OK with `request` filled (its fields keep their last values).
    virtual bool Execute(TNewSkinRequest& request) = 0;
};

// The start-up choice: a new empty project, or an existing one from the recent list.
struct TStartupChoice {
    enum Kind { None, NewProject, OpenProject } Choice = None;
    int Line = -1;  // the chosen line of the recent list; 0 or none means the folder browser
};

class IStartupDialog {
public:
    virtual ~IStartupDialog() = default;
    // Shows the dialog modally with the recent list (entry 0 first); true on OK.
    virtual bool Execute(const QStringList& lastProjects, TStartupChoice& choice) = 0;
};
