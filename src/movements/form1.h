#pragma once
// The job window: the analysis of a job file against the warehouse in three tabs (codes
// the catalogue lacks, materials without stock control, stock-controlled materials with
// their rest after the job), the insert of the missing codes and the stock withdrawal.

#include "core/forms.h"
#include "core/jobimport.h"
#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class FlexGrid;
class QCheckBox;
class QFrame;
class QListWidget;
class QTabWidget;
class XPButton;
namespace db {
class Recordset;
}

class Form1 : public QWidget, public SingleInstance<Form1> {
    Q_OBJECT
public:
    // Designed outer size in twips.
    static constexpr int kWidthTw = 15255;
    static constexpr int kHeightTw = 10575;

    // Grid columns.
    enum Column : int {
        ColCode = 0, ColDescription = 1, ColQuantity = 2, ColKind = 3, ColEmpty = 4,
        ColStock = 5, ColMin = 6, ColRest = 7, ColMark = 8, ColOrder = 9, ColSupplier = 10
    };
    // Rest backgrounds of the stock classes (&HBBGGRR).
    static constexpr std::uint32_t kShortageColor = 0x8080FF;
    static constexpr std::uint32_t kBelowMinimumColor = 0x80C0FF;

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    QTabWidget* SSTab1 = nullptr;
    std::array<FlexGrid*, 3> MSFlexGrid1 {};
    std::array<QFrame*, 3> Frame1 {};
    std::array<QCheckBox*, 3> Check2 {};   // class boxes: Απαραίτητα, Έλλειψη, Επάρκεια
    QFrame* Frame2 = nullptr;
    XPButton* Command1 = nullptr;   // return
    XPButton* Command2 = nullptr;   // insert the new codes
    XPButton* XPButton1 = nullptr;  // execute
    XPButton* XPButton2 = nullptr;  // order sheet
    XPButton* XPButton3 = nullptr;
    XPButton* XPButton4 = nullptr;
    XPButton* XPButton5 = nullptr;
    XPButton* XPButton6 = nullptr;  // delete rows of tab 0
    QCheckBox* Check1 = nullptr;    // ticking it runs the analysis
    QListWidget* List1 = nullptr;   // the raw job lines

    qint16 shortageCount() const { return ShortageCount; }
    // The bytes of the job file that was analysed: Execute withdraws the job only while the
    // file still begins with them, and then leaves in it only what was appended since.
    void setImportedJob(const QByteArray& bytes) { importedJob_ = bytes; }
    // Test seam: runs between the commit of a withdrawal and the job file's rewrite, where a
    // crash or another program may intervene.
    static inline std::function<void()> afterWithdrawalCommitted;

    // A tab holds at most this many job lines (row counters are 16-bit).
    static constexpr int kMaxTabLines = 32767;

    void Form_Load();
    void Check1_Click();
    void SSTab1_Click(int previousTab);
    void Command1_Click();
    void Command2_Click();
    void XPButton1_Click();
    void XPButton2_Click();
    void XPButton4_Click();
    void XPButton6_Click();

private:
    struct SkippedLine {
        int number;      // 1-based line of the job file
        QString reason;
    };

    void buildControls();
    void placeGridInPage(int tab);
    void connectHandlers();
    void analyseLine(const QString& line, int number);
    std::optional<QString> insertNewMaterial(db::Recordset& rs, int row);
    static void keepOnlyRows(FlexGrid* grid, const std::vector<int>& kept);
    void selectTab(int tab);
    void reportSkippedLines();
    void abandonAnalysis(const QString& reason);
    // The job lines (1-based, as in the job file) that a withdrawal takes.
    struct JobLines {
        int first;
        int last;
    };
    static std::optional<int> confirmRepeatedWithdrawal(const Withdrawal& earlier, const QByteArray& job);
    bool withdraws(int row, const JobLines& lines) const;
    int shortagesAmong(const JobLines& lines) const;
    std::optional<QString> withdrawJob(const QByteArray& job, const JobLines& lines,
                                       const std::optional<Withdrawal>& known);
    std::optional<QString> deductRow(int row);
    void removeJobFile(const QByteArray& withdrawn);

    std::array<int, 3> RowNext {1, 1, 1};
    qint16 ShortageCount = 0;
    QVector<SkippedLine> skipped_;
    QVector<int> stockLines_;   // the job file line of each row of tab 2
    QByteArray importedJob_;
};
