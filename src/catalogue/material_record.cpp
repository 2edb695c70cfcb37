#include "catalogue/material_record.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/language.h"
#include "platform/convert.h"
#include "platform/database.h"

#include <algorithm>
#include <cmath>

namespace material {

const QStringList& fieldNames()
{
    static const QStringList names {
        "ID", "Perigrafi", "kodikos", "kodikos2", "Axia", "Axia2", "nomisma", "typosyli",
        "monadametr", "promitheftis", "mystock", "minstock", "maxstock", "exeielegxo",
        "stoixeia2", "tmpNum1", "tmpString1",
    };
    return names;
}

const QStringList& typeKeys()
{
    static const QStringList keys {
        " - ", "Profil", "Mixanismoi", "Exartimata", "Rolla", "Pantzouria", "Tzamia",
        "Panel", "Kounoupieres", "{Other1}", "{Other2}", "{Other3}",
    };
    return keys;
}

QStringList typeList()
{
    // Only the named categories are language keys; the free ones keep their braces.
    constexpr int firstTranslated = 1;
    constexpr int lastTranslated = 8;
    QStringList list = typeKeys();
    for (int i = firstTranslated; i <= lastTranslated; ++i)
        list[i] = TranslateText(list[i]);
    return list;
}

const QStringList& unitList()
{
    static const QStringList units { "TEM", "mm", "M2", "{Kg}", "{other}" };
    return units;
}

QStringList currencyList()
{
    QStringList symbols;
    db::Recordset rs;
    rs.Open("select * from NOMISMATA", gConnStuff);
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString symbol = SafeTrim(rs.field("Symbolo"));
        if (!symbol.isEmpty())
            symbols << symbol;
    }
    rs.Close();
    return symbols;
}

bool hasInvisibleCharacter(const QString& code)
{
    const QList<uint> characters = code.toUcs4();
    return std::any_of(characters.begin(), characters.end(), [](uint c) {
        const QChar::Category category = QChar::category(char32_t(c));
        return category == QChar::Other_Control || category == QChar::Other_Format;
    });
}

QString invisibleCharacterReason()
{
    return QStringLiteral("ο κωδικός έχει χαρακτήρα ελέγχου ή αόρατο χαρακτήρα");
}

void openByCode(db::Recordset& rs, db::Connection& connection, const QString& code)
{
    static const QString viaFoldedCodes = QStringLiteral(
        "select * from protesyles where rowid in (select ID from folded_protesyles_kodikos where folded=?)");
    static const QString byScan = QStringLiteral("select * from protesyles where fold_case(kodikos)=?");
    rs.Open(connection.hasFoldedTable(db::kMaterialCodes) ? viaFoldedCodes : byScan, connection,
            {db::foldCase(conv::trimBlanks(code))});
}

void openById(db::Recordset& rs, db::Connection& connection, long id)
{
    rs.Open(QStringLiteral("select * from protesyles where ID=?"), connection, {qint64(id)});
}

QString selectForInsert()
{
    return QStringLiteral("select * from protesyles where 1=0");
}

std::optional<double> storedNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
        return value.toDouble();
    default:
        return std::nullopt;
    }
}

std::optional<float> storedSingle(const QVariant& value)
{
    const std::optional<double> number = storedNumber(value);
    if (!number || !std::isfinite(float(*number)))
        return std::nullopt;
    return float(*number);
}

} // namespace material
