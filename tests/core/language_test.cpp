#include "core/globals.h"
#include "core/language.h"
#include "support/testenv.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A control whose caption is a declared property, as the push buttons have.
class CaptionControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    using QWidget::QWidget;
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }

private:
    QString caption_;
};

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testenv::DataFolder::exec(gConnQuilbex,
            "insert into glossa (greeklish, ellinika, english) values ('Neo', 'Νέο', 'New');"
            "insert into glossa (greeklish, ellinika, english) values ('Epistrofi', ' Επιστροφή ', 'Return');"
            "insert into glossa (greeklish, ellinika, english) values ('Ylika', 'Υλικά', 'Materials');"
            "insert into glossa (greeklish, ellinika, english) values ('Symvoyli', 'Συμβουλή', 'Hint');"
            "insert into glossa (greeklish, ellinika, english) values ('Keno', '', '');"
            "insert into glossa (greeklish, ellinika, english) values ('O''Brien', 'Ο Μπράιαν', 'O''Brien');");
    }
    testenv::DataFolder data;
};

TEST_F(LanguageTest, TranslateTextLooksKeysUpInTheLanguageColumn)
{
    struct Case { const char* key; const char* language1; const char* language2; };
    const Case cases[] = {
        {"Neo", "Νέο", "New"},
        {"neo", "Νέο", "New"},              // keys compare without regard to letter case
        {"Epistrofi", "Επιστροφή", "Return"}, // the found text is trimmed
        {"Keno", "Keno", "Keno"},           // an empty text gives the key
        {"Agnosto", "AGNOSTO", "AGNOSTO"},  // a missing key in upper case
        {"O'Brien", "Ο Μπράιαν", "O'Brien"}, // an apostrophe is looked up like any other key
    };
    for (const Case& c : cases) {
        gLanguage = 1;
        EXPECT_EQ(TranslateText(c.key), QString(c.language1)) << c.key;
        gLanguage = 2;
        EXPECT_EQ(TranslateText(c.key), QString(c.language2)) << c.key;
    }
}

TEST_F(LanguageTest, LanguageBeyondTheLastColumnGivesTheTrimmedKey)
{
    gLanguage = 3;
    EXPECT_EQ(TranslateText("Neo"), "Neo");
    EXPECT_EQ(TranslateText("Agnosto"), "AGNOSTO");
    gLanguage = 255;
    EXPECT_EQ(TranslateText("Ylika"), "Ylika");
}

TEST_F(LanguageTest, TranslateFormTranslatesKeyCaptionsAndTheirTooltips)
{
    QWidget form;
    form.setWindowTitle("~Ylika");
    auto* label = new QLabel("  ~Neo  ", &form);
    label->setToolTip(" Symvoyli ");
    auto* tilde = new QPushButton("~", &form);
    tilde->setToolTip("Symvoyli");
    auto* fixed = new QCheckBox("Τιμολόγια", &form);
    fixed->setToolTip("Symvoyli");
    auto* group = new QGroupBox("~Epistrofi", &form);
    group->setToolTip("Agnosto");
    auto* nested = new QLabel("~Neo", group);
    auto* button = new CaptionControl(&form);
    button->setCaption("~Epistrofi");
    auto* tabs = new QTabWidget(&form);
    tabs->addTab(new QWidget, "~Ylika");
    tabs->addTab(new QWidget, "Σταθερό");
    tabs->addTab(new QWidget, "~Agnosto");
    auto* inTab = new QLabel("~Neo", tabs->widget(0));

    TranslateForm(&form);

    EXPECT_EQ(form.windowTitle(), "Υλικά");
    EXPECT_EQ(label->text(), "Νέο");
    EXPECT_EQ(label->toolTip(), "Συμβουλή");
    EXPECT_EQ(tilde->text(), "~");
    EXPECT_EQ(tilde->toolTip(), "Symvoyli");
    EXPECT_EQ(fixed->text(), "Τιμολόγια");
    EXPECT_EQ(fixed->toolTip(), "Symvoyli");
    EXPECT_EQ(group->title(), "Επιστροφή");
    EXPECT_EQ(group->toolTip(), "AGNOSTO");
    EXPECT_EQ(nested->text(), "Νέο");
    EXPECT_EQ(button->Caption(), "Επιστροφή");
    EXPECT_EQ(button->toolTip(), "");
    EXPECT_EQ(tabs->tabText(0), "Υλικά");
    EXPECT_EQ(tabs->tabText(1), "Σταθερό");
    EXPECT_EQ(tabs->tabText(2), "AGNOSTO");
    EXPECT_EQ(inTab->text(), "Νέο");
}

