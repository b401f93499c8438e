#pragma once

#include "LangTestEnv.h"
#include "ScriptedUi.h"
#include "clsCover.h"
#include "frmMenu.h"
#include "mdiORVLA.h"

#include <QColor>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <memory>

// A main window in a program folder of its own, with the shipped database in English.
struct CoverFixture
{
    CoverFixture()
    {
        window = std::make_unique<mdiORVLA>();
        window->show();
    }
    ~CoverFixture()
    {
        // Close without questions: the tests decide what is asked.
        const QList<QMdiSubWindow*> subs = window->mdiArea()->subWindowList();
        for (QMdiSubWindow* sub : subs) {
            if (auto* doc = qobject_cast<frmMenu*>(sub->widget()); doc && doc->Cover())
                doc->Cover()->setNeedSave(false);
        }
        window.reset();
    }

    QList<frmMenu*> documents() const
    {
        QList<frmMenu*> out;
        const QList<QMdiSubWindow*> subs = window->mdiArea()->subWindowList();
        for (QMdiSubWindow* sub : subs)
            out.append(qobject_cast<frmMenu*>(sub->widget()));
        return out;
    }

    // A small picture file of one colour.
    QString picture(const QString& name, const QColor& color = Qt::red,
                    const QSize& size = QSize(40, 30)) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        const QString path = env.path(name);
        image.save(path);
        return path;
    }

    LangTestEnv env{2};
    ScriptedUi ui;
    std::unique_ptr<mdiORVLA> window;
};
