// The preferences' printer tab: each printer's calibration, typed, refused, stored or left
// alone, and the calibration page it prints.
#include "../print/PaperMeasure.h"
#include "LangRuntime.h"
#include "Preferences.h"
#include "PrinterCalibration.h"
#include "PrinterCalibrationTab.h"
#include "ScriptedUi.h"
#include "Settings.h"
#include "ShellPreferences.h"
#include "LangTestEnv.h"
#include "frmCOnfig.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using platform::MsgButtons;
using platform::MsgResult;
using Field = PrinterCalibrationTab::Field;

namespace {

struct PrefsFixture
{
    PrefsFixture()
    {
        platform::setEditorPath(QStringLiteral("/old/editor"));
    }

    LangTestEnv env{2};
    ScriptedUi ui;
};

const QString kPdf = PrinterCalibration::pdfPrinterName();

void type(PrinterCalibrationTab* tab, const QStringList& values)
{
    for (int i = 0; i < values.size(); ++i)
        tab->field(Field(i))->setText(values[i]);
}

QStringList shown(PrinterCalibrationTab* tab)
{
    QStringList out;
    for (int i = 0; i < 4; ++i)
        out << tab->field(Field(i))->text();
    return out;
}

bool stored(const QString& printer)
{
    return platform::HasSetting(QStringLiteral("ORVLA"), QStringLiteral("Calibration/") + printer,
                                QStringLiteral("OffsetX"));
}

// The dark lines a scan crosses, in millimetres along it.
QList<double> linesAlong(const QImage& page, int dpi, bool horizontal, double at)
{
    QList<double> lines;
    const int fixed = int(at * dpi / 25.4);
    const int length = horizontal ? page.width() : page.height();
    int runStart = -1;
    for (int i = 0; i <= length; ++i) {
        const QPoint p = horizontal ? QPoint(i, fixed) : QPoint(fixed, i);
        const bool dark = i < length && qGray(page.pixel(p)) < 128;
        if (dark && runStart < 0)
            runStart = i;
        if (!dark && runStart >= 0) {
            lines << (runStart + i) / 2.0 * 25.4 / dpi;
            runStart = -1;
        }
    }
    return lines;
}

} // namespace

