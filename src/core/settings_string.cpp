#include "core/settings_string.h"
#include "platform/convert.h"
#include "platform/database.h"
#include <algorithm>

namespace settings {

namespace {

const QString kSelectSuppliers = QStringLiteral("select * from Promithf");
const QString kField = QStringLiteral("tmpString1");

int coordinate(const QString& digits)
{
    bool ok = false;
    const int value = digits.trimmed().toInt(&ok);
    return ok ? value : 0;
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

} // namespace settings
