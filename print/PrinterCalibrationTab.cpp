#include "PrinterCalibrationTab.h"

#include "AppInfo.h"
#include "CalibrationPage.h"
#include "LangRuntime.h"
#include "PlainCaption.h"
#include "PrinterCalibration.h"
#include "Ui.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>

#include <optional>

namespace {

const char* const kFieldNames[] = {"txtOffsetX", "txtOffsetY", "txtScaleX", "txtScaleY"};

std::optional<double> parseField(int field, const QString& text)
{
    return field <= PrinterCalibrationTab::OffsetY ? PrinterCalibration::parseOffset(text)
                                                   : PrinterCalibration::parseScale(text);
}

} // namespace

PrinterCalibrationTab::PrinterCalibrationTab(const QStringList& printers,
                                             const QString& defaultPrinter, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("tabPrinter"));
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("cboPrinter"));
    for (const QString& name : printers) {
        if (!name.isEmpty())
            m_printer->addItem(name, name);
    }
    m_printer->addItem(QString(), PrinterCalibration::pdfPrinterName());
    m_printerLabel = new QLabel(this);
    m_printerLabel->setBuddy(m_printer);

    for (int i = 0; i < int(m_fields.size()); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(kFieldNames[i]));
        m_fields[i]->setAlignment(Qt::AlignRight);
        // Room for "-10.0" and "105.0"; what is typed is checked on OK, not while typing, so
        // that a refused value is named rather than silently changed.
        m_fields[i]->setMaximumWidth(
            m_fields[i]->fontMetrics().horizontalAdvance(QStringLiteral("-000.00")) + 16);
    }
    m_offsetLabel = new QLabel(this);
    m_offsetLabel->setBuddy(m_fields[OffsetX]);
    m_scaleLabel = new QLabel(this);
    m_scaleLabel->setBuddy(m_fields[ScaleX]);

    m_calibrationPage = new QPushButton(this);
    m_calibrationPage->setObjectName(QStringLiteral("btnCalibrationPage"));
    m_calibrationPage->setAutoDefault(false);
    connect(m_calibrationPage, &QPushButton::clicked, this,
            &PrinterCalibrationTab::btnCalibrationPage_Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_printerLabel, 0, 0);
    grid->addWidget(m_printer, 0, 1, 1, 3);
    grid->addWidget(m_offsetLabel, 1, 0);
    grid->addWidget(m_fields[OffsetX], 1, 1);
    grid->addWidget(m_fields[OffsetY], 1, 2);
    grid->addWidget(m_scaleLabel, 2, 0);
    grid->addWidget(m_fields[ScaleX], 2, 1);
    grid->addWidget(m_fields[ScaleY], 2, 2);
    grid->addWidget(m_calibrationPage, 3, 0, 1, 4, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);

    ApplyTexts();
    const int preset = m_printer->findData(defaultPrinter);
    m_printer->setCurrentIndex(preset >= 0 ? preset : m_printer->count() - 1);
    showPrinter(m_printer->currentIndex());
    connect(m_printer, &QComboBox::currentIndexChanged, this, &PrinterCalibrationTab::showPrinter);
}

void PrinterCalibrationTab::ApplyTexts()
{
    m_printerLabel->setText(LangString(1452));
    m_printer->setItemText(m_printer->count() - 1, LangString(1454));
    m_offsetLabel->setText(LangString(1456));
    m_scaleLabel->setText(LangString(1458));
    m_calibrationPage->setText(LangString(1460));
}

void PrinterCalibrationTab::keepTyped()
{
    if (m_shown.isEmpty())
        return;
    Texts texts;
    for (int i = 0; i < int(m_fields.size()); ++i)
        texts[i] = m_fields[i]->text();
    m_typed.insert(m_shown, texts);
}

void PrinterCalibrationTab::showPrinter(int index)
{
    keepTyped();
    m_shown = m_printer->itemData(index).toString();
    if (!m_typed.contains(m_shown)) {
        const PrinterCalibration stored = PrinterCalibration::load(m_shown);
        m_typed.insert(m_shown, {PrinterCalibration::toText(stored.offset.x()),
                                 PrinterCalibration::toText(stored.offset.y()),
                                 PrinterCalibration::toText(stored.scale.x()),
                                 PrinterCalibration::toText(stored.scale.y())});
    }
    const Texts& texts = m_typed[m_shown];
    for (int i = 0; i < int(m_fields.size()); ++i)
        m_fields[i]->setText(texts[i]);
}

