#pragma once
// Reading the program's outputs back as another program would: a PDF through poppler's
// pdftotext and pdftoppm, an .xlsx workbook through unzip and its XML parts.

#include <QColor>
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

namespace readback {

// The PDF's text in reading order (pdftotext -layout), pages separated by form feeds.
QString pdfText(const QString& path);
int pdfPageCount(const QString& path);

// One word of a PDF page with its left edge, top and right edge in twips from the page's corner.
struct PdfWord {
    int page;   // 1-based
    double x;
    double y;
    QString text;
    double right = 0;
};
QVector<PdfWord> pdfWords(const QString& path);

// One page of the PDF rendered at the resolution (pixels per inch).
QImage pdfPage(const QString& path, int page, int dpi);

// A workbook's first sheet as a spreadsheet program reads it.
class XlsxSheet {
public:
    explicit XlsxSheet(const QString& path);

    struct Cell {
        QString text;          // the text, or the number as written
        bool number = false;
        bool border = false;   // thin line on all four sides
        QColor fill;           // invalid: no fill
    };
    // By reference ("A1"); an absent cell is empty text.
    Cell cell(const QString& ref) const;
    bool hasCell(const QString& ref) const { return cells_.contains(ref); }
    int lastRow() const { return lastRow_; }
    double columnWidth(int col) const;   // 1-based; 0 when not set
    QColor rowFill(int row) const;       // the row's own format
    QString header() const { return header_; }
    QVector<int> breaksBefore() const { return breaks_; }   // sheet rows (1-based)

private:
    struct Style {
        bool border = false;
        QColor fill;
    };
    Style style(int index) const;

    QMap<QString, Cell> cells_;
    QMap<int, double> widths_;
    QMap<int, int> rowStyles_;
    QVector<Style> styles_;
    QString header_;
    QVector<int> breaks_;
    int lastRow_ = 0;
};

} // namespace readback
