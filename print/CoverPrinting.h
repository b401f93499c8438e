#pragma once

#include <QPointer>

#include <functional>
#include <memory>

class CoverSet;
class PrintTarget;
class QDialog;
class QWidget;

// Where a print run goes instead of the print dialog and its printer; the factory's
// nullptr stands for a cancelled print dialog. A target that prints on a printer gets that
// printer's area check and calibration.
using PrintTargetFactory = std::function<std::unique_ptr<PrintTarget>()>;

// Prints a cover set: the print selection (which writes its choice into the active set,
// the one the program treats as current, normally the printed one; `activeSet` tells which
// that is, before the selection and again after it), then the standard print dialog on the
// default printer (where another printer or a PDF file can be chosen), then, when a sheet
// reaches beyond that printer's printable area, the question whether to print anyway, then
// the sheets, moved and stretched by the printer's calibration. Cancelling any of these
// prints nothing; a printer that cannot be opened or a job that fails is reported.
// `selection` points at the selection dialog while it is open. `printTo`, when given, stands
// for the print dialog and its printer.
void printCoverSet(CoverSet& printed, const std::function<CoverSet*()>& activeSet, QWidget* parent,
                   QPointer<QDialog>& selection, const PrintTargetFactory& printTo = {});

// The same steps, with a preview of exactly those pages before anything reaches the paper;
// the preview prints them or is cancelled.
void previewCoverSet(CoverSet& printed, const std::function<CoverSet*()>& activeSet,
                     QWidget* parent, QPointer<QDialog>& selection);
