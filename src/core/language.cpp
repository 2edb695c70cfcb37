#include "core/language.h"
#include "core/globals.h"
#include "platform/convert.h"
#include "platform/database.h"
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <vector>

namespace {

// The opening of gConnQuilbex whose glossa could not be read (0: none).
quint64 gUnreadableLanguageDatabase = 0;

bool languageTableKnownUnreadable()
{
    return gUnreadableLanguageDatabase != 0 && gUnreadableLanguageDatabase == gConnQuilbex.openId();
}

// Opens rs on the rows of glossa whose key equals a key without regard to letter case, through
// the file's folded keys, or by a scan where the file has none. Throws db::DatabaseError.
void openByKey(db::Recordset& rs, const QString& key)
{
    static const QString viaFoldedKeys = QStringLiteral(
        "select * from glossa where rowid in (select ID from folded_glossa_greeklish where folded=?)");
    static const QString byScan = QStringLiteral("select * from glossa where fold_case(greeklish)=?");
    rs.Open(gConnQuilbex.hasFoldedTable(db::kLanguageKeys) ? viaFoldedKeys : byScan, gConnQuilbex,
            {db::foldCase(key)});
}

} // namespace

QString TranslateText(const QString& key)
{
    const QString trimmedKey = conv::trimBlanks(key);
    if (languageTableKnownUnreadable())
        return trimmedKey.toUpper();
    db::Recordset rs;
    try {
        openByKey(rs, key);
    } catch (const db::DatabaseError&) {
        gUnreadableLanguageDatabase = gConnQuilbex.openId();
        return trimmedKey.toUpper();
    }
    if (rs.Eof())
        return trimmedKey.toUpper();

    // The text of language n is at ordinal n + 1; a language beyond the last column reads empty.
    const int ordinal = int(gLanguage) + 1;
    const QString text = ordinal < rs.fieldCount() ? rs.field(ordinal).toString() : QString();
    const QString trimmedText = conv::trimBlanks(text);
    if (!trimmedText.isEmpty())
        return trimmedText;
    return text.size() > 1 ? text : trimmedKey;
}

bool LanguageTableReadable()
{
    if (languageTableKnownUnreadable())
        return false;
    try {
        db::Recordset rs;
        openByKey(rs, QString());
        return true;
    } catch (const db::DatabaseError&) {
        gUnreadableLanguageDatabase = gConnQuilbex.openId();
        return false;
    }
}

namespace {

// One caption of a control, read and written through its own property.
struct Caption {
    std::function<QString()> get;
    std::function<void(const QString&)> set;
};

// The captions of a control: its Caption property (the push buttons), a label's or button's
// text, a group box's title, or each tab text of a tab widget.
std::vector<Caption> captionsOf(QWidget* control)
{
    if (control->metaObject()->indexOfProperty("Caption") >= 0
        || control->dynamicPropertyNames().contains("Caption")) {
        return {{[control] { return control->property("Caption").toString(); },
                 [control](const QString& text) { control->setProperty("Caption", text); }}};
    }
    if (auto* label = qobject_cast<QLabel*>(control))
        return {{[label] { return label->text(); }, [label](const QString& text) { label->setText(text); }}};
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return {{[button] { return button->text(); }, [button](const QString& text) { button->setText(text); }}};
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return {{[group] { return group->title(); }, [group](const QString& text) { group->setTitle(text); }}};
    if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
        std::vector<Caption> captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions.push_back({[tabs, i] { return tabs->tabText(i); },
                                [tabs, i](const QString& text) { tabs->setTabText(i, text); }});
        return captions;
    }
    return {};
}

bool isKeyCaption(const QString& trimmedCaption)
{
    return trimmedCaption.size() > 1 && trimmedCaption.startsWith('~');
}

// A control with a key caption also has its tooltip translated (the tooltip is a whole key).
void translateControl(QWidget* control)
{
    bool translated = false;
    for (const Caption& caption : captionsOf(control)) {
        const QString text = conv::trimBlanks(caption.get());
        if (!isKeyCaption(text))
            continue;
        caption.set(conv::trimBlanks(TranslateText(text.mid(1))));
        translated = true;
    }
    if (!translated)
        return;
    const QString tip = conv::trimBlanks(control->toolTip());
    control->setToolTip(tip.isEmpty() ? QString() : conv::trimBlanks(TranslateText(tip)));
}

void translateTitle(QWidget* form)
{
    const QString title = form->windowTitle();
    if (!title.startsWith('~'))
        return;
    const QString key = title.mid(1);
    form->setWindowTitle(conv::trimBlanks(key).isEmpty() ? QString() : TranslateText(key));
}

} // namespace

void TranslateForm(QWidget* form)
{
    // gFontCharset forced a character set on every control's font; Qt fonts are all
    // Unicode, so the setting is read at start-up and has nothing to force here.
    // findChildren walks the widget tree depth-first in creation order.
    const QList<QWidget*> controls = form->findChildren<QWidget*>();
    for (QWidget* control : controls)
        translateControl(control);
    translateTitle(form);
}

QVariant GetParameter(qint16 ID, qint16 kind)
{
    static const char* const tables[] = {"pm_boolean", "pm_integer", "pm_single",
                                         "pm_keimeno20", "pm_keimeno250", "pm_ypomnima"};
    const QVariant none = QVariant::fromValue(qint16(-1));
    if (ID < 1 || kind < 1 || kind > 6)
        return none;
    db::Recordset rs;
    rs.Open(QString("select * from ") + tables[kind - 1] + " where ID=?", gConnQuilbex, {ID});
    if (rs.Eof() || rs.fieldCount() < 2)
        return none;
    return rs.field(1);
}
