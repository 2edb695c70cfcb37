#include "platform/filedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// What the open-file dialog showed, read while it was open.
struct Seen {
    QString title;
    QString folder;
    QStringList labels;     // look in, file name, files of type
    QStringList buttons;    // accept, reject
    QStringList tooltips;   // back, forward, parent, new folder, list, details
    QStringList columns;    // of the detail view
    QString filter;
};

QString shown(QString text)
{
    return text.remove(u'&');
}

// Waits for the modal file dialog, records it and chooses `file` in it.
class DialogReader {
public:
    explicit DialogReader(const QString& file) : file_(file)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { tryRead(); });
        timer_.start(10);
    }
    const Seen& seen() const { return seen_; }

private:
    void tryRead()
    {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer_.stop();
        seen_.title = dialog->windowTitle();
        seen_.folder = dialog->directory().absolutePath();
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            seen_.labels << shown(dialog->findChild<QLabel*>(name)->text());
        const auto* box = dialog->findChild<QDialogButtonBox*>("buttonBox");
        for (const QDialogButtonBox::StandardButton button : {QDialogButtonBox::Open, QDialogButtonBox::Cancel})
            seen_.buttons << shown(box->button(button)->text());
        for (const char* name : {"backButton", "forwardButton", "toParentButton", "newFolderButton", "listModeButton",
                                 "detailModeButton"})
            seen_.tooltips << dialog->findChild<QToolButton*>(name)->toolTip();
        const QAbstractItemModel* files = dialog->findChild<QTreeView*>("treeView")->model();
        for (int column = 0; column < files->columnCount(); ++column)
            seen_.columns << files->headerData(column, Qt::Horizontal).toString();
        seen_.filter = dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
        dialog->selectFile(file_);
        static_cast<QDialog*>(dialog)->accept();
    }

    QString file_;
    QTimer timer_;
    Seen seen_;
};

TEST(FileDialog, SpeaksGreekAndReturnsTheChosenFile)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("πρόσοψη.jpg");
    QFile(picture).open(QIODevice::WriteOnly);

    DialogReader reader(picture);
    const QString chosen = filedialog::chooseFile(nullptr, {"Search picture", dir.path(), "Picture File (jpg, bmp)",
                                                            "*.jpg;*.bmp"});
    EXPECT_EQ(chosen, picture);
    const Seen& seen = reader.seen();
    EXPECT_EQ(seen.title, "Search picture");
    EXPECT_EQ(seen.folder, dir.path());
    EXPECT_EQ(seen.labels, QStringList({"Αναζήτηση σε:", "Όνομα αρχείου:", "Αρχεία τύπου:"}));
    EXPECT_EQ(seen.buttons, QStringList({"Άνοιγμα", "Άκυρο"}));
    EXPECT_EQ(seen.tooltips, QStringList({"Πίσω", "Εμπρός", "Γονικός φάκελος", "Νέος φάκελος", "Λίστα",
                                          "Λεπτομέρειες"}));
    EXPECT_EQ(seen.columns, QStringList({"Όνομα", "Μέγεθος", "Τύπος", "Τροποποίηση"}));
    EXPECT_EQ(seen.filter, "Picture File (jpg, bmp) (*.jpg *.JPG *.bmp *.BMP)");
}

} // namespace
