// The parameter window: opening, actuator lists, display, lock and input checks.
#include "tables/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "core/MainForm.h"
#include "tables/ParaInput.h"
#include "tables/ParaSet.h"
#include "editors/frmParameta2.h"
#include "link/LinkHooks.h"
#include "platform/Dialogs.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/FieldTexts.h"
#include "support/TestEnv.h"
#include "support/ValidParameters.h"
#include "support/X11Keys.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using K = frmParameta2::Kind;
using tables::ParaField;

namespace {

QComboBox *combo(QWidget *f)
{
    return qobject_cast<QComboBox *>(f);
}

QLineEdit *edit(QWidget *f)
{
    return qobject_cast<QLineEdit *>(f);
}

QStringList entries(QWidget *f)
{
    QStringList out;
    for (int i = 0; i < combo(f)->count(); ++i)
        out << combo(f)->itemText(i);
    return out;
}

void leave(QWidget *w)
{
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(w, &out);
}

// A valid parameter set for every axis.
void validSet()
{
    for (int a = 0; a < kAxisCount; ++a) {
        AxisParameters p;
        p.homeOffset = 100 + a;
        p.homeOrder = a + 1;
        writeAxisParameters(a, p);
    }
    SharedParameters shared;
    shared.stopPause = 0;
    writeSharedParameters(shared);
}

} // namespace

