#pragma once
// The suppliers window: names the fixed rows of Promithf and keeps their details and
// comments. There is no save button: every change in a box is written at once.

#include "core/forms.h"
#include <QWidget>

class QListWidget;
class QLineEdit;
class QPlainTextEdit;
class XPButton;

class Form2 : public QWidget, public SingleInstance<Form2> {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    QListWidget* List1 = nullptr;     // supplier names, entry i = row ID i + 1
    QLineEdit* Text1 = nullptr;       // name
    QPlainTextEdit* Text2 = nullptr;  // details (stoixeia)
    QPlainTextEdit* Text3 = nullptr;  // comments (stoixeia2)
    XPButton* Command1 = nullptr;     // back to the home screen

    void Form_Load();
    void List1_Click();
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Command1_Click();

private:
    void buildControls();
    void FillSupplierList();
    void ShowSupplier();
    void SaveSupplier();
    // The ID of the supplier being edited; 0 when no entry is selected.
    int selectedId() const;
};
