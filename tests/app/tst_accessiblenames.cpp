// Every window's accessible names in the running language, as the desktop's reader gets them:
// in English no name holds a Japanese character, in Japanese no name is the English text of one
// the window has in Japanese, and no name is a program identifier.
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "core/AppSettings.h"
#include "core/MessageTable.h"
#include "support/AllWindows.h"
#include "support/StoredActuators.h"
#include "support/TestEnv.h"

#include <QAccessible>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <memory>

class TestAccessibleNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesInTheRunningLanguage_data();
    void namesInTheRunningLanguage();
};

namespace {

// English texts of the message table that have a Japanese text of their own.
QSet<QString> englishOnlyTexts()
{
    QSet<QString> out;
    const MessageTable &table = MessageTable::instance();
    for (int id : table.ids()) {
        if (id >= 10000)
            continue;
        const QString ja = table.text(id).value_or(QString());
        const QString en = table.text(id + 10000).value_or(QString());
        if (!en.isEmpty() && en != ja)
            out.insert(en);
    }
    return out;
}

// What is wrong with one control's accessible name, as the desktop's reader gets it (the name
// set, else the caption of the label that names it); empty: nothing.
QString nameFault(QWidget *c, bool english)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
    const QString name = iface ? iface->text(QAccessible::Name) : c->accessibleName();
    static const QRegularExpression japanese(QStringLiteral("[\\x{3001}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    if (english && name.contains(japanese))
        return QStringLiteral("\"%1\", Japanese in English").arg(name);
    static const QSet<QString> englishTexts = englishOnlyTexts();
    if (!english && englishTexts.contains(name))
        return QStringLiteral("\"%1\", English where the window has Japanese").arg(name);
    static const QRegularExpression identifier(QStringLiteral("^(frm|flgd|txt|cmd|lbl|combo|opt|chk|img|picture|fram)[A-Z]\\w*$"));
    if (!name.isEmpty() && (name == c->objectName() || name.contains(identifier)))
        return QStringLiteral("\"%1\", a program identifier").arg(name);
    return QString();
}

} // namespace

void TestAccessibleNames::namesInTheRunningLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 2;
    QTest::newRow("Japanese") << 1;
}

// Each window of the program beside one main window, as its callers make it.
void TestAccessibleNames::namesInTheRunningLanguage()
{
    QFETCH(int, language);
    TestEnv env;
    app::startup::resetAxesForStart();
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
    frmMain::setScreenWidthForLoad(1280);
    auto main = std::make_unique<frmMain>();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    QCOMPARE(useStoredActuatorsOffline(), 0);

    QStringList faults;
    int checked = 0;
    for (const ProgramWindow &made : programWindows()) {
        QPointer<QWidget> w = made.make(main.get());
        QVERIFY(w);
        w->show();
        ++checked;
        QList<QWidget *> controls = w->findChildren<QWidget *>();
        controls.prepend(w);
        for (QWidget *c : std::as_const(controls)) {
            const QString fault = nameFault(c, language == 2);
            if (!fault.isEmpty())
                faults << QStringLiteral("%1 %2 %3: %4").arg(QLatin1String(made.name),
                                                            QLatin1String(c->metaObject()->className()),
                                                            c->objectName(), fault);
        }
        if (w && w != main.get()) {
            w->hide();
            delete w.data();
        }
    }
    QCOMPARE(checked, programWindows().size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(" | "))));
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
