#pragma once
// The shortage list: every stock-controlled material whose stock is below its minimum,
// optionally of one supplier, with an order proposal that the user may overwrite in place.
// Rows can be dropped; the list as edited goes to the clipboard, a workbook or the printer.
// The window writes no table: edits and deletions change only the grid.

#include "core/forms.h"
#include <QPointer>
#include <QWidget>

class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class XPButton;

class Form8 : public QWidget, public SingleInstance<Form8> {
    Q_OBJECT
public:
    // Designed inner size in twips.
    static constexpr int kWidthTw = 14985;
    static constexpr int kHeightTw = 10605;
    // Grid columns: 0 to 15 hold the fields of the same position (0 the ID as "0000",
    // 13 "ok" or "--"), 17 the order proposal.
    static constexpr int kColumns = 18;
    enum Column : int { ColId = 0, ColDescription = 1, ColCode = 2, ColStock = 10, ColMin = 11,
                        ColMax = 12, ColCheck = 13, ColStandard = 15, ColOrder = 17 };

    // The window that opened the list (the materials list) is enabled again whenever the
    // list goes, however it is closed.
    explicit Form8(QWidget* owner = nullptr, QWidget* parent = nullptr);
    ~Form8() override;

    // Makes the list, disables the owner, and shows the list over the main window's work area at (0, 0)
    // with the main window's size.
    static Form8* openOver(QWidget* owner);

    // The proposal for a material, in single precision: the standard quantity unless it
    // takes the stock above the maximum (then up to the maximum); a zero proposal falls
    // back to the maximum, one still zero or below to the minimum.
    static float OrderProposal(float stock, float minimum, float maximum, float standard);

    FlexGrid* MSFlexGrid1 = nullptr;
    QLineEdit* Text2 = nullptr;     // in-place editor of the order column
    QComboBox* Combo5 = nullptr;    // supplier filter, entry k = supplier k (0 all)
    QComboBox* Combo6 = nullptr;    // stock-control choice, read by nothing here
    QLabel* Label1 = nullptr;
    XPButton* Command1 = nullptr;   // return
    XPButton* XPButton2 = nullptr;  // copy
    XPButton* XPButton3 = nullptr;  // workbook
    XPButton* XPButton4 = nullptr;  // delete the selected rows
    XPButton* XPButton5 = nullptr;  // print

    void Form_Load();
    void FillFilterCombos();
    void Combo5_Click();
    // The supplier entry at this position selected from code; runs Combo5_Click as a pick does.
    void selectSupplierEntry(int index);
    void FillShortageGrid();
    // Coordinates in twips within the grid.
    void MSFlexGrid1_MouseDown(int button, int shift, int x, int y);
    void Text2_Change();
    void Text2_KeyDown(int keyCode, int shift);
    void XPButton4_Click();
    void Command1_MouseDown();
    void Command1_Click();

    // Outputs: the identifier, description, code and order columns of every row.
    void XPButton2_Click();
    void XPButton3_Click();
    void XPButton5_Click();
    void ExportShortageListToExcel();
    void PrintShortageList();

private:
    void buildControls();
    void setUpColumns();
    void releaseOwner();
    QString shortageQuery() const;

    QPointer<QWidget> owner_;
    int editRow_ = 0;   // the data row the editor was opened on (0: none)
};
