#pragma once

#include <QString>

#include <memory>

class QMdiArea;
class QMenu;
class clsCover;
class frmMenu;

// What the cover sets need of the main window. The main window implements it and hands
// itself to every cover set it makes (clsCover::create); the cover subsystem never
// includes the main window itself.
class CoverHost
{
public:
    virtual ~CoverHost() = default;

    virtual QMdiArea* documentArea() = 0;
    virtual std::shared_ptr<clsCover> activeCover() const = 0;
    virtual void setActiveCover(std::shared_ptr<clsCover> cover) = 0;
    virtual void UpdateCommands(frmMenu* window, bool enable) = 0;
    virtual void ShowStatus(const QString& text) = 0;
    // The Edit menu, shown as the document window's pop-up menu.
    virtual QMenu* editMenu() = 0;
    // A cover-set file was opened or saved (for the list of recent sets).
    virtual void coverSetUsed(const QString& /*path*/) {}
};

