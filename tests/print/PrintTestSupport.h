#pragma once

// What the print tests share: document windows with light pictures, scripts that answer the
// print selection and the print dialog, and print runs sent to a target of the test's own.
#include "CoverPrinting.h"
#include "CoverTestSupport.h"
#include "ImageArea.h"
#include "frmPrint.h"

#include <QCheckBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

// A document window whose faces show light pictures; `files` names the faces that also
// have a picture file.
inline std::shared_ptr<clsCover> coverWithPictures(CoverFixture& f, const QString& faces,
                                                   const QString& files)
{
    f.window->mnuNew_Click();
    const auto cover = f.window->activeCover();
    const QColor colors[] = {QColor(255, 255, 160), QColor(160, 255, 255), QColor(255, 200, 255),
                             QColor(200, 255, 200)};
    for (int face = 0; face < kFaceCount; ++face) {
        const QChar tag = QLatin1Char("FIBC"[face]);
        if (!faces.contains(tag))
            continue;
        const QString path =
            f.picture(QStringLiteral("face%1.png").arg(face), colors[face], QSize(64, 48));
        cover->set().setPicture(face, platform::Picture::fromFile(path),
                                files.contains(tag) ? path : QString());
        if (files.contains(tag))
            cover->setFilePicture(face, path);
    }
    return cover;
}

// Ticks exactly the faces named (of those enabled) and presses the button.
inline ScriptedUi::DialogScript selectFaces(const QString& which, int button = 0)
{
    return [which, button](QDialog* dialog) {
        auto* selection = qobject_cast<frmPrint*>(dialog);
        if (!selection)
            return int(QDialog::Rejected);
        for (int face = 0; face < kFaceCount; ++face)
            selection->checkBox(face)->setChecked(which.contains(QLatin1Char("FIBC"[face])));
        selection->btnAccion(button)->click();
        return selection->result();
    };
}

// Chooses a PDF file on paper of the given size and margins in the print dialog. The paper
// is left in portrait: the sheets turn it.
inline ScriptedUi::DialogScript choosePdf(const QString& pdf, QPageSize::PageSizeId paper,
                                          const QMarginsF& margins)
{
    return [pdf, paper, margins](QDialog* dialog) {
        auto* printDialog = qobject_cast<QPrintDialog*>(dialog);
        if (!printDialog)
            return int(QDialog::Rejected);
        QPrinter* printer = printDialog->printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        printer->setPageSize(QPageSize(paper));
        printer->setPageOrientation(QPageLayout::Portrait);
        printer->setPageMargins(margins, QPageLayout::Millimeter);
        return int(QDialog::Accepted);
    };
}
