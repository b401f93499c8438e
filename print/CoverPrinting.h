#pragma once

#include <QPointer>

#include <functional>
#include <memory>

class CoverSet;
class PrintTarget;
class QDialog;
class QWidget;

// Prints a cover set: the print selection (which writes its choice into the active set,
// the one the program treats as current, normally the printed one; `activeSet` tells which
// that is, before the selection and again after it), then the standard print dialog on the
// default printer (where another printer or a PDF file can be chosen), then the sheets.
// Cancelling either dialog prints nothing; a printer that cannot be opened or a job that
// fails is reported. `selection` points at the selection dialog while it is open.
void printCoverSet(CoverSet& printed, const std::function<CoverSet*()>& activeSet,
                   QWidget* parent, QPointer<QDialog>& selection);

// Where the next print runs go instead of the print dialog and its printer; the factory's
// nullptr stands for a cancelled print dialog. An empty function restores the real one.
using PrintTargetFactory = std::function<std::unique_ptr<PrintTarget>()>;
void setPrintTargetFactoryForTests(PrintTargetFactory factory);
