#include "platform/qttexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTranslator>

namespace qttexts {

namespace {

// Qt's source texts (the same in every context that uses them) and their Greek. An '&' marks
// the key of a button or menu entry.
const QHash<QString, QString>& greekTexts()
{
    static const QHash<QString, QString> texts {
        // Buttons of message boxes and dialogs.
        {"OK", "OK"},
        {"Cancel", "Άκυρο"},
        {"&Yes", "&Ναι"},
        {"&No", "Ό&χι"},
        {"Abort", "Ματαίωση"},
        {"Retry", "Επανάληψη"},
        {"Ignore", "Παράβλεψη"},
        // The file dialog.
        {"Look in:", "Αναζήτηση σε:"},
        {"File &name:", "Όνο&μα αρχείου:"},
        {"Files of type:", "Αρχεία τύπου:"},
        {"&Open", "Ά&νοιγμα"},
        {"Back", "Πίσω"},
        {"Go back", "Μετάβαση πίσω"},
        {"Forward", "Εμπρός"},
        {"Go forward", "Μετάβαση εμπρός"},
        {"Parent Directory", "Γονικός φάκελος"},
        {"Go to the parent directory", "Μετάβαση στον γονικό φάκελο"},
        {"Create New Folder", "Νέος φάκελος"},
        {"Create a New Folder", "Δημιουργία νέου φακέλου"},
        {"List View", "Λίστα"},
        {"Change to list view mode", "Προβολή σε λίστα"},
        {"Detail View", "Λεπτομέρειες"},
        {"Change to detail view mode", "Προβολή με λεπτομέρειες"},
        {"Sidebar", "Θέσεις"},
        {"List of places and bookmarks", "Θέσεις και σελιδοδείκτες"},
        {"Files", "Αρχεία"},
        {"Recent Places", "Πρόσφατες θέσεις"},
        {"&Rename", "&Μετονομασία"},
        {"&Delete", "&Διαγραφή"},
        {"Show &hidden files", "Εμφάνιση &κρυφών αρχείων"},
        {"&New Folder", "&Νέος φάκελος"},
        {"New Folder", "Νέος φάκελος"},
        {"Delete", "Διαγραφή"},
        {"Are you sure you want to delete '%1'?", "Να διαγραφεί το '%1';"},
        {"'%1' is write protected.\nDo you want to delete it anyway?",
         "Το '%1' προστατεύεται από εγγραφή.\nΝα διαγραφεί παρ' όλα αυτά;"},
        {"Could not delete directory.", "Ο φάκελος δεν διαγράφηκε."},
        {"%1\nFile not found.\nPlease verify the correct file name was given.",
         "%1\nΤο αρχείο δεν βρέθηκε.\nΕλέγξτε ότι το όνομα του αρχείου είναι σωστό."},
        {"%1\nDirectory not found.\nPlease verify the correct directory name was given.",
         "%1\nΟ φάκελος δεν βρέθηκε.\nΕλέγξτε ότι το όνομα του φακέλου είναι σωστό."},
        // The file list's columns, places and kinds.
        {"Name", "Όνομα"},
        {"Size", "Μέγεθος"},
        {"Type", "Τύπος"},
        {"Date Modified", "Τροποποίηση"},
        {"Computer", "Υπολογιστής"},
        {"Folder", "Φάκελος"},
        {"Unknown", "Άγνωστο"},
        // The edit menu of text boxes.
        {"&Undo", "&Αναίρεση"},
        {"&Redo", "Ακύρωση α&ναίρεσης"},
        {"Cu&t", "Απο&κοπή"},
        {"&Copy", "Α&ντιγραφή"},
        {"&Paste", "&Επικόλληση"},
        {"Select All", "Επιλογή όλων"},
    };
    return texts;
}

class GreekTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char*, const char* sourceText, const char*, int) const override
    {
        return greekTexts().value(QString::fromUtf8(sourceText));
    }
    // Installing a translator that is not empty retranslates the widgets already shown.
    bool isEmpty() const override { return false; }
};

} // namespace

void useGreek()
{
    static QPointer<QTranslator> installed;
    QCoreApplication* application = QCoreApplication::instance();
    if (installed || !application)
        return;
    installed = new GreekTranslator(application);
    QCoreApplication::installTranslator(installed);
}

} // namespace qttexts
