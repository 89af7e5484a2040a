// The search behind the "Doubles" window: the PNG pictures of a project's "images" folder that no
// XML file of the project folder names.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

// Picture names the player uses by itself; never listed, whatever their case.
extern const std::array<const char*, 27> ReservedPictureNames;

// The upper-cased names of the "*.png" entries of Folder's "images" folder (any case) that are not
// reserved and that no "*.xml" file directly in Folder names, sorted as listed. A name counts where it
// is the whole decoded text of an element or value of an attribute, in any case. An empty Folder
// (no project) gives nothing. A file that cannot be read raises EFOpenError.
QStringList FindUnusedPictures(const QString& Folder);
