#pragma once

#include <functional>
#include <memory>

class PrintTarget;

// Installs the Print command of every cover set: the print selection, then the standard
// print dialog on the default printer (where another printer or a PDF file can be chosen),
// then the sheets. Cancelling either dialog prints nothing; a printer that cannot be opened
// or a job that fails is reported.
void installCoverPrinting();

// Where the next print runs go instead of the print dialog and its printer; the factory's
// nullptr stands for a cancelled print dialog. An empty function restores the real one.
using PrintTargetFactory = std::function<std::unique_ptr<PrintTarget>()>;
void setPrintTargetFactoryForTests(PrintTargetFactory factory);
