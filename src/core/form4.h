#pragma once
// The start form: a picture with the program's name, shown while start-up runs; after
// 1200 ms it hands over to the main window.

#include "core/forms.h"
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLockFile;

class Form4 : public QWidget, public SingleInstance<Form4> {
    Q_OBJECT
public:
    explicit Form4(QWidget* parent = nullptr);
    ~Form4() override;

    enum class StartResult {
        Ready,           // the databases are open: Timer1 hands over to the main window
        AlreadyRunning,  // another copy runs: end silently
        Failed,          // start-up failed and the user was told: end
    };
    // The start-up sequence: single running copy, folders and databases, output column
    // flags, printer, interface language and font character set. Starts Timer1 when ready.
    StartResult Form_Load(const QString& programFolder = QCoreApplication::applicationDirPath());

    // Unloads the start form and shows the main window, which keeps the running copy's lock.
    void Timer1_Timer();

    std::array<QLabel*, 4> Label1 {};
    QTimer Timer1;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ResetExportSettings();

    std::unique_ptr<QLockFile> instanceLock_;
};
