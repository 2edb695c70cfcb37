#include "catalogue/supplier_record.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/messagebox.h"

namespace supplier {

QString choiceEntry(const QString& name, int k)
{
    // A name too short to tell suppliers apart (the editor's "-" for an emptied name)
    // shows the supplier's position instead.
    const QString trimmed = conv::trimBlanks(name);
    if (trimmed.size() < 2)
        return "- - - { " + conv::format(k, "00") + " } - - -";
    return trimmed;
}

QStringList choiceList()
{
    QStringList list { " - " };
    db::Recordset rs;
    rs.Open("select * from Promithf", gConnStock);
    for (int k = 1; !rs.Eof(); rs.MoveNext(), ++k)
        list << choiceEntry(SafeTrim(rs.field("Perigrafi")), k);
    rs.Close();
    return list;
}

QStringList choiceListOrNone()
{
    try {
        return choiceList();
    } catch (const db::DatabaseError& error) {
        msgbox::MsgBox("Οι προμηθευτές δεν διαβάστηκαν:\n" + QString::fromUtf8(error.what()), msgbox::Critical,
                       "Προσοχή");
        return {" - "};
    }
}

} // namespace supplier