class TestCalibrationPrefs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printerTabShowsThePrintersAndTheirStoredValues()
    {
        PrefsFixture f;
        PrinterCalibration pdf;
        pdf.offset = QPointF(1.5, -0.8);
        pdf.scale = QPointF(101, 99.5);
        pdf.save(kPdf);
        frmCOnfig dialog;
        QCOMPARE(dialog.tabConfig()->tabText(1), LangString(1450));
        PrinterCalibrationTab* tab = dialog.tabPrinter();
        QCOMPARE(dialog.tabConfig()->widget(1), tab);
        // Whatever the system installs, the PDF file comes last; without printers it is shown.
        QComboBox* printers = tab->cboPrinter();
        QCOMPARE(printers->itemText(printers->count() - 1), LangString(1454));
        QCOMPARE(printers->itemData(printers->count() - 1).toString(), kPdf);
        if (printers->count() == 1)
            QCOMPARE(shown(tab), QStringList({"1.5", "-0.8", "101.0", "99.5"}));
        const QList<QLabel*> labels = tab->findChildren<QLabel*>();
        QStringList texts;
        for (const QLabel* label : labels)
            texts << label->text();
        QCOMPARE(texts, QStringList({LangString(1452), LangString(1456), LangString(1458)}));
        QCOMPARE(labels[1]->buddy(), tab->field(Field::OffsetX));
        QCOMPARE(tab->btnCalibrationPage()->text(), LangString(1460));
        // The editor's tab keeps its controls as they were.
        QCOMPARE(dialog.tabConfig()->widget(0)->findChildren<QLineEdit*>().size(), 1);
    }

    void okStoresWhatWasTypedAndCancelNothing()
    {
        PrefsFixture f;
        for (const bool confirm : {false, true}) {
            f.ui.answerDialog([confirm](QDialog* dialog) {
                auto* prefs = qobject_cast<frmCOnfig*>(dialog);
                PrinterCalibrationTab* tab = prefs->tabPrinter();
                tab->cboPrinter()->setCurrentIndex(tab->cboPrinter()->count() - 1);
                // Either decimal mark is taken.
                type(tab, {"1,5", "-0.8", "101", "99.5"});
                prefs->txtEditor()->setText(QStringLiteral("/new/editor"));
                QTest::mouseClick(confirm ? prefs->btnOk() : prefs->btnCancel(), Qt::LeftButton);
                return dialog->result();
            });
            showPreferences(nullptr);
            QVERIFY(f.ui.scriptDone());
            QCOMPARE(stored(kPdf), confirm);
            QCOMPARE(platform::editorPath(),
                     confirm ? QStringLiteral("/new/editor") : QStringLiteral("/old/editor"));
        }
        const PrinterCalibration pdf = PrinterCalibration::load(kPdf);
        QCOMPARE(pdf.offset, QPointF(1.5, -0.8));
        QCOMPARE(pdf.scale, QPointF(101, 99.5));
        QVERIFY(f.ui.messages.isEmpty());
    }

    void refusedValuesAreNamedAndTheDialogStaysOpen_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("offset beyond 10 mm") << int(Field::OffsetX) << "10.1";
        QTest::newRow("offset below -10 mm") << int(Field::OffsetY) << "-12";
        QTest::newRow("scale below 95 %") << int(Field::ScaleX) << "94.9";
        QTest::newRow("scale above 105 %") << int(Field::ScaleY) << "105.5";
        QTest::newRow("text") << int(Field::OffsetX) << "left";
        QTest::newRow("nothing") << int(Field::ScaleY) << "";
        QTest::newRow("finer than 0.1") << int(Field::OffsetY) << "0.25";
    }
    void refusedValuesAreNamedAndTheDialogStaysOpen()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        PrefsFixture f;
        bool stayedOpen = false;
        f.ui.answerDialog([&](QDialog* dialog) {
            auto* prefs = qobject_cast<frmCOnfig*>(dialog);
            prefs->show();
            PrinterCalibrationTab* tab = prefs->tabPrinter();
            tab->cboPrinter()->setCurrentIndex(tab->cboPrinter()->count() - 1);
            prefs->tabConfig()->setCurrentIndex(0);
            prefs->txtEditor()->setText(QStringLiteral("/new/editor"));
            tab->field(Field(field))->setText(typed);
            f.ui.answerMessage(MsgResult::Ok);
            QTest::mouseClick(prefs->btnOk(), Qt::LeftButton);
            stayedOpen = prefs->isVisible() && prefs->result() == 0;
            // The refused value is put before the user.
            if (prefs->tabConfig()->currentWidget() != tab ||
                prefs->focusWidget() != tab->field(Field(field)))
                stayedOpen = false;
            QTest::mouseClick(prefs->btnCancel(), Qt::LeftButton);
            return dialog->result();
        });
        showPreferences(nullptr);
        QVERIFY(f.ui.scriptDone());
        QVERIFY(stayedOpen);
        QCOMPARE(f.ui.messages.size(), 1);
        QCOMPARE(f.ui.messages[0].text, LangString(1462) + QStringLiteral("\r\n") + typed);
        QCOMPARE(f.ui.messages[0].buttons, MsgButtons::Ok);
        QVERIFY(!stored(kPdf));
        QCOMPARE(platform::editorPath(), QStringLiteral("/old/editor"));
    }

    void eachPrinterKeepsWhatWasTypedForIt()
    {
        PrefsFixture f;
        PrinterCalibration office;
        office.offset = QPointF(-2, 0);
        office.save(QStringLiteral("Office"));
        PrinterCalibrationTab tab({QStringLiteral("Office"), QStringLiteral("Lab")},
                                  QStringLiteral("Lab"));
        QCOMPARE(tab.cboPrinter()->currentText(), QStringLiteral("Lab"));
        QCOMPARE(shown(&tab), QStringList({"0.0", "0.0", "100.0", "100.0"}));
        type(&tab, {"0.5", "0.5", "100.5", "100"});
        tab.cboPrinter()->setCurrentIndex(0);
        QCOMPARE(shown(&tab), QStringList({"-2.0", "0.0", "100.0", "100.0"}));
        tab.field(Field::ScaleY)->setText(QStringLiteral("200"));
        tab.cboPrinter()->setCurrentIndex(1);
        QCOMPARE(shown(&tab), QStringList({"0.5", "0.5", "100.5", "100"}));

        // A refused value on a printer not in view brings that printer back.
        f.ui.answerMessage(MsgResult::Ok);
        QVERIFY(!tab.validate());
        QCOMPARE(tab.cboPrinter()->currentText(), QStringLiteral("Office"));
        QCOMPARE(f.ui.messages.last().text, LangString(1462) + QStringLiteral("\r\n200"));
        tab.field(Field::ScaleY)->setText(QStringLiteral("100.2"));
        QVERIFY(tab.validate());
        tab.save();
        QCOMPARE(PrinterCalibration::load(QStringLiteral("Office")).scale, QPointF(100, 100.2));
        QCOMPARE(PrinterCalibration::load(QStringLiteral("Lab")).offset, QPointF(0.5, 0.5));
        // A printer only looked at keeps no entry.
        QVERIFY(!stored(kPdf));
        QVERIFY(f.ui.scriptDone());
    }

    void calibrationPageHasRulersMarksAndTheValuesInUse()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        PrefsFixture f;
        PrinterCalibrationTab tab({}, QString());
        // The values typed, before they are stored, are the ones the page is printed with.
        type(&tab, {"1.5", "-0.8", "101", "99.5"});
        const QString pdf = f.env.path(QStringLiteral("calibration.pdf"));
        f.ui.answerFile(pdf);
        QTest::mouseClick(tab.btnCalibrationPage(), Qt::LeftButton);
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(f.ui.fileRequests[0].kind, platform::FileDialogRequest::Kind::Save);
        QCOMPARE(f.ui.fileRequests[0].title, QStringLiteral("Print calibration page"));
        QCOMPARE(paper::pageCount(pdf), 1);
        QVERIFY(!stored(kPdf));

        QProcess text;
        text.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, "-"});
        QVERIFY(text.waitForFinished(60000));
        // Compatibility forms undo the ligatures a PDF's text may carry ("ﬁ" for "fi").
        const QString words = QString::fromUtf8(text.readAllStandardOutput())
                                  .normalized(QString::NormalizationForm_KC)
                                  .simplified();
        QVERIFY2(words.contains(u"Calibration page for PDF file. The printable area starts 3.5 mm "
                                u"from the left edge and 3.5 mm from the top edge of the paper. "
                                u"Offset x 1.5 mm, y -0.8 mm; scale x 101.0 %, y 99.5 %."),
                 qPrintable(words));
        for (const char* label : {"20 mm", "140 mm", "260 mm", "10", "250"})
            QVERIFY2(words.contains(QLatin1String(label)), label);

        // Past the 5 mm ticks and clear of the numbers only the axes and the labelled marks
        // are crossed, each where the calibration puts it: x' = 1.5 + x * 1.01,
        // y' = -0.8 + y * 0.995, from the printable area's corner.
        constexpr int dpi = 300;
        const QImage page = paper::render(pdf, 1, dpi, f.env.path(QStringLiteral("calibration")));
        QVERIFY(page.width() > page.height());
        const double corner = 10 * 25.4 / 72;
        const QList<double> across = linesAlong(page, dpi, true, corner - 0.8 + 8.5 * 0.995);
        const QList<double> down = linesAlong(page, dpi, false, corner + 1.5 + 5.5 * 1.01);
        const QList<double> wantAcross = {0, 20.2, 141.4, 262.6};
        const QList<double> wantDown = {0, 19.9, 139.3};
        QCOMPARE(across.size(), wantAcross.size());
        QCOMPARE(down.size(), wantDown.size());
        for (int i = 0; i < across.size(); ++i)
            QVERIFY2(std::abs(across[i] - (corner + 1.5 + wantAcross[i])) < 0.1,
                     qPrintable(QString::number(across[i])));
        for (int i = 0; i < down.size(); ++i)
            QVERIFY2(std::abs(down[i] - (corner - 0.8 + wantDown[i])) < 0.1,
                     qPrintable(QString::number(down[i])));
    }

    void aRefusedValueOrACancelledFilePrintsNoCalibrationPage()
    {
        PrefsFixture f;
        PrinterCalibrationTab tab({}, QString());
        tab.field(Field::ScaleX)->setText(QStringLiteral("110"));
        f.ui.answerMessage(MsgResult::Ok);
        QTest::mouseClick(tab.btnCalibrationPage(), Qt::LeftButton);
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.fileRequests.isEmpty());
        tab.field(Field::ScaleX)->setText(QStringLiteral("100"));
        f.ui.answerFile(QString());
        QTest::mouseClick(tab.btnCalibrationPage(), Qt::LeftButton);
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.messages.size(), 1);
    }
};

QTEST_MAIN(TestCalibrationPrefs)
#include "tst_calibrationprefs.moc"
