// A temporary skin project for the control kind tests: the current project folder while a test
// runs, the factory's references cleared before and after.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class KindTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void UseBuiltInReferences();
    // Writes a file of the project (for example "images/a.png" or "font.xml").
    QString WriteProjectFile(const QString& name, const QByteArray& bytes);
    // Leaves the project: nothing is read from any folder.
    void CloseProject();
    // Saves a preview into the test output folder for a reviewer to look at.
    static void SavePreview(const QImage& image, const QString& name);

    QTemporaryDir Project;
};
