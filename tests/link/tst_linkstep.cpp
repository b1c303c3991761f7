#include "link/Exchange.h"
#include "platform/DialogScript.h"

#include <QtTest>

// A command's own message after a failed step goes through the link, which adds it only when
// it told nothing itself while the step ran.
class TestLinkStep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followUp_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("told");     // what the link tells while the step runs
        QTest::addColumn<bool>("held");            // ... with its texts held by the command
        QTest::addColumn<QStringList>("boxes");

        QTest::newRow("good step") << 0 << QStringList() << false << QStringList();
        QTest::newRow("silent failure") << 1 << QStringList() << false << QStringList{"mine"};
        QTest::newRow("told failure") << 1 << QStringList{"link"} << false << QStringList{"link"};
        QTest::newRow("two told") << -1 << QStringList{"link", "again"} << false << QStringList{"link", "again"};
        QTest::newRow("held failure") << 1 << QStringList{"link"} << true << QStringList{"link"};
        // A good step after an earlier failure that was told: nothing to add.
        QTest::newRow("good step, told") << 0 << QStringList{"link"} << false << QStringList{"link"};
    }

    void followUp()
    {
        QFETCH(int, result);
        QFETCH(QStringList, told);
        QFETCH(bool, held);
        QFETCH(QStringList, boxes);
        platform::DialogScript script;
        for (int i = 0; i < boxes.size(); ++i)
            script.answer(platform::IdOk);
        // A failure told before the step began is not the step's.
        {
            link::HeldTells before;
            link::tellFailure(QStringLiteral("earlier"));
            before.take();
        }
        const auto step = [&] {
            for (const QString &text : std::as_const(told))
                link::tellFailure(text);
            return result;
        };
        const auto run = [&] {
            if (!held)
                return link::runStepOrTell(step, QStringLiteral("mine"));
            link::HeldTells hold;
            const link::LinkStep done = link::runStep(step);
            for (const QString &text : hold.take())
                platform::msgBox(text);
            done.followUp(QStringLiteral("mine"));
            return done.result();
        };
        QCOMPARE(run(), result);
        QCOMPARE(script.prompts(), boxes);
        QVERIFY(script.unexpected().isEmpty());

        link::HeldTells quiet;
        const link::LinkStep again = link::runStep(step);
        quiet.take();
        QCOMPARE(again.failed(), result != 0);
        QCOMPARE(again.linkTold(), !told.isEmpty());
        QCOMPARE(again.followUpText(QStringLiteral("mine")),
                 result != 0 && told.isEmpty() ? QStringLiteral("mine") : QString());
    }
};

QTEST_GUILESS_MAIN(TestLinkStep)
#include "tst_linkstep.moc"
