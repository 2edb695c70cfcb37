#include "support/readback.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <stdexcept>

namespace readback {
namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        throw std::runtime_error((program + " failed: " + process.readAllStandardError()).toStdString());
    return process.readAllStandardOutput();
}

QByteArray zipEntry(const QString& path, const QString& entry)
{
    return run("unzip", {"-p", path, entry});
}

QColor argbColor(const QString& argb)
{
    return QColor(QRgb(argb.toUInt(nullptr, 16) & 0xFFFFFF));
}

// "B12" -> row 12.
int rowOf(const QString& ref)
{
    int i = 0;
    while (i < ref.size() && ref[i].isLetter())
        ++i;
    return ref.mid(i).toInt();
}

} // namespace

QString pdfText(const QString& path)
{
    return QString::fromUtf8(run("pdftotext", {"-layout", path, "-"}));
}

int pdfPageCount(const QString& path)
{
    const QString info = QString::fromUtf8(run("pdfinfo", {path}));
    for (const QString& line : info.split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return 0;
}

QVector<PdfWord> pdfWords(const QString& path)
{
    QVector<PdfWord> words;
    QXmlStreamReader xml(run("pdftotext", {"-bbox", path, "-"}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto attributes = xml.attributes();
            const double x = attributes.value("xMin").toDouble() * 20;
            const double y = attributes.value("yMin").toDouble() * 20;
            const double right = attributes.value("xMax").toDouble() * 20;
            words.push_back({page, x, y, xml.readElementText(), right});
        }
    }
    return words;
}

QImage pdfPage(const QString& path, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + "/page";
    run("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                     QString::number(page), "-singlefile", path, prefix});
    return QImage(prefix + ".png");
}

XlsxSheet::XlsxSheet(const QString& path)
{
    QStringList strings;
    if (run("unzip", {"-l", path}).contains("xl/sharedStrings.xml")) {
        QXmlStreamReader xml(zipEntry(path, "xl/sharedStrings.xml"));
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("t"))
                strings << xml.readElementText();
        }
    }
    {
        QVector<QColor> fills;
        QVector<bool> borders;
        QXmlStreamReader xml(zipEntry(path, "xl/styles.xml"));
        QString section;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            if (name == "fills" || name == "borders" || name == "cellXfs" || name == "cellStyleXfs")
                section = name;
            else if (name == "fill")
                fills << QColor();
            else if (name == "fgColor" && section == "fills")
                fills.back() = argbColor(xml.attributes().value("rgb").toString());
            else if (name == "border")
                borders << false;
            else if (name == "left" && section == "borders")
                borders.back() = xml.attributes().value("style") == QLatin1String("thin");
            else if (name == "xf" && section == "cellXfs") {
                const int fill = xml.attributes().value("fillId").toInt();
                const int border = xml.attributes().value("borderId").toInt();
                styles_.push_back({borders.value(border), fills.value(fill)});
            }
        }
    }
    QXmlStreamReader xml(zipEntry(path, "xl/worksheets/sheet1.xml"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == QLatin1String("col")) {
            for (int c = attributes.value("min").toInt(); c <= attributes.value("max").toInt(); ++c)
                widths_[c] = attributes.value("width").toDouble();
        } else if (xml.name() == QLatin1String("row")) {
            lastRow_ = std::max(lastRow_, attributes.value("r").toInt());
            if (attributes.hasAttribute("s"))
                rowStyles_[attributes.value("r").toInt()] = attributes.value("s").toInt();
        } else if (xml.name() == QLatin1String("c")) {
            const QString ref = attributes.value("r").toString();
            const bool shared = attributes.value("t") == QLatin1String("s");
            const int styleIndex = attributes.value("s").toInt();
            Cell cell;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("v"))
                    cell.text = xml.readElementText();
                else
                    xml.skipCurrentElement();
            }
            if (shared)
                cell.text = strings.value(cell.text.toInt());
            cell.number = !shared && !cell.text.isEmpty();
            cell.border = style(styleIndex).border;
            cell.fill = style(styleIndex).fill;
            cells_[ref] = cell;
            lastRow_ = std::max(lastRow_, rowOf(ref));
        } else if (xml.name() == QLatin1String("oddHeader")) {
            header_ = xml.readElementText();
        } else if (xml.name() == QLatin1String("brk")) {
            breaks_ << attributes.value("id").toInt() + 1;
        }
    }
}

XlsxSheet::Cell XlsxSheet::cell(const QString& ref) const
{
    return cells_.value(ref);
}

double XlsxSheet::columnWidth(int col) const
{
    return widths_.value(col);
}

QColor XlsxSheet::rowFill(int row) const
{
    return rowStyles_.contains(row) ? style(rowStyles_[row]).fill : QColor();
}

XlsxSheet::Style XlsxSheet::style(int index) const
{
    return styles_.value(index);
}

} // namespace readback
