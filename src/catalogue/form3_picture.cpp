// The picture tools of the material editor: clear, paste, open a file, and the screen clip.

#include "catalogue/form3.h"
#include "core/application.h"
#include "catalogue/material_picture.h"
#include "core/globals.h"
#include "platform/convert.h"
#include "platform/filedialog.h"
#include "platform/messagebox.h"
#include "platform/screenclip.h"

#include <QFrame>
#include <QPointer>
#include <QToolButton>

void Form3::buildPictureTools()
{
    const MaterialPictureControls controls = buildPictureControls(Frame1);
    Picture2 = controls.Picture2;
    ImageXY = controls.ImageXY;
    ImageX = controls.ImageX;
    connect(ImageXY, &QToolButton::clicked, this, reportingFailures(this, &Form3::ImageXY_Click));
    for (int index = 0; index < int(ImageX.size()); ++index)
        connect(ImageX[std::size_t(index)], &QToolButton::clicked, this, reportingFailures([this, index] { ImageX_Click(index); }));
}

void Form3::ImageX_Click(int index)
{
    // The box is emptied first, except that a picture which cannot be read leaves it as it
    // was: a following Save must not delete the stored picture by accident.
    if (index == 1)
        Picture2->paste();
    else if (index == 2)
        BrowsePicture();
    else
        Picture2->clear();
}

void Form3::BrowsePicture()
{
    const filedialog::Request request {"Search picture", gDataPath + "/Sxediakuf", "Picture File (jpg, bmp)",
                                       "*.jpg;*.bmp"};
    const QString path = conv::trimBlanks(filedialog::chooseFile(this, request));
    if (path.isEmpty())
        Picture2->clear();
    else
        Picture2->loadFile(path);
}

void Form3::ImageXY_Click()
{
    const QPointer<Form3> self(this);
    const screenclip::Outcome outcome = screenclip::takeClip(window());
    if (!self || outcome == screenclip::Outcome::WindowClosed)
        return;
    if (outcome == screenclip::Outcome::NoTool) {
        msgbox::MsgBox("Αποτυχία εκκίνησης του Snip & Sketch.");
        return;
    }
    ImageX_Click(1);
}
