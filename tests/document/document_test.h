#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

#include "canvas/canvas.h"
#include "document/document_state.h"
#include "tests/support/scripted_prompts.h"

namespace kreslix::testing {

// What the user can see of the document: its file, flag, Save button, caption and pixels.
struct DocumentSnapshot {
    QString fileName;
    int modified = 0;
    bool saveButton = false;
    QString caption;
    QImage image;

    bool operator==(const DocumentSnapshot&) const = default;
};
DocumentSnapshot snapshot(const DocumentState& document);
void PrintTo(const DocumentSnapshot& s, std::ostream* out);

// The five settings New and Open carry over to the new picture's canvas.
struct PenAndBrush {
    BrushStyle brushStyle = bsSolid;
    PenStyle penStyle = psSolid;
    int penWidth = 1;
    Colour penColour = kBlack;
    Colour brushColour = kWhite;

    static PenAndBrush of(const Canvas& canvas);
    // Sets them in the order that keeps each one as given (style before colour).
    void applyTo(Canvas& canvas) const;
    bool operator==(const PenAndBrush&) const = default;
};
void PrintTo(const PenAndBrush& p, std::ostream* out);

QString testdata(const char* relative);
QByteArray fileBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// Where two pictures first differ in size or in a pixel's colour; empty when they are alike.
std::string pictureDifference(const QImage& ours, const QImage& expected);
// The picture in a written file, read as Open reads a BMP file.
QImage writtenPicture(const QString& path);
// Whether every pixel of the image has the colour.
bool filledWith(const QImage& image, Colour colour);

// A fresh document with scripted prompts and a folder of its own for files.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString path(const QString& name) const { return folder.filePath(name); }
    // Draws on the picture and marks the document changed, as a drawing step does.
    void draw();
    // Makes the document named by writing it through Save as to `name` in the folder.
    void nameDocument(const QString& name);
    // The caption the document shows for a file of this name.
    static QString captionFor(const QString& name);

    DocumentState document;
    ScriptedPrompts prompts;
    QTemporaryDir folder;
};

}  // namespace kreslix::testing