TEST_F(LanguageTest, WindowTitleIsTranslatedUntrimmed)
{
    struct Case { const char* title; const char* expected; };
    const Case cases[] = {
        {"~Neo", "Νέο"},
        {"~", ""},              // a key-less title becomes empty
        {"~   ", ""},
        {" ~Neo", " ~Neo"},     // the title is not trimmed before the test for "~"
        {"Τιμολόγια", "Τιμολόγια"},
        {"~Agnosto", "AGNOSTO"},
    };
    for (const Case& c : cases) {
        QWidget form;
        form.setWindowTitle(c.title);
        TranslateForm(&form);
        EXPECT_EQ(form.windowTitle(), QString(c.expected)) << c.title;
    }
}

TEST_F(LanguageTest, KeysTheTableCannotGiveShowInUpperCase)
{
    testenv::DataFolder::exec(gConnQuilbex, "drop table glossa");
    EXPECT_EQ(TranslateText(" Neo "), "NEO");
    EXPECT_FALSE(LanguageTableReadable());

    QWidget form;
    form.setWindowTitle("~Ylika");
    auto* first = new QLabel("~Neo", &form);
    first->setToolTip("Symvoyli");
    auto* fixed = new QLabel("Τιμολόγια", &form);
    auto* second = new QPushButton("~Epistrofi", &form);

    TranslateForm(&form);
    EXPECT_EQ(first->text(), "NEO");
    EXPECT_EQ(first->toolTip(), "SYMVOYLI");
    EXPECT_EQ(fixed->text(), "Τιμολόγια");
    EXPECT_EQ(second->text(), "EPISTROFI");
    EXPECT_EQ(form.windowTitle(), "YLIKA");
}

// A language database locked by the companion program costs one wait: later keys are not
// asked for again from that opening, and a reopened file is read afresh.
TEST_F(LanguageTest, ALockedLanguageDatabaseIsAskedOnce)
{
    {
        db::Connection companion;
        companion.Open(db::connectionStringFor(data.dataPath() + "/quilbex.mdb"));
        companion.Execute("BEGIN EXCLUSIVE");
        EXPECT_EQ(TranslateText("Neo"), "NEO");
        companion.Execute("COMMIT");
    }
    EXPECT_EQ(TranslateText("Ylika"), "YLIKA");
    gConnQuilbex.Open();
    EXPECT_TRUE(LanguageTableReadable());
    EXPECT_EQ(TranslateText("Ylika"), "Υλικά");
}

class GetParameterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testenv::DataFolder::exec(gConnQuilbex,
            "insert into pm_integer (ID, timi) values (11, 2);"
            "insert into pm_integer (ID, timi) values (12, NULL);"
            "insert into pm_single (ID, timi) values (3, 2.5);"
            "insert into pm_keimeno250 (ID, timi) values (1, 'PDF Printer');");
    }
    testenv::DataFolder data;
};

TEST_F(GetParameterTest, ReadsTheValueOfTheRow)
{
    EXPECT_EQ(GetParameter(11, 2).toInt(), 2);
    EXPECT_DOUBLE_EQ(GetParameter(3, 3).toDouble(), 2.5);
    EXPECT_EQ(GetParameter(1, 5).toString(), "PDF Printer");
    const QVariant null = GetParameter(12, 2);
    EXPECT_TRUE(null.isNull());
}

TEST_F(GetParameterTest, NoParameterGivesShortMinusOne)
{
    struct Case { qint16 id; qint16 kind; };
    const Case cases[] = {{0, 2}, {-4, 2}, {3, 7}, {3, 0}, {99, 2}, {11, 1}};
    for (const Case& c : cases) {
        const QVariant value = GetParameter(c.id, c.kind);
        EXPECT_EQ(value.typeId(), QMetaType::Short) << c.id << "," << c.kind;
        EXPECT_EQ(value.toInt(), -1) << c.id << "," << c.kind;
    }
}

TEST_F(GetParameterTest, OutOfRangeArgumentsMakeNoQuery)
{
    testenv::DataFolder::exec(gConnQuilbex, "drop table pm_integer");
    EXPECT_THROW(GetParameter(11, 2), db::DatabaseError);
    EXPECT_EQ(GetParameter(0, 2).toInt(), -1);
}

} // namespace

#include "language_test.moc"
