#pragma once
// A material's picture: one bitmap per normalised code in the folder "myimages" of the
// program's folder, the scaling of a picture into the editor's square box, and the box
// itself with its paste, load, clear, show and save.

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>

class QToolButton;

namespace picture {

// The box is square: 2655 twips a side.
constexpr int kBoxTwips = 2655;

// Where a picture lands in a box, in twips: size w x h, its longer side filling the box
// with the aspect kept, at x, y.
struct Placement {
    int w = 0;
    int h = 0;
    float x = 0;
    float y = 0;
};

// A picture of w1 x h1 in a box of w2 x h2, centred across the box when taller than wide,
// from top to bottom otherwise (the box being square).
Placement fitCentred(double w1, double h1, double w2, double h2);
// The same size at the box's top left corner.
Placement fitTopLeft(double w1, double h1, double w2, double h2);

// The base name of a code's picture file: the code normalised; empty when nothing is left.
QString fileName(const QString& code);
// gAppPath + "/myimages/" + fileName + ".bmp"; empty when the base name is empty, so that
// codes made only of removed characters share no file.
QString filePath(const QString& code);

} // namespace picture

// The picture box of the material editor. It shows its picture unscaled from its top left
// corner and knows whether the picture changed since the material was shown, so that a
// save touches the file only for a change.
class MaterialPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit MaterialPictureBox(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

    // Empties the box.
    void clear();
    // The clipboard's picture, scaled to fit and centred; no picture there: the box is
    // emptied. A picture that cannot be read (too large, or none that a decoder knows) is
    // told in one message and the box keeps its picture, so that a save keeps the stored one.
    void paste();
    // A picture file, scaled to fit at the top left; one that cannot be read is told in one
    // message and the box keeps its picture.
    bool loadFile(const QString& path);

    // Shows the picture file of a code (the box stays empty when it has none); one message
    // when the file exists but cannot be read.
    void showFile(const QString& code);
    // Writes the box's picture to the code's file when the picture changed since the last
    // show or save, or the code now names another file; deletes that file when the picture
    // was cleared. The file is replaced in one step, never left half written. A code that
    // names no file keeps no picture, and a picture to be kept under it is told in a message.
    void saveFile(const QString& code);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The box's drawing of a source scaled into the placement becomes its picture.
    void drawScaled(const QImage& source, const picture::Placement& placement);
    void setPicture(QImage picture);

    QImage picture_;
    QString shownName_;   // base name of the file last shown or saved
    bool changed_ = false;
};

// The picture area of the editor frame at its designed places: the box and the small
// buttons beside it (screen clip, paste, clear, open, and a hidden clear).
struct MaterialPictureControls {
    MaterialPictureBox* Picture2 = nullptr;
    QToolButton* ImageXY = nullptr;
    std::array<QToolButton*, 4> ImageX {};
};
MaterialPictureControls buildPictureControls(QWidget* frame);
