// The player's actions, windows and script functions from "data.ini" beside the program; the
// inspector offers them as choices.
#pragma once

#include <QString>
#include <QStringList>

struct TPlayerLists {
    QStringList ActionsList;   // "name=value" lines of section "Actions"
    QStringList WindowsList;   // "name=value" lines of section "Windows"
    QStringList FunctionsList; // key names of section "Functions"
};

// Fills the lists, each sorted without regard to case, when the program folder holds "data.ini";
// otherwise (or when it cannot be read) they are left as they are.
void ReadDataIni(const QString& programFolder, TPlayerLists& lists);
