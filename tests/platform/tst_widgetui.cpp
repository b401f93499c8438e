// The real message boxes behind the UI seam, driven the way a user answers them.
#include "WidgetUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `user` on the message box once it is up, from the event loop the box runs.
void whenBoxShows(std::function<void(QMessageBox*)> user)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, user] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        user(box);
    });
    poll->start();
}

void pressEscape(QMessageBox* box)
{
    QWidget* target = box->focusWidget() ? box->focusWidget() : box;
    QTest::keyClick(target, Qt::Key_Escape);
}

} // namespace

class TestWidgetUi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadErrorBoxEndsOnlyByItsButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("Retry") << int(QMessageBox::Retry) << int(platform::MsgResult::Retry);
        QTest::newRow("Ignore") << int(QMessageBox::Ignore) << int(platform::MsgResult::Ignore);
        QTest::newRow("Abort") << int(QMessageBox::Abort) << int(platform::MsgResult::Abort);
    }

    void loadErrorBoxEndsOnlyByItsButtons()
    {
        QFETCH(int, button);
        QFETCH(int, answer);
        platform::WidgetUi ui;
        bool openAfterEscape = false;
        bool openAfterCloseBox = false;
        whenBoxShows([&](QMessageBox* box) {
            pressEscape(box);
            QApplication::processEvents();
            openAfterEscape = box->isVisible();
            box->close(); // what the window's close box asks
            QApplication::processEvents();
            openAfterCloseBox = box->isVisible();
            box->button(QMessageBox::StandardButton(button))->click();
        });
        const platform::MsgResult result =
            ui.messageBox(QStringLiteral("Input past end of file(Code62)"),
                          QStringLiteral("LangString()"), platform::MsgButtons::AbortRetryIgnore,
                          platform::MsgIcon::Exclamation);
        QVERIFY(openAfterEscape);
        QVERIFY(openAfterCloseBox);
        QCOMPARE(int(result), answer);
    }

    void otherBoxesStillCloseWithEscape()
    {
        platform::WidgetUi ui;
        whenBoxShows(&pressEscape);
        QCOMPARE(ui.messageBox(QStringLiteral("Save?"), QStringLiteral("ORVLA"),
                               platform::MsgButtons::YesNoCancel, platform::MsgIcon::Question),
                 platform::MsgResult::Cancel);
        whenBoxShows([](QMessageBox* box) { box->close(); });
        QCOMPARE(ui.messageBox(QStringLiteral("Done."), QStringLiteral("ORVLA"),
                               platform::MsgButtons::Ok, platform::MsgIcon::None),
                 platform::MsgResult::Ok);
    }
};

QTEST_MAIN(TestWidgetUi)
#include "tst_widgetui.moc"
