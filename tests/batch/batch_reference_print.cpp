// Prints every face of a cover set the way the program's Print command does, to Qt's PDF
// printer: the yardstick the batch tool's pages are measured against.
//
//   batch_reference_print SET.ovc OUT.pdf A4|Letter
#include "CoverSetFile.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "PrintLayout.h"
#include "PrinterTarget.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QPrinter>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    lang::LangRuntime::instance().setDatabase(QStringLiteral(ORVELLA_PROGRAM_DIR "/Spoken.DBF"));
    lang::LangRuntime::instance().setCurrentLanguage(2);
    lang::LangRuntime::instance().setSavesChoice(false);

    const CoverSetPaths paths = readCoverSetFile(args[1]);
    std::array<platform::Picture, kFaceCount> pictures;
    for (const FaceInfo& face : kFaces)
        pictures[face.index] =
            platform::Picture::fromFile(resolvePicturePath(args[1], paths[face.index]));

    // As the print dialog hands it over with "Print to file (PDF)" chosen.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(args[2]);
    printer->setPageSize(
        QPageSize(args[3] == QLatin1String("Letter") ? QPageSize::Letter : QPageSize::A4));
    PrinterTarget target(std::move(printer));
    const PrintLayout layout({true, true, true, true}, pictures,
                             PrintLayout::captionsFrom(LangString));
    return layout.print(target) ? 0 : 1;
}
