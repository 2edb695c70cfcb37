#include "core/helpers.h"
#include "platform/convert.h"
#include "platform/flexgrid.h"
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <stdexcept>

std::array<qint16, 100> gColumnSelected = [] {
    std::array<qint16, 100> flags {};
    flags.fill(-1);
    return flags;
}();
qint16 gShortageOnly = 0;

void SelectAllColumns()
{
    gColumnSelected.fill(-1);
}

namespace {

bool columnSelected(int col)
{
    return col < int(gColumnSelected.size()) && gColumnSelected[std::size_t(col)] != 0;
}

// A cell the grid does not have reads as empty text.
QString cellText(const FlexGrid& grid, int row, int col)
{
    try {
        return grid.TextMatrix(row, col);
    } catch (const std::out_of_range&) {
        return {};
    }
}

// A stock-controlled material ("ok" in column 13) whose stock in column 10 is below 0.
// A stock that is not a number does not make a shortage.
bool isShortageRow(const FlexGrid& grid, int row)
{
    if (cellText(grid, row, 13) != QLatin1String("ok"))
        return false;
    const std::optional<float> stock = conv::parseSingle(cellText(grid, row, 10));
    return stock && *stock < 0;
}

} // namespace

void CopyGridToClipboard(const FlexGrid& grid)
{
    QString text;
    for (int row = 0; row < grid.Rows(); ++row) {
        if (gShortageOnly != 0 && !isShortageRow(grid, row))
            continue;
        for (int col = 0; col < grid.Cols(); ++col) {
            if (columnSelected(col))
                text += cellText(grid, row, col) + '\t';
        }
        text += '\n';
    }
    CopyTextToClipboard(text);
    SelectAllColumns();
}

void CopyTextToClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString PadText(const QString& text, int width, const QString& padChar, bool padRight)
{
    const QString trimmed = conv::trimBlanks(text);
    const int count = width - int(trimmed.size());
    if (count <= 0)
        return trimmed;
    const QString padding = padChar.repeated(count);
    return padRight ? trimmed + padding : padding + trimmed;
}

QString SafeTrim(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:   // Null
        return {};
    case QMetaType::QString:
        return conv::trimBlanks(qvariant_cast<QString>(value));
    // REAL fields hold the system's single-precision figures: they read as a single's text.
    case QMetaType::Double:
    case QMetaType::Float:
        return conv::singleText(float(value.toDouble()));
    case QMetaType::LongLong:
        return conv::wholeText(qvariant_cast<qint64>(value));
    default:
        return value.isNull() ? QString() : conv::trimBlanks(value.toString());
    }
}

void Pause(float seconds)
{
    if (!(seconds > 0))
        return;
    const qint64 duration = qint64(std::ceil(double(seconds) * 1000.0));
    QElapsedTimer clock;
    clock.start();
    // Wakes the wait for events when the time is up, so no CPU is spent spinning.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (qint64 left = duration; left > 0; left = duration - clock.elapsed()) {
        if (!wake.isActive())
            wake.start(int(left));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

QString withLineBreaksOf(const QString& boxText, const QString& storedText)
{
    if (!storedText.contains(QLatin1String("\r\n")))
        return boxText;
    QString text = boxText;
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

QString NormalizeCode(const QString& code)
{
    static const QString removed = QStringLiteral("-._,/|()+*\\{}[]'<>");
    QString result = code;
    result.remove(' ');
    result = result.toUpper();
    for (const QChar c : removed)
        result.remove(c);
    return result;
}

void SetFormOnTop(QWidget* form, bool onTop)
{
    QWidget* window = form->window();
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const QPoint position = window->pos();
    const QSize size = window->size();
    const bool visible = window->isVisible();
    // Changing the window flags recreates the native window and hides it.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->move(position);
    window->resize(size);
    if (visible)
        window->show();
}
