#pragma once
// The materials window: the list of protesyles filtered by supplier and stock control,
// sorted by identifier, description or code, with shortage and below-minimum colouring and
// the totals in the main window's status bar; search, copy, delete and the stock-control
// toggle; and the material editor, a frame laid over the list.

#include "core/forms.h"
#include <QString>
#include <QVariant>
#include <QWidget>
#include <array>
#include <optional>

class FlexGrid;
class MaterialPictureBox;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;
class XPButton;
namespace db {
class Recordset;
}

class Form3 : public QWidget, public SingleInstance<Form3> {
    Q_OBJECT
public:
    // List columns: column c of a data row (1 to 13) shows the material field of position c.
    enum Column : int { ColId = 0, ColDescription = 1, ColCode = 2, ColStock = 10, ColMin = 11, ColCheck = 13 };
    static constexpr int kColumns = 15;
    static constexpr int kDataRowHeight = 315;
    // Designed colours of the two swatches (&HBBGGRR) and of the sort mark.
    static constexpr std::uint32_t kShortageColor = 0x8080FF;
    static constexpr std::uint32_t kBelowMinimumColor = 0x80C0FF;
    static constexpr std::uint32_t kSortMarkColor = 0x0000FF;

    explicit Form3(QWidget* parent = nullptr);
    ~Form3() override;

    // The list side.
    FlexGrid* MSFlexGrid1 = nullptr;
    QComboBox* Combo5 = nullptr;   // supplier filter: " - " (all), then supplier k at position k
    QComboBox* Combo6 = nullptr;   // stock-control filter: all, controlled, not controlled
    std::array<QRadioButton*, 2> Option1 {};   // what Copy takes: shortages, all
    std::array<QFrame*, 2> Shape4 {};         // shortage and below-minimum swatches
    XPButton* XPButton1 = nullptr;  // find
    XPButton* XPButton2 = nullptr;  // copy
    XPButton* XPButton3 = nullptr;  // delete
    XPButton* XPButton4 = nullptr;  // "Χρήση": no action
    XPButton* XPButton5 = nullptr;  // order (the shortage list)
    XPButton* Command1 = nullptr;   // back to the home screen
    XPButton* Command2 = nullptr;   // modify: the editor on the selected material
    XPButton* Command4 = nullptr;   // new material

    // The editor.
    QFrame* Frame1 = nullptr;
    QComboBox* Combo1 = nullptr;   // currency (not stored)
    QComboBox* Combo2 = nullptr;   // unit
    QComboBox* Combo3 = nullptr;   // supplier
    QComboBox* Combo4 = nullptr;   // material type
    QCheckBox* Check1 = nullptr;   // stock-controlled
    QLabel* Label2 = nullptr;      // identifier of the material last shown
    std::array<XPButton*, 2> Command6 {};   // previous, next
    XPButton* Command5 = nullptr;  // close the editor
    XPButton* Command7 = nullptr;  // save
    MaterialPictureBox* Picture2 = nullptr;   // the material's picture
    QToolButton* ImageXY = nullptr;           // screen clip
    std::array<QToolButton*, 4> ImageX {};    // clear, paste, open, and a hidden clear
    std::array<QLabel*, 19> Label1 {};

    // The text boxes Text1(0) to Text1(10): 7 (comments) has several lines, 8 is the list's
    // search box outside the editor frame.
    QString Text1(int index) const;
    void setText1(int index, const QString& text);
    QWidget* Text1Box(int index) const { return text1_[std::size_t(index)]; }

    bool isNewMode() const { return newMode; }

    // Called by name by the wheel forwarding: moves the focused list one row, up for a
    // rotation away from the user, down otherwise.
    Q_INVOKABLE void MouseWheel(int MouseKeys, int Rotation, int Xpos, int Ypos);

    void Form_Load();
    void Combo5_Click();
    void Combo6_Click();
    void MSFlexGrid1_MouseDown(int button, int shift, int x, int y);
    void MSFlexGrid1_DblClick();
    void MSFlexGrid1_MouseMove();
    void MSFlexGrid1_GotFocus();
    void MSFlexGrid1_LostFocus();
    void XPButton1_Click();   // find
    void XPButton2_Click();   // copy
    void XPButton3_Click();   // delete
    void XPButton5_Click();   // order
    void Command1_Click();    // return
    void Command2_Click();    // modify
    void Command4_Click();    // new
    void Command5_Click();    // close the editor
    void Command6_Click(int index);
    void Command7_Click();    // save
    void ImageX_Click(int index);
    void ImageXY_Click();     // screen clip

private:
    void buildList();
    void buildEditor();
    void connectHandlers();
    void FillCombos();
    // Refills, colours and counts the list; false when the query could not be read (the
    // user has been told, the list is empty and the totals are zero).
    bool FillMaterialsGrid(int order);
    // The fields a list row shows, positions 0 to 13, as the recordset holds them.
    using ListedFields = std::array<const QVariant*, ColCheck + 1>;
    // Writes a material's row; texts is room for the row's texts, reused from row to row.
    void fillRow(int row, const ListedFields& fields, std::vector<QString>& texts);
    void colourRow(int row, std::uint32_t color);
    void writeTotals(int rows, int shortages, int belowMinimum);
    void markSortColumn(int order);
    // False when the material is no longer stored.
    bool SaveCheckFlag(bool flag, long id);
    void toggleCheckFlag(int row);
    bool ShowMaterial();
    bool storeMaterial(bool adding);
    void writeListRow(int row, const db::Recordset& rs);
    void openShortageList();

    // Picture steps of the editor.
    void clearPicture();
    void showPicture();
    void savePicture();
    void buildPictureTools();
    void BrowsePicture();

    // The identifier a list row shows in its first column; nullopt for the header row, a
    // row out of range or a cell that does not read as an identifier.
    std::optional<long> listedId(int row) const;
    // The list row of a material, -1 when it is not listed.
    int rowOf(long id) const;

    std::array<QWidget*, 11> text1_ {};
    QLineEdit* lineBox(int index) const;
    QPlainTextEdit* comments_ = nullptr;

    int searchStart = 1;
    // The row a refill made current, until the user picks a row: Modify opens it, Delete
    // waits for a row the user chose.
    int unpickedRow = -1;
    bool newMode = false;
    bool loading = false;
};
