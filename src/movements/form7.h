#pragma once
// The job's order sheet: the stock-controlled lines of the job window whose stock class is
// ticked there, optionally of one supplier, each with a proposed order quantity that the
// user may overwrite in place; sent to the clipboard, a workbook or the printer. It writes
// nothing to the database.

#include "core/forms.h"
#include <QWidget>
#include <cstdint>

class FlexGrid;
class QComboBox;
class QLineEdit;
class XPButton;

class Form7 : public QWidget, public SingleInstance<Form7> {
    Q_OBJECT
public:
    // Designed outer size in twips.
    static constexpr int kWidthTw = 15255;
    static constexpr int kHeightTw = 10575;

    // Sheet columns: 0 to 10 are those of the job window's stock tab.
    enum Column : int {
        ColCode = 0, ColDescription = 1, ColQuantity = 2, ColKind = 3,
        ColMin = 6, ColMark = 8, ColStandard = 9, ColSupplier = 10, ColOrder = 11
    };
    static constexpr int kColumns = 12;

    explicit Form7(QWidget* parent = nullptr);
    ~Form7() override;

    // The job window's Order button: opens the sheet, or brings an open one to the front
    // as it is.
    static void ShowSheet();

    FlexGrid* MSFlexGrid5 = nullptr;
    QComboBox* Combo5 = nullptr;      // supplier filter; entry i is supplier reference i
    QLineEdit* Text1 = nullptr;       // in-place editor of the order quantity
    XPButton* XPButton4 = nullptr;    // print
    XPButton* XPButton1 = nullptr;    // copy
    XPButton* XPButton2 = nullptr;    // workbook
    XPButton* XPButton3 = nullptr;    // no action
    XPButton* Command1 = nullptr;     // return

    void Form_Load();
    void Combo5_Click();
    void MSFlexGrid5_Click();
    // keyCode as the keyboard reports it: 27 Esc, 13 Enter.
    void Text1_KeyUp(int keyCode, int shift);
    void XPButton1_Click();   // copy (form7_output.cpp)
    void XPButton2_Click();   // workbook
    void XPButton4_Click();   // print
    void Command1_Click();

    // The supplier entry at this position selected from code; runs Combo5_Click as a pick does.
    void selectSupplierEntry(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void SetupOrderGrid();
    void fillSupplierFilter();
    void Fill();
    void hideEditor();

    int rowsSupplier = 0;   // the supplier entry the rows were filled for
    int editRow = 0;   // the row Text1 edits; 0 while it edits none
    int editCol = ColOrder;
};