class TestFrmParameta2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        TestEnv::resetAll();
        m_folder = std::make_unique<DataFolder>();
        QVERIFY(m_folder->installCatalogue());
        m_main = std::make_unique<FakeMainForm>();
        gAxisUnused[2] = true; // axis 3 not in use
        gDevSize[0] = QStringLiteral("E35");
        gDevSpeed[0] = QStringLiteral("L");
        gDevStroke[0] = 100;
        gDevSize[1] = QStringLiteral(" 28");
        gDevStroke[1] = 0;
        gDevSize[3] = QStringLiteral(" 28");
        gDevSpeed[3] = QStringLiteral("L");
        gDevStroke[3] = 70; // not in the catalogue
        core::mainform::clearCommands();
        editors::registerParameterWindowCommands();
        QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdParaHyoji_Click")), 0);
        m_w = frmParameta2::instance();
        QVERIFY(m_w);
    }
    void cleanup()
    {
        if (m_w)
            m_w->close();
        QTRY_VERIFY(!frmParameta2::instance());
        QVERIFY(m_env->dialogs().unexpected().isEmpty());
        link::resetLinkHooks();
        m_main.reset();
        m_folder.reset();
        m_env.reset();
    }

    // Every opener shows the one window; the online window's request opens it once.
    void openersShowOneWindow()
    {
        m_w->findChild<QLineEdit *>(QStringLiteral("txtHomePush_0"))->setText(QStringLiteral("9"));
        m_env->dialogs().answer(platform::IdYes); // the Settings menu's caution
        for (const char *name : {"cmdParaHyoji_Click", "mnuSettingsParameter_Click", "mnuShowParameta_Click"}) {
            QCOMPARE(core::mainform::runCommand(QLatin1String(name)), 0);
            QCOMPARE(frmParameta2::instance(), m_w.data());
        }
        QCOMPARE(m_env->dialogs().prompts(), QStringList{ResLinesFor({410, 411})});
        QCOMPARE(m_w->findChild<QLineEdit *>(QStringLiteral("txtHomePush_0"))->text(), QStringLiteral("9"));
        QVERIFY(!link::takeParameterWindowRequest());
        gDevSyosaiReq = true;
        QVERIFY(link::takeParameterWindowRequest());
        QVERIFY(!gDevSyosaiReq);
        for (QPushButton *b : m_w->findChildren<QPushButton *>())
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
        for (QWidget *f : m_w->findChildren<QLineEdit *>()) {
            if (f->isVisibleTo(m_w) && !qobject_cast<QComboBox *>(f->parentWidget()))
                QVERIFY2(!f->accessibleName().isEmpty(), qPrintable(f->objectName()));
        }
    }

    // The Settings menu's detail edit asks first: No opens nothing, Yes opens the window.
    void settingsMenuCautions_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("yes") << int(platform::IdYes) << true;
        QTest::newRow("no") << int(platform::IdNo) << false;
    }
    void settingsMenuCautions()
    {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        m_w->close();
        QTRY_VERIFY(!frmParameta2::instance());
        m_env->dialogs().answer(answer);
        QCOMPARE(core::mainform::runCommand(QStringLiteral("mnuSettingsParameter_Click")), opened ? 0 : 1);
        QCOMPARE(m_env->dialogs().prompts(), QStringList{ResLinesFor({410, 411})});
        QCOMPARE(m_env->dialogs().boxes().first().style, int(platform::MbYesNo | platform::MbExclamation));
        QCOMPARE(frmParameta2::instance() != nullptr, opened);
        if (opened)
            QVERIFY(frmParameta2::instance()->isVisible());
        m_w = frmParameta2::instance();
    }

    // Opening fills the lists, locks the special fields, shows no values and the controller tab.
    void openingState()
    {
        QCOMPARE(m_w->findChild<QTabWidget *>(QStringLiteral("SSTabPrm"))->currentIndex(), 1);
        QCOMPARE(entries(m_w->field(K::EtcJhOrQz, 0)).size(), 6);
        for (int v = 0; v < 6; ++v) {
            QCOMPARE(combo(m_w->field(K::EtcJhOrQz, 0))->itemText(v), LoadResTextFor(643 + v));
            QCOMPARE(combo(m_w->field(K::EtcJhOrQz, 0))->itemData(v).toInt(), v);
        }
        QCOMPARE(entries(m_w->findChild<QComboBox *>(QStringLiteral("comboHomeOut"))).size(), 4);
        QCOMPARE(m_w->findChild<QComboBox *>(QStringLiteral("comboAccDcc"))->count(), 0);
        for (int a = 0; a < kAxisCount; ++a) {
            for (int k : {K::PgCheckTimer, K::LsSerchTimer, K::SoftLimit, K::M0Disable}) {
                QVERIFY(!m_w->field(k, a)->isEnabled());
                QVERIFY(frmParameta2::isGreyed(m_w->field(k, a)));
            }
            for (int k : {K::ActSize, K::ActSpeed, K::ActStroke})
                QVERIFY(combo(m_w->field(k, a))->currentText().isEmpty());
            QVERIFY(edit(m_w->field(K::HomeOffset, a))->text().isEmpty());
            QCOMPARE(frmParameta2::isGreyed(m_w->field(K::HomeOffset, a)), a == 2);
        }
        QVERIFY(!m_w->findChild<QLineEdit *>(QStringLiteral("txtOneAxis"))->isEnabled());
        QVERIFY(!m_w->findChild<QComboBox *>(QStringLiteral("comboAutoHome"))->isEnabled());
        // Actuator lists: the current size's speeds; the stroke list follows size and speed.
        const QStringList sizes = {QStringLiteral(" 28"), QStringLiteral(" 35"), QStringLiteral("E35"),
                                   QStringLiteral(" 42"), QStringLiteral(" 99")};
        QCOMPARE(entries(m_w->field(K::ActSize, 0)), sizes);
        QCOMPARE(entries(m_w->field(K::ActStroke, 0)), QStringList{QStringLiteral("100")});
        QCOMPARE(entries(m_w->field(K::ActSpeed, 1)), QStringList{QStringLiteral("L")});
        // Axis 2 has no current speed and " 28" is not a size that defaults to "L".
        QVERIFY(entries(m_w->field(K::ActStroke, 1)).isEmpty());
        QVERIFY(entries(m_w->field(K::ActSize, 2)).isEmpty());
    }

    void actuatorChoice()
    {
        // A size chosen: its speeds and the strokes of size and speed; no current speed gives "L" for E35.
        auto *size = combo(m_w->field(K::ActSize, 1));
        size->setCurrentIndex(size->findText(QStringLiteral("E35")));
        Q_EMIT size->activated(size->currentIndex());
        QCOMPARE(combo(m_w->field(K::ActSpeed, 1))->currentText(), QStringLiteral("L"));
        QCOMPARE(entries(m_w->field(K::ActStroke, 1)), QStringList{QStringLiteral("100")});
        QCOMPARE(combo(m_w->field(K::ActStroke, 1))->currentText(), QStringLiteral("100"));
        // A current stroke the list does not offer: its first entry.
        auto *size4 = combo(m_w->field(K::ActSize, 3));
        size4->setEditText(QStringLiteral(" 28"));
        leave(size4);
        QCOMPARE(entries(m_w->field(K::ActStroke, 3)), (QStringList{QStringLiteral("50"), QStringLiteral("50"), QStringLiteral("100")}));
        QCOMPARE(combo(m_w->field(K::ActStroke, 3))->currentText(), QStringLiteral("50"));
        // A typed speed the size does not offer empties the stroke list.
        auto *speed4 = combo(m_w->field(K::ActSpeed, 3));
        speed4->setEditText(QStringLiteral("Q"));
        leave(speed4);
        QVERIFY(entries(m_w->field(K::ActStroke, 3)).isEmpty());
        QVERIFY(combo(m_w->field(K::ActStroke, 3))->currentText().isEmpty());
        // An axis not in use ignores choices.
        combo(m_w->field(K::ActSize, 2))->setEditText(QStringLiteral(" 28"));
        leave(m_w->field(K::ActSize, 2));
        QVERIFY(entries(m_w->field(K::ActSpeed, 2)).isEmpty());
    }

    void displayOfTheSet()
    {
        validSet();
        gPrmJhOrQz[0] = 3;
        gPrmHomeOffset[2] = 999;
        m_w->ParametaHyoji();
        QCOMPARE(combo(m_w->field(K::EtcJhOrQz, 0))->currentText(), LoadResTextFor(646));
        QCOMPARE(edit(m_w->field(K::HomeOffset, 0))->text(), QStringLiteral("100"));
        QCOMPARE(edit(m_w->field(K::HomeOffset, 3))->text(), QStringLiteral("103"));
        QVERIFY(edit(m_w->field(K::HomeOffset, 2))->text().isEmpty());
        QCOMPARE(combo(m_w->field(K::EtcJhOrQz, 1))->currentData().toInt(), 2);
        QCOMPARE(combo(m_w->field(K::ActSize, 0))->currentText(), QStringLiteral(" 28"));
        QCOMPARE(combo(m_w->field(K::ActStroke, 0))->currentText(), QStringLiteral("50"));
        QCOMPARE(combo(m_w->field(K::SoftLimit, 0))->currentIndex(), 1);
        QCOMPARE(m_w->findChild<QLineEdit *>(QStringLiteral("txtOneAxis"))->text(), QStringLiteral("5"));
        QCOMPARE(m_w->findChild<QComboBox *>(QStringLiteral("comboHomeOut"))->currentIndex(), 3);
        QCOMPARE(m_w->findChild<QLineEdit *>(QStringLiteral("txtActuator_0"))->text(), QStringLiteral(" 28L050"));
        // A list value without entry shows none.
        gPrmAutoDrv[0] = 2;
        m_w->ParametaHyoji();
        QVERIFY(combo(m_w->field(K::AxisAutoDrv, 0))->currentText().isEmpty());
        QCOMPARE(edit(m_w->field(K::HomeOffset, 3))->text(), QStringLiteral("103"));
        // An axis going out of use: its fields are emptied and greyed, its lists keep their choice.
        gAxisUnused[1] = true;
        m_w->YukoJikuHyojiSettei();
        QVERIFY(edit(m_w->field(K::HomeOffset, 1))->text().isEmpty());
        QVERIFY(frmParameta2::isGreyed(m_w->field(K::HomeOffset, 1)));
        QVERIFY(m_w->field(K::HomeOffset, 1)->isEnabled());
        QCOMPARE(combo(m_w->field(K::EtcJhOrQz, 1))->currentData().toInt(), 2);
        QVERIFY(combo(m_w->field(K::ActSize, 1))->currentText().isEmpty());
        QCOMPARE(edit(m_w->field(K::PgCheckTimer, 1))->text(), QStringLiteral("7")); // locked: left alone
    }

    // Every TYPE value the checks accept shows as its own name and is taken back unchanged;
    // a value beyond them shows none, which the blank test catches.
    void typeShownAsItself_data()
    {
        QTest::addColumn<int>("type");
        for (int v = 0; v <= 6; ++v)
            QTest::addRow("TYPE %d", v) << v;
    }
    void typeShownAsItself()
    {
        QFETCH(int, type);
        validSet();
        m_w->ParametaHyoji(); // the list shows "JH" (2) first
        gPrmJhOrQz[1] = type;
        m_w->ParametaHyoji();
        auto *list = combo(m_w->field(K::EtcJhOrQz, 1));
        if (type > 5) {
            QCOMPARE(list->currentIndex(), -1);
            CheckParaBlank();
            QVERIFY(gParaEmpty);
            return;
        }
        QCOMPARE(list->currentText(), LoadResTextFor(643 + type));
        gPrmJhOrQz[1] = -1;
        QCOMPARE(m_w->TorikomiParametaValue(), 0);
        QCOMPARE(gPrmJhOrQz[1], type);
        QCOMPARE(m_w->ParametaValueCheck(), 0);
    }

    // SOFT LIMIT and M0 ENABLE are choices: a typed key chooses an entry, and what is shown
    // is what is taken.
    void specialListsAreChoices_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("axis");
        QTest::newRow("soft limit") << int(K::SoftLimit) << 0;
        QTest::newRow("m0 enable") << int(K::M0Disable) << 3;
    }
    void specialListsAreChoices()
    {
        QFETCH(int, kind);
        QFETCH(int, axis);
        validSet();
        gPrmSoftLimit[0] = 1;
        gPrmM0Disable[3] = 1;
        m_w->ParametaHyoji();
        m_env->dialogs().answer(platform::IdYes);
        m_w->findChild<QCheckBox *>(QStringLiteral("chkTokuParaChange"))->click();
        auto *list = combo(m_w->field(kind, axis));
        QVERIFY(list->isEnabled());
        QVERIFY(!list->isEditable());
        QTest::keyClicks(list, QStringLiteral("0"));
        QCOMPARE(list->currentText(), LoadResTextFor(655));
        QCOMPARE(m_w->TorikomiParametaValue(), 0);
        QCOMPARE(kind == K::SoftLimit ? gPrmSoftLimit[axis] : gPrmM0Disable[axis], 0);
    }

    void specialLock_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("unlocked");
        QTest::newRow("yes") << int(platform::IdYes) << true;
        QTest::newRow("no") << int(platform::IdNo) << false;
    }
    void specialLock()
    {
        QFETCH(int, answer);
        QFETCH(bool, unlocked);
        validSet();
        m_w->ParametaHyoji();
        auto *chk = m_w->findChild<QCheckBox *>(QStringLiteral("chkTokuParaChange"));
        m_env->dialogs().answer(answer);
        chk->click();
        QCOMPARE(m_env->dialogs().pendingAnswers(), 0);
        QCOMPARE(chk->isChecked(), unlocked);
        for (int a = 0; a < kAxisCount; ++a) {
            const bool open = unlocked && a != 2;
            QCOMPARE(m_w->field(K::PgCheckTimer, a)->isEnabled(), open);
            QCOMPARE(frmParameta2::isGreyed(m_w->field(K::M0Disable, a)), !open);
        }
        QCOMPARE(m_w->findChild<QComboBox *>(QStringLiteral("comboAccDcc"))->isEnabled(), unlocked);
        if (!unlocked)
            return;
        // Locking again disables the fields of every axis and keeps their values.
        chk->click();
        QVERIFY(!m_w->field(K::PgCheckTimer, 0)->isEnabled());
        QCOMPARE(edit(m_w->field(K::PgCheckTimer, 0))->text(), QStringLiteral("7"));
        QVERIFY(!m_w->findChild<QLineEdit *>(QStringLiteral("txtOneAxis"))->isEnabled());
    }

    void keyFilter_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char *name, ParaField f, const char *before, char key, bool taken) {
            QTest::newRow(name) << int(f) << QString::fromLatin1(before) << QChar::fromLatin1(key) << taken;
        };
        row("offset fifth digit", ParaField::HomeOffset, "1234", '5', true);
        row("offset sixth digit", ParaField::HomeOffset, "12345", '6', false);
        row("backspace in full field", ParaField::HomeOffset, "12345", '\b', true);
        row("letter", ParaField::HomeOffset, "1", 'a', false);
        row("minus", ParaField::AxisPulse, "", '-', false);
        row("paste key", ParaField::AxisPulse, "", '\x16', false);
        row("seq zero", ParaField::HomeOrder, "", '0', false);
        row("seq nine", ParaField::HomeOrder, "", '9', true);
        row("seq second digit", ParaField::HomeOrder, "1", '2', false);
        row("stroke sixth digit", ParaField::AxisStroke, "26214", '3', true);
        row("jog third digit", ParaField::JogHighVel, "30", '0', false);
        row("one axis third digit", ParaField::OneAxis, "15", '1', false);
        row("longer text not limited", ParaField::JogHighVel, "123", '4', true);
    }
    void keyFilter()
    {
        QFETCH(int, field);
        QFETCH(QString, before);
        QFETCH(QChar, key);
        QFETCH(bool, taken);
        QCOMPARE(tables::paraKeyAccepted(ParaField(field), before, key), taken);
    }

    // Typed keys pass the filter in the window; Enter moves on without typing.
    void keysInTheWindow()
    {
        auto *box = edit(m_w->field(K::HomeOffset, 1));
        box->setText(QStringLiteral("1234"));
        QTest::keyClicks(box, QStringLiteral("56x"));
        QCOMPARE(box->text(), QStringLiteral("12345"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("1234"));
    }

    // Keys as the X11 desktop delivers them: editing keys carry control texts and still edit a
    // full field; printable characters stay filtered.
    void editingKeysAsX11_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("after");
        QTest::newRow("delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << 0 << "2345";
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier) << 5 << "1234";
        QTest::newRow("select all, delete") << int(Qt::Key_A) << int(Qt::ControlModifier) << 0 << "";
        QTest::newRow("home, delete") << int(Qt::Key_Home) << int(Qt::NoModifier) << 5 << "2345";
        QTest::newRow("digit in a full field") << int(Qt::Key_6) << int(Qt::NoModifier) << 5 << "12345";
        QTest::newRow("letter") << int(Qt::Key_X) << int(Qt::NoModifier) << 0 << "12345";
    }
    void editingKeysAsX11()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, cursor);
        QFETCH(QString, after);
        auto *box = edit(m_w->field(K::HomeOffset, 1));
        box->setText(QStringLiteral("12345"));
        box->setCursorPosition(cursor);
        sendX11Key(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (key == Qt::Key_A || key == Qt::Key_Home)
            sendX11Key(box, Qt::Key_Delete);
        QCOMPARE(box->text(), after);
    }

    void enterMoves_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("unlock");
        QTest::newRow("next axis") << "txtHomeOffset_0" << "txtHomeOffset_1" << false;
        QTest::newRow("into the unused axis") << "txtHomeOffset_1" << "txtHomeOffset_2" << false;
        QTest::newRow("axis 4 to next row") << "txtHomeOffset_3" << "txtHomePush_0" << false;
        QTest::newRow("jog vel axis 4") << "txtJogHighVel_3" << "txtAxisStroke_0" << false;
        QTest::newRow("pg alm axis 4") << "txtPgAlarm_3" << "comboHomeOut" << false;
        QTest::newRow("sm timer locked") << "txtSmTimeoutTimer" << "txtHomeOffset_0" << false;
        QTest::newRow("sm timer unlocked") << "txtSmTimeoutTimer" << "txtOneAxis" << true;
        QTest::newRow("one axis unlocked") << "txtOneAxis" << "txtPgCheckTimer_0" << true;
        QTest::newRow("pg timer over the unused axis") << "txtPgCheckTimer_1" << "txtLsSerchTimer_0" << true;
    }
    void enterMoves()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, unlock);
        if (unlock) {
            m_env->dialogs().answer(platform::IdYes);
            m_w->findChild<QCheckBox *>(QStringLiteral("chkTokuParaChange"))->click();
        }
        auto *box = m_w->findChild<QLineEdit *>(from);
        QVERIFY(box);
        box->setText(QStringLiteral("1"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QStringLiteral("1"));
        QVERIFY(m_w->focusWidget());
        QCOMPARE(m_w->focusWidget()->objectName(), to);
    }

    void fieldCheck_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("kept");
        const auto row = [](const char *name, ParaField f, const char *text, bool kept) {
            QTest::newRow(name) << int(f) << QString::fromLatin1(text) << kept;
        };
        row("vel 60", ParaField::HomeVel, "60", true);
        row("vel 61", ParaField::HomeVel, "61", false);
        row("push empty", ParaField::HomePush, "", false);
        row("lead empty", ParaField::AxisLead, "", true);
        row("lead 0", ParaField::AxisLead, "0", true);
        row("offset 65535", ParaField::HomeOffset, "65535", true);
        row("offset 65536", ParaField::HomeOffset, "65536", false);
        row("stroke 262143", ParaField::AxisStroke, "262143", true);
        row("stroke 262144", ParaField::AxisStroke, "262144", false);
        row("pg alm 4", ParaField::PgAlarm, "4", false);
        row("pg alm 5", ParaField::PgAlarm, "5", true);
        row("pasted huge", ParaField::HomePush, "99999999999", false);
        // A decimal point is no key of the box: "60.5" would be taken as another number.
        row("decimal refused", ParaField::HomeVel, "60.5", false);
        row("half up out", ParaField::HomeVel, "61.5", false);
        row("sm timer 0", ParaField::SmTimeoutTimer, "0", false);
        row("one axis unchecked", ParaField::OneAxis, "99", true);
    }
    void fieldCheck()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(bool, kept);
        QCOMPARE(tables::paraFieldAccepted(ParaField(field), text), kept);
    }

    // The table's texts through a box: pasted with Ctrl+V as X11 builds it or committed by an
    // input method, the validator takes only what the keys could have typed; shown in the box by any other road, leaving
    // it keeps only what the strict reading takes.
    void fieldTextsThroughTheBox_data()
    {
        fieldtexts::addRows({fieldtexts::ParaBox});
    }
    void fieldTextsThroughTheBox()
    {
        QFETCH(QString, text);
        QFETCH(bool, taken);
        auto *box = edit(m_w->field(K::HomeOffset, 0));
        box->clear();
        QGuiApplication::clipboard()->setText(text);
        sendX11Key(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), taken ? text : QString());

        // An input method's text meets the same validator.
        box->clear();
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QApplication::sendEvent(box, &composed);
        QCOMPARE(box->text(), taken ? text : QString());

        box->setText(text);
        leave(box);
        QCOMPARE(box->text(), taken ? text : QString());
    }

    void leavingWipes()
    {
        auto *vel = edit(m_w->field(K::HomeVel, 0));
        vel->setText(QStringLiteral("61"));
        leave(vel);
        QVERIFY(vel->text().isEmpty());
        vel->setText(QStringLiteral("60"));
        leave(vel);
        QCOMPARE(vel->text(), QStringLiteral("60"));
        auto *mask = m_w->findChild<QLineEdit *>(QStringLiteral("txtOneAxis"));
        mask->setText(QStringLiteral("99"));
        leave(mask);
        QCOMPARE(mask->text(), QStringLiteral("99"));
    }

    // Shown, taken back and checked: what the window shows is the set; the checks' ranges.
    void intakeAndCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("check2");
        QTest::newRow("as shown") << "" << "" << 0 << 0;
        QTest::newRow("lead 0") << "txtAxisLead_0" << "0" << 1 << 1;
        QTest::newRow("seq 0") << "txtHomeOrder_1" << "0" << 1 << 0;
        QTest::newRow("pg alm 4") << "txtPgAlarm_0" << "4" << 1 << 0;
        QTest::newRow("axis 15") << "txtOneAxis" << "15" << 0 << 0;
        QTest::newRow("axis 16") << "txtOneAxis" << "16" << 1 << 0;
        QTest::newRow("size of two") << "comboActSize_0" << "28" << 1 << 1;
        QTest::newRow("stroke 501") << "comboActStroke_0" << "501" << 1 << 1;
        QTest::newRow("stroke beyond 16 bits") << "comboActStroke_3" << "40000" << 1 << 1;
        QTest::newRow("unused axis garbage") << "txtHomeVel_2" << "999" << 0 << 0;
        // A box showing what is not wholly its number is never taken as another number.
        QTest::newRow("offset 300.7") << "txtHomeOffset_0" << "300.7" << 1 << 1;
        QTest::newRow("vel 12abc") << "txtHomeVel_1" << "12abc" << 1 << 1;
        QTest::newRow("stroke list 50abc") << "comboActStroke_0" << "50abc" << 1 << 1;
    }
    void intakeAndCheck()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, check);
        QFETCH(int, check2);
        validSet();
        m_w->ParametaHyoji();
        if (!field.isEmpty()) {
            QWidget *w = m_w->findChild<QWidget *>(field);
            QVERIFY(w);
            if (auto *e = edit(w))
                e->setText(text);
            else
                combo(w)->setEditText(text);
        }
        tables::resetParaSet();
        gPrmHomeVel[2] = 0;
        const int intake = m_w->TorikomiParametaValue();
        QCOMPARE(m_w->ParametaValueCheck(), check);
        if (intake == 0)
            QCOMPARE(ParametaValueCheck2(), check2);
        if (check == 0) {
            QCOMPARE(gPrmHomeOffset[3], 103);
            QCOMPARE(gPrmJhOrQz[1], 2);
            QCOMPARE(gPrmActuator[0], QStringLiteral(" 28L050"));
            QCOMPARE(gDevSetteiSize[0], QStringLiteral(" 28"));
            QCOMPARE(gDevSetteiStroke[0], 50);
            QCOMPARE(gPrmHomeOut, 3);
            QCOMPARE(gPrmSoftLimit[0], 1);
            QCOMPARE(gPrmHomeVel[2], 0); // an axis not in use is not taken
        }
    }

    // An intake that stops half-way takes nothing: the set and the pending actuator set keep
    // every earlier value, and a command using the fields is refused.
    void intakeAllOrNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("actuator stroke axis 1") << "comboActStroke_0" << "40000";
        QTest::newRow("pg timer axis 4") << "txtPgCheckTimer_3" << "99999999";
        QTest::newRow("sm timer") << "txtSmTimeoutTimer" << "99999999";
    }
    void intakeAllOrNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        validSet();
        m_w->ParametaHyoji();
        QCOMPARE(m_w->TorikomiParametaValue(), 0);
        // New values everywhere before the failing text.
        edit(m_w->field(K::HomeVel, 0))->setText(QStringLiteral("33"));
        combo(m_w->field(K::ActSize, 0))->setEditText(QStringLiteral(" 35"));
        combo(m_w->field(K::ActSize, 3))->setEditText(QStringLiteral(" 42"));
        combo(m_w->findChild<QComboBox *>(QStringLiteral("comboHomeOut")))->setCurrentIndex(0);
        QWidget *w = m_w->findChild<QWidget *>(field);
        QVERIFY(w);
        if (auto *e = edit(w))
            e->setText(text);
        else
            combo(w)->setEditText(text);
        m_env->dialogs().answer(platform::IdOk); // 1524 + 1525
        auto *print = m_w->findChild<QPushButton *>(QStringLiteral("cmdParaPrint"));
        QVERIFY(print->isEnabled());
        print->click();
        QCOMPARE(m_env->dialogs().prompts(), QStringList{ResLinesFor({1524, 1525})});
        QCOMPARE(gPrmHomeVel[0], 10);
        QCOMPARE(gPrmActSize[0], QStringLiteral(" 28"));
        QCOMPARE(gPrmActuator[0], QStringLiteral(" 28L050"));
        QCOMPARE(gDevSetteiSize[0], QStringLiteral(" 28"));
        QCOMPARE(gDevSetteiSize[3], QStringLiteral(" 28"));
        QCOMPARE(gPrmActStroke[0], 50);
        QCOMPARE(gPrmPgCheckTimer[3], 7);
        QCOMPARE(gPrmHomeOut, 3);
        QCOMPARE(gPrmSmTimerVal, 9);
    }

    void speedIsTrimmedSizeIsNot()
    {
        validSet();
        m_w->ParametaHyoji();
        combo(m_w->field(K::ActSpeed, 0))->setEditText(QStringLiteral(" L "));
        QCOMPARE(m_w->TorikomiParametaValue(), 0);
        QCOMPARE(gPrmActSpeed[0], QStringLiteral("L"));
        QCOMPARE(gDevSetteiSpeed[0], QStringLiteral("L"));
        QCOMPARE(gPrmActuator[0], QStringLiteral(" 28L050"));
    }

    void blankTest()
    {
        validSet();
        m_w->ParametaHyoji();
        CheckParaBlank();
        QVERIFY(!gParaEmpty);
        edit(m_w->field(K::HomeVel, 2))->clear(); // an axis not in use does not count
        CheckParaBlank();
        QVERIFY(!gParaEmpty);
        m_w->findChild<QLineEdit *>(QStringLiteral("txtSmTimeoutTimer"))->clear();
        CheckParaBlank();
        QVERIFY(gParaEmpty);
        m_w->findChild<QLineEdit *>(QStringLiteral("txtSmTimeoutTimer"))->setText(QStringLiteral("3"));
        combo(m_w->field(K::PgFunc, 1))->setCurrentIndex(-1);
        CheckParaBlank();
        QVERIFY(gParaEmpty);
    }

    void commandSwitches()
    {
        ParaCMDBTN_Muko();
        const QStringList names = {"cmdReadParaFile", "cmdSaveParaFile", "cmdParaRead", "cmdParaWrite",
                                   "cmdConpareFile", "cmdConpareCT", "cmdParaFilePrint", "cmdParaPrint",
                                   "cmdIniPrm", "cmdCalculate"};
        for (const QString &n : names)
            QVERIFY2(!m_w->findChild<QPushButton *>(n)->isEnabled(), qPrintable(n));
        ParaCMDBTN_Yuko();
        for (const QString &n : names)
            QVERIFY2(m_w->findChild<QPushButton *>(n)->isEnabled(), qPrintable(n));
    }

private:
    static QString LoadResTextFor(int id);
    static QString ResLinesFor(std::initializer_list<int> ids);
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<FakeMainForm> m_main;
    QPointer<frmParameta2> m_w;
};

#include "core/Messages.h"
QString TestFrmParameta2::LoadResTextFor(int id)
{
    return LoadResText(id);
}

QString TestFrmParameta2::ResLinesFor(std::initializer_list<int> ids)
{
    return ResLines(ids);
}

QTEST_MAIN(TestFrmParameta2)
#include "tst_frmParameta2.moc"
