// The folder of the open skin project, as the control layers see it: they read "font.xml" and
// the pictures of "images/" from there. Empty while no project is open; then nothing is read.
#pragma once

#include <QString>

QString CurrentProjectFolder();
void SetCurrentProjectFolder(const QString& folder);
