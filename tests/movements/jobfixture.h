#pragma once
// Job files and materials for the job window's tests.

#include "core/globals.h"
#include "core/jobimport.h"
#include "movements/form1.h"
#include "platform/convert.h"
#include "support/testenv.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace jobtest {

// Blanks after a text up to a width in characters (an emoji is one).
inline QString padded(const QString& text, int width)
{
    return text + QString(std::max(width - conv::len(text), 0), u' ');
}

// A job line: 20 unread characters, code (20), description (50), quantity (10, right
// aligned), one unread character, kind (2).
inline QString jobLine(const QString& code, const QString& description, const QString& quantity,
                       const QString& kind = "01")
{
    return QString(20, u' ') + padded(code, 20) + padded(description, 50) + quantity.rightJustified(10, u' ')
        + u' ' + kind;
}

class JobTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece)); }
    void TearDown() override
    {
        Form1::afterWithdrawalCommitted = nullptr;
        delete Form1::instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::c());
    }

    void addMaterial(const QString& code, double stock, double minimum, bool controlled = true,
                     double order = 0, int supplier = 0)
    {
        testenv::DataFolder::exec(gConnStock,
            "insert into protesyles (Perigrafi, kodikos, mystock, minstock, exeielegxo, tmpNum1, promitheftis) "
            "values (?, ?, ?, ?, ?, ?, ?)",
            {code, code, stock, minimum, controlled ? 1 : 0, order, supplier});
    }
    static double stockOf(const QString& code)
    {
        return testenv::DataFolder::scalar(gConnStock,
            "select mystock from protesyles where kodikos=?", {code}).toDouble();
    }
    void writeJobBytes(const QByteArray& bytes)
    {
        QFile file(jobFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray jobBytes(const QStringList& lines) { return (lines.join("\r\n") + "\r\n").toUtf8(); }
    void writeJob(const QStringList& lines) { writeJobBytes(jobBytes(lines)); }
    static QByteArray jobFileBytes()
    {
        QFile file(jobFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Imports the job file; the job window that the analysis left open, or nullptr.
    Form1* importJob(const QStringList& lines)
    {
        writeJob(lines);
        ImportStockFile();
        return Form1::instance();
    }

    testenv::DataFolder data;
    testenv::Boxes boxes;
};

} // namespace jobtest
