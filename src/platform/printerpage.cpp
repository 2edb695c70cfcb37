#include "platform/printerpage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;

QString& redirectPath()
{
    static QString path;
    return path;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    return printer;
}

std::optional<QStringList>& installedOverride()
{
    static std::optional<QStringList> names;
    return names;
}

// The installed printer to print on; throws PrinterError when there is none.
QString installedPrinter(const QString& wanted)
{
    const std::optional<QStringList>& override = installedOverride();
    const QStringList installed = override ? *override : QPrinterInfo::availablePrinterNames();
    if (installed.isEmpty())
        throw PrinterError("Δεν υπάρχει εγκατεστημένος εκτυπωτής: η εκτύπωση δεν έγινε.");
    if (wanted.isEmpty()) {
        const QString byDefault = override ? override->first() : QPrinterInfo::defaultPrinterName();
        return installed.contains(byDefault) ? byDefault : installed.first();
    }
    if (!installed.contains(wanted))
        throw PrinterError(QString("Ο εκτυπωτής \"%1\" δεν είναι εγκατεστημένος: η εκτύπωση δεν έγινε.")
                               .arg(wanted).toStdString());
    return wanted;
}

std::unique_ptr<QPrinter> systemPrinter(const QString& name)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPrinterName(name);
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}

} // namespace

PrinterPage::PrinterPage(const QString& printerName, const QString& documentName)
{
    printer_ = redirectPath().isEmpty() ? systemPrinter(installedPrinter(printerName))
                                        : pdfPrinter(redirectPath());
    begin(documentName);
}

PrinterPage::PrinterPage(std::unique_ptr<QPrinter> printer, const QString& documentName)
    : printer_(std::move(printer))
{
    begin(documentName);
}

std::unique_ptr<PrinterPage> PrinterPage::pdf(const QString& path, const QString& documentName)
{
    return std::unique_ptr<PrinterPage>(new PrinterPage(pdfPrinter(path), documentName));
}

void PrinterPage::begin(const QString& documentName)
{
    if (!printer_->isValid())
        throw PrinterError(QString("Ο εκτυπωτής \"%1\" δεν είναι διαθέσιμος: η εκτύπωση δεν έγινε.")
                               .arg(printer_->printerName()).toStdString());
    printer_->setDocName(documentName);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get()))
        throw PrinterError(QString("Η εκτύπωση δεν ξεκίνησε στον εκτυπωτή \"%1\".")
                               .arg(printer_->outputFileName().isEmpty() ? printer_->printerName()
                                                                         : printer_->outputFileName())
                               .toStdString());
    painter_->setPen(Qt::black);
    scale_ = printer_->resolution() / kTwipsPerInch;
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPointSizeF(10);
    fontChanged();
}

PrinterPage::~PrinterPage()
{
    if (painter_ && painter_->isActive()) {
        printer_->abort();
        painter_->end();
    }
}

PrinterPage::PdfRedirect::PdfRedirect(const QString& path)
    : previous_(std::exchange(redirectPath(), path))
{
}

PrinterPage::PdfRedirect::~PdfRedirect()
{
    redirectPath() = previous_;
}

PrinterPage::InstalledPrinters::InstalledPrinters(const QStringList& names)
    : previous_(std::exchange(installedOverride(), names))
{
}

PrinterPage::InstalledPrinters::~InstalledPrinters()
{
    installedOverride() = previous_;
}

void PrinterPage::setFontName(const QString& name)
{
    font_.setFamily(name);
    fontChanged();
}

void PrinterPage::setFontSize(double points)
{
    if (points > 0)
        font_.setPointSizeF(points);
    fontChanged();
}

void PrinterPage::setFontBold(bool bold)
{
    font_.setBold(bold);
    fontChanged();
}

void PrinterPage::fontChanged()
{
    painter_->setFont(font_);
    metrics_.emplace(font_, printer_.get());
}

double PrinterPage::toDevice(int twips) const
{
    return twips * scale_;
}

int PrinterPage::toTwips(double device) const
{
    return int(std::lround(device / scale_));
}

void PrinterPage::printSegment(const QString& text)
{
    if (text.isEmpty())
        return;
    painter_->drawText(QPointF(toDevice(x_), toDevice(y_) + metrics_->ascent()), text);
    x_ += TextWidth(text);
}

void PrinterPage::lineEnd()
{
    x_ = 0;
    y_ += LineHeight();
}

void PrinterPage::Print(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = text.split(lineBreak);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            lineEnd();
        printSegment(lines[i]);
    }
}

void PrinterPage::PrintLine(const QString& text)
{
    Print(text);
    lineEnd();
}

void PrinterPage::FilledBox(int x1, int y1, int x2, int y2, const QColor& color)
{
    const QRectF box(QPointF(toDevice(std::min(x1, x2)), toDevice(std::min(y1, y2))),
                     QPointF(toDevice(std::max(x1, x2)), toDevice(std::max(y1, y2))));
    painter_->fillRect(box, color);
    x_ = x2;
    y_ = y2;
}

void PrinterPage::NewPage()
{
    printer_->newPage();
    x_ = 0;
    y_ = 0;
}

void PrinterPage::EndDoc()
{
    if (!painter_->end())
        throw PrinterError("Ο εκτυπωτής δεν δέχτηκε την εκτύπωση.");
}

int PrinterPage::PageHeight() const
{
    return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).height());
}

int PrinterPage::PageWidth() const
{
    return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).width());
}

int PrinterPage::TextWidth(const QString& text) const
{
    return toTwips(metrics_->horizontalAdvance(text));
}

int PrinterPage::LineHeight() const
{
    return toTwips(metrics_->lineSpacing());
}
