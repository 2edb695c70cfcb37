#include "core/settings_string.h"
#include "platform/convert.h"
#include "platform/database.h"
#include <algorithm>

namespace settings {

namespace {

const QString kSelectSuppliers = QStringLiteral("select * from Promithf");
const QString kField = QStringLiteral("tmpString1");

int wholeNumber(const QString& digits, int otherwise)
{
    bool ok = false;
    const int value = digits.trimmed().toInt(&ok);
    return ok ? value : otherwise;
}

int coordinate(const QString& digits)
{
    return wholeNumber(digits, 0);
}

QString fiveDigits(int twips)
{
    return QStringLiteral("%1").arg(std::clamp(twips, 0, kMaxPosition), 5, 10, QLatin1Char('0'));
}

} // namespace

QString defaultString()
{
    return QString(kLength, QLatin1Char('0'));
}

QString normalized(const QVariant& stored)
{
    const QString text = stored.isNull() ? QString() : conv::trimBlanks(stored.toString());
    return text.size() < kLength ? defaultString() : text;
}

QString read(db::Connection& stock)
{
    try {
        db::Recordset rs;
        rs.Open(kSelectSuppliers, stock, 1, 3);
        if (rs.Eof())
            return defaultString();
        return normalized(rs.field(kField));
    } catch (const db::DatabaseError&) {
        return defaultString();
    }
}

bool write(db::Connection& stock, const QString& value)
{
    try {
        db::Recordset rs;
        rs.Open(kSelectSuppliers, stock, 1, 3);
        if (rs.Eof())
            return false;
        rs.setField(kField, value);
        rs.Update();
        return true;
    } catch (const db::DatabaseError&) {
        return false;
    }
}

QPoint mainWindowPosition(const QString& value)
{
    return {coordinate(conv::mid(value, 11, 5)), coordinate(conv::mid(value, 16, 5))};
}

QString withMainWindowPosition(const QString& value, int leftTw, int topTw)
{
    return normalized(value).left(10) + fiveDigits(leftTw) + fiveDigits(topTw);
}

InvoiceChoices invoiceChoices(const QString& value)
{
    InvoiceChoices choices {};
    for (int i = 0; i < kInvoiceChoices; ++i)
        choices[std::size_t(i)] = wholeNumber(conv::mid(value, 2 * i + 1, 2), -1);
    return choices;
}

QString withInvoiceChoices(const QString& value, const InvoiceChoices& choices)
{
    QString head;
    for (const int choice : choices)
        head += conv::format(choice, "00");
    return head + normalized(value).mid(10);
}

} // namespace settings
