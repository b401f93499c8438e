#pragma once

#include <QMap>
#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The preferences' page of printer calibration: a printer (each installed one, and output to
// a PDF file), its offset in millimetres and its scale in per cent, along x and y, and a
// button that prints the calibration page on it. Values typed for several printers are kept
// until the dialog is confirmed, then checked and stored together, each under its printer.
class PrinterCalibrationTab : public QWidget
{
    Q_OBJECT

public:
    enum Field
    {
        OffsetX,
        OffsetY,
        ScaleX,
        ScaleY
    };

    // `printers`: the installed printers' names; the PDF file is listed after them. The
    // default printer is shown first, the PDF file when there is none.
    PrinterCalibrationTab(const QStringList& printers, const QString& defaultPrinter,
                          QWidget* parent = nullptr);

    void ApplyTexts();

    QComboBox* cboPrinter() const { return m_printer; }
    QLineEdit* field(Field which) const { return m_fields[which]; }
    QPushButton* btnCalibrationPage() const { return m_calibrationPage; }

    // Every value typed for any printer shown must be a number in its range. The first that
    // is not is shown, with its printer, and named in a message: false.
    bool validate();
    // Stores the values of each printer shown that differ from what is stored. After validate().
    void save();

    void btnCalibrationPage_Click();

private:
    using Texts = std::array<QString, 4>;

    void showPrinter(int index);
    void keepTyped();
    // The texts' values, or nothing; `refused` tells which field failed first.
    static bool parse(const Texts& texts, std::array<double, 4>& values, int* refused);
    void refuse(const QString& printer, int field);

    QComboBox* m_printer = nullptr;
    std::array<QLineEdit*, 4> m_fields{};
    QLabel* m_printerLabel = nullptr;
    QLabel* m_offsetLabel = nullptr;
    QLabel* m_scaleLabel = nullptr;
    QPushButton* m_calibrationPage = nullptr;
    QString m_shown;              // the printer whose values the fields hold
    QMap<QString, Texts> m_typed; // each printer shown so far, as last typed
};
