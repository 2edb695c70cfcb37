#pragma once
// The invoice window: rows of a supplier's invoice pasted from the clipboard into a grid,
// the columns that hold code, quantity and description chosen by letter, and one update
// that adds each quantity to the stock, replaces it or subtracts it. Codes the catalogue
// lacks are listed and can then be inserted as new materials.

#include "core/forms.h"
#include <QString>
#include <QVector>
#include <QWidget>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

class FlexGrid;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;
class XPButton;

class Form5 : public QWidget, public SingleInstance<Form5> {
    Q_OBJECT
public:
    // Column choosers, by their index in Combo1.
    enum Chooser : int { CodeColumn = 0, QuantityColumn = 1, DescriptionColumn = 2,
                         SecondQuantityColumn = 3, SecondCodeColumn = 4 };
    // ActionMode: what a quantity does to the stock.
    enum Action : qint16 { Add = 0, Replace = 1, Subtract = 2 };

    // Designed places in twips.
    static constexpr int kPanelTop = 8880;      // the column panel, just below the grid
    static constexpr int kResultLeft = 120;     // the result panel inside the column panel
    static constexpr int kResultTop = 120;
    // Columns the choosers offer: "A" to "U".
    static constexpr int kChoosableColumns = 21;

    explicit Form5(QWidget* parent = nullptr);
    ~Form5() override;

    FlexGrid* MSFlexGrid1 = nullptr;
    XPButton* XPButton1 = nullptr;   // paste from the clipboard
    XPButton* Command1 = nullptr;    // return
    QListWidget* List1 = nullptr;    // codes the catalogue lacks, fixed-width lines
    QFrame* Frame1 = nullptr;        // column panel
    std::array<QLabel*, 5> Label1 {};   // 0 to 4: Κωδικός, Ποσότητα, Περιγραφή, Ενημερώθηκαν, Νέα
    QLabel* Label1_14 = nullptr;     // supplier label of the result panel
    std::array<QComboBox*, 5> Combo1 {};
    QGroupBox* Frame4 = nullptr;
    std::array<QRadioButton*, 3> Option1 {};
    XPButton* XPButton3 = nullptr;   // update
    XPButton* XPButton6 = nullptr;   // delete the selected grid rows
    XPButton* XPButton2 = nullptr;   // hide the panel and return
    QFrame* Frame2 = nullptr;        // result panel
    QComboBox* Combo5 = nullptr;     // supplier of the new materials
    QCheckBox* Check1 = nullptr;     // new materials are stock-controlled
    XPButton* XPButton4 = nullptr;   // insert the new materials
    QFrame* Frame3 = nullptr;        // cover over the supplier controls

    qint16 actionMode() const { return ActionMode; }

    // The header text of grid column c: "A" to "Z", then "AA", "AB", ...
    static QString columnLetter(int c);
    // The widest row a spreadsheet holds; a paste with a wider row is refused.
    static constexpr int kSpreadsheetColumns = 16384;

    // Clipboard text as a spreadsheet writes it: cells end at TAB, rows at CR LF (or at LF in a
    // text without CR LF); a cell that begins with a quote holds TAB, CR, LF and
    // doubled quotes up to its closing quote. A row end after the last row adds no empty row.
    static QVector<QStringList> spreadsheetRows(const QString& text);
    // A line of List1: code padded to 21, quantity "00000.00", a blank, description padded to 50.
    static QString newCodeLine(const QString& code, float quantity, const QString& description);

    void Form_Load();
    void Option1_Click(int index);
    void XPButton1_Click();
    void XPButton3_Click();
    void XPButton4_Click();
    void XPButton6_Click();
    void XPButton2_Click();
    void Command1_Click();

private:
    // One invoice row as the choosers read it.
    struct InvoiceRow {
        QString code;
        float quantity = 0;
        QString description;
        QString quantityFault;   // why a quantity cell with text gave no quantity; empty if none did
    };
    // A code the catalogue lacks, kept beside its line of List1 for the insert.
    struct NewMaterial {
        QString code;
        float quantity;
        QString description;
    };
    struct SkippedRow {
        int row;
        QString code;
        QString reason;
    };
    struct UpdateCounts {
        int updated = 0;
        int added = 0;
    };

    void buildControls();
    void buildColumnPanel();
    void buildResultPanel();
    void connectHandlers();

    bool fillGrid(const QVector<QStringList>& rows);
    void AutoSizeColumns();
    QString cellText(int row, int col) const;
    InvoiceRow readRow(int row) const;
    int descriptionColumn() const;   // -1 without a description column

    // The whole invoice in one transaction; nullopt when the database refused it.
    std::optional<UpdateCounts> applyInvoice(QString& error);
    enum class Change { Missing, Applied, OutOfRange, StockUnreadable };
    Change ApplyStockChange(const QString& code, float quantity, const QString& description);
    void addNewMaterial(const InvoiceRow& row);
    void clearNewMaterials();
    void showResult(const UpdateCounts& counts);
    void saveColumnChoices();
    void reportSkippedRows();
    bool insertNewMaterials(QString& error);

    qint16 ActionMode = Add;
    std::vector<NewMaterial> newMaterials_;   // parallel to the lines of List1
    std::unordered_map<QString, std::size_t> newIndex_;   // folded code -> its place in newMaterials_
    QVector<SkippedRow> skipped_;
};
