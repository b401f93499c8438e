#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The main window's own area, outside the document windows, as a place to drop cover-set
// files on. Pictures belong on a face and are refused here.
class CoverSetDropArea : public QObject
{
    Q_OBJECT

public:
    // Watches `viewport` (the document area's) for drops; it goes with it.
    explicit CoverSetDropArea(QWidget* viewport);

Q_SIGNALS:
    // Sent once the drop has returned, so the program the file came from is not kept
    // waiting while the set (and any question it asks) opens.
    void coverSetDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_viewport;
};