bool PrinterCalibrationTab::parse(const Texts& texts, std::array<double, 4>& values, int* refused)
{
    for (int i = 0; i < int(texts.size()); ++i) {
        const std::optional<double> value = parseField(i, texts[i]);
        if (!value) {
            *refused = i;
            return false;
        }
        values[i] = *value;
    }
    return true;
}

void PrinterCalibrationTab::refuse(const QString& printer, int field)
{
    // The refused value is put before the user, on its printer's page, and named.
    for (QWidget* above = parentWidget(); above; above = above->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(above); tabs && tabs->indexOf(this) >= 0)
            tabs->setCurrentWidget(this);
    }
    const int index = m_printer->findData(printer);
    if (index >= 0 && index != m_printer->currentIndex())
        m_printer->setCurrentIndex(index);
    QLineEdit* edit = m_fields[field];
    edit->setFocus();
    edit->selectAll();
    platform::ui().messageBox(LangString(1462) + QStringLiteral("\r\n") + edit->text(),
                              platform::applicationTitle(), platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation);
}

bool PrinterCalibrationTab::validate()
{
    keepTyped();
    // The printer in view first: its values are the ones the user looks at.
    QStringList order = {m_shown};
    for (auto it = m_typed.cbegin(); it != m_typed.cend(); ++it) {
        if (it.key() != m_shown)
            order.append(it.key());
    }
    for (const QString& printer : std::as_const(order)) {
        std::array<double, 4> values{};
        int refused = 0;
        if (!parse(m_typed.value(printer), values, &refused)) {
            refuse(printer, refused);
            return false;
        }
    }
    return true;
}

void PrinterCalibrationTab::save()
{
    keepTyped();
    for (auto it = m_typed.cbegin(); it != m_typed.cend(); ++it) {
        std::array<double, 4> values{};
        int refused = 0;
        if (!parse(it.value(), values, &refused))
            continue;
        PrinterCalibration calibration;
        calibration.offset = QPointF(values[OffsetX], values[OffsetY]);
        calibration.scale = QPointF(values[ScaleX], values[ScaleY]);
        // A printer only looked at keeps no entry: it stays uncalibrated, not "calibrated
        // to nothing".
        const PrinterCalibration stored = PrinterCalibration::load(it.key());
        if (calibration.offset != stored.offset || calibration.scale != stored.scale)
            calibration.save(it.key());
    }
}

void PrinterCalibrationTab::btnCalibrationPage_Click()
{
    keepTyped();
    std::array<double, 4> values{};
    int refused = 0;
    if (!parse(m_typed.value(m_shown), values, &refused)) {
        refuse(m_shown, refused);
        return;
    }
    PrinterCalibration calibration;
    calibration.offset = QPointF(values[OffsetX], values[OffsetY]);
    calibration.scale = QPointF(values[ScaleX], values[ScaleY]);

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(platform::productName());
    if (m_shown == PrinterCalibration::pdfPrinterName()) {
        platform::FileDialogRequest request;
        request.kind = platform::FileDialogRequest::Kind::Save;
        request.title = plainCaption(LangString(1460));
        request.filter = QStringLiteral("PDF|*.pdf");
        const QString path = platform::ui().fileDialog(request);
        if (path.isEmpty())
            return;
        if (QFileInfo::exists(path) &&
            platform::ui().messageBox(LangString(1368) + QStringLiteral("\r\n") + path,
                                      platform::applicationTitle(), platform::MsgButtons::YesNo,
                                      platform::MsgIcon::Exclamation) != platform::MsgResult::Yes)
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    } else {
        printer.setPrinterName(m_shown);
    }
    bool printed = false;
    {
        const platform::BusyCursor busy;
        printed = CalibrationPage::print(printer, m_printer->currentText(), calibration);
    }
    if (!printed) {
        platform::ui().messageBox(LangString(1362), platform::applicationTitle(),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
    }
}
