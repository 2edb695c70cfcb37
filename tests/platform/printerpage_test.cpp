#include "platform/printerpage.h"
#include "support/readback.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kMarginTw = 567;   // the PDF page's 10 mm margin

TEST(PrinterPage, PositionFollowsTextLinesAndBoxes)
{
    QTemporaryDir dir;
    auto page = PrinterPage::pdf(dir.filePath("p.pdf"));
    page->setFontName("Arial");
    page->setFontSize(11);
    const int line = page->LineHeight();
    ASSERT_GT(line, 200);
    ASSERT_LT(line, 300);

    page->setCurrentX(1000);
    page->Print("abc");
    EXPECT_EQ(page->CurrentX(), 1000 + page->TextWidth("abc"));
    EXPECT_EQ(page->CurrentY(), 0);

    page->PrintLine("d");
    EXPECT_EQ(page->CurrentX(), 0);
    EXPECT_EQ(page->CurrentY(), line);

    // Three line ends inside the text and the one after it: four lines down.
    page->PrintLine("\r\n\r\n\r\n");
    EXPECT_EQ(page->CurrentY(), 5 * line);
    page->Print("x\ny");
    EXPECT_EQ(page->CurrentY(), 6 * line);
    EXPECT_EQ(page->CurrentX(), page->TextWidth("y"));

    page->FilledBox(0, 3000, 11500, 3200, QColor(200, 200, 210));
    EXPECT_EQ(page->CurrentX(), 11500);
    EXPECT_EQ(page->CurrentY(), 3200);

    page->NewPage();
    EXPECT_EQ(page->CurrentX(), 0);
    EXPECT_EQ(page->CurrentY(), 0);
    page->EndDoc();
}

TEST(PrinterPage, TextLandsAtItsTwipsOnTheRightPage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.pdf");
    {
        auto page = PrinterPage::pdf(path);
        EXPECT_NEAR(page->PageHeight(), (297 - 20) / 25.4 * 1440, 20);
        page->setCurrentX(1440);
        page->setCurrentY(2880);
        page->Print("Alpha");
        page->NewPage();
        page->setCurrentX(6500);
        page->PrintLine("Βήτα");
        page->EndDoc();
    }
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0].text, "Alpha");
    EXPECT_EQ(words[0].page, 1);
    EXPECT_NEAR(words[0].x, kMarginTw + 1440, 30);
    EXPECT_NEAR(words[0].y, kMarginTw + 2880, 60);
    EXPECT_EQ(words[1].text, "Βήτα");
    EXPECT_EQ(words[1].page, 2);
    EXPECT_NEAR(words[1].x, kMarginTw + 6500, 30);
}

TEST(PrinterPage, MissingPrinterIsAnErrorNotACrash)
{
    {
        const PrinterPage::InstalledPrinters none({});
        EXPECT_THROW(PrinterPage page {QString()}, PrinterError);
    }
    const PrinterPage::InstalledPrinters one({"Office"});
    try {
        PrinterPage page("Warehouse");
        FAIL() << "a printer that is not installed started a document";
    } catch (const PrinterError& error) {
        EXPECT_TRUE(QString::fromStdString(error.what()).contains("Warehouse"));
    }
}

} // namespace
