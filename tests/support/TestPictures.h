// Small pictures written by the tests themselves into a temporary project folder.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

// A w by h picture filled with one colour (ARGB32, so a PNG keeps the alpha).
QImage SolidPicture(int w, int h, QColor color);
// The same picture as PNG bytes, for a project's "images" folder.
QByteArray SolidPng(int w, int h, QColor color);
// Encodes the picture in the given Qt format ("PNG", "BMP", "JPEG", "ICO").
QByteArray EncodePicture(const QImage& image, const char* format);
// Writes bytes to folder/name, creating the folder; returns the full path.
QString WriteTestFile(const QString& folder, const QString& name, const QByteArray& bytes);
// A bitmap file header claiming the given size, with no pixel data behind it.
QByteArray BitmapHeaderOnly(int w, int h);
// Moves the file's modification time by the given seconds, as a later save would.
void TouchLater(const QString& path, int seconds);
