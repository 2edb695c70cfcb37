#pragma once
// The printer as the printed lists use it: one document, a current font, a print position
// in twips from the corner of the printable area, text with or without a line end, filled
// boxes, new pages and the end of the document. Drawn with QPainter on a QPrinter: the
// named printer, or a PDF file while a test or a benchmark redirects printing there.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>

class QPainter;
class QPrinter;

// No printer to print on, or the printer refused to start the document; what() says which
// in the user's words.
class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PrinterPage {
public:
    // Starts a document on the named printer (empty: the default printer). Throws
    // PrinterError when no printer is installed, the named one is not, or it cannot start.
    explicit PrinterPage(const QString& printerName, const QString& documentName = {});
    ~PrinterPage();   // a document not ended is abandoned, not printed
    PrinterPage(const PrinterPage&) = delete;
    PrinterPage& operator=(const PrinterPage&) = delete;

    // A document written to a PDF file (A4 upright, 10 mm margins). Throws PrinterError.
    static std::unique_ptr<PrinterPage> pdf(const QString& path, const QString& documentName = {});

    // While a redirect lives, every page opened for a printer writes to its PDF file instead.
    class PdfRedirect {
    public:
        explicit PdfRedirect(const QString& path);
        ~PdfRedirect();
        PdfRedirect(const PdfRedirect&) = delete;
        PdfRedirect& operator=(const PdfRedirect&) = delete;

    private:
        QString previous_;
    };

    // While it lives, the installed printers are the given ones (the first is the default),
    // so that tests do not depend on the machine's printers.
    class InstalledPrinters {
    public:
        explicit InstalledPrinters(const QStringList& names);
        ~InstalledPrinters();
        InstalledPrinters(const InstalledPrinters&) = delete;
        InstalledPrinters& operator=(const InstalledPrinters&) = delete;

    private:
        std::optional<QStringList> previous_;
    };

    // The current font; a new document starts with Arial 10, not bold.
    QString FontName() const { return font_.family(); }
    void setFontName(const QString& name);
    double FontSize() const { return font_.pointSizeF(); }
    void setFontSize(double points);
    bool FontBold() const { return font_.bold(); }
    void setFontBold(bool bold);

    // Print position in twips from the printable area's top-left corner; text is drawn with
    // its top at CurrentY.
    int CurrentX() const { return x_; }
    void setCurrentX(int twips) { x_ = twips; }
    int CurrentY() const { return y_; }
    void setCurrentY(int twips) { y_ = twips; }

    // Prints at the position and moves right by the text's width. Line ends inside the text
    // (CR LF, LF or CR) each move down one line of the current font and back to x 0.
    void Print(const QString& text);
    // Print, then a line end.
    void PrintLine(const QString& text = {});
    // A box from (x1, y1) to (x2, y2) filled with the colour; the position is then (x2, y2).
    void FilledBox(int x1, int y1, int x2, int y2, const QColor& color);
    // Starts a new page; the position goes back to the top-left corner.
    void NewPage();
    // Ends the document, which sends it to the printer. Throws PrinterError when the
    // printer does not take it.
    void EndDoc();

    // Height and width of the printable area, and the width and line height of a text in
    // the current font, in twips.
    int PageHeight() const;
    int PageWidth() const;
    int TextWidth(const QString& text) const;
    int LineHeight() const;

private:
    PrinterPage(std::unique_ptr<QPrinter> printer, const QString& documentName);
    void begin(const QString& documentName);
    void fontChanged();
    void printSegment(const QString& text);
    void lineEnd();
    double toDevice(int twips) const;
    int toTwips(double device) const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;   // of the current font on the printer
    double scale_ = 1;        // device units per twip
    int x_ = 0;
    int y_ = 0;
};
