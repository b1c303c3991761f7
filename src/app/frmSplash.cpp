#include "app/frmSplash.h"

#include "core/WinFlags.h"
#include "platform/Screen.h"

#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_timerSplash(new QTimer(this))
    , m_lblVersion(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);

    auto *title = new QLabel(QStringLiteral("QZ-W4"), frame);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_lblVersion->setText(versionLine(QStringLiteral(QZ_VERSION)));
    layout->addWidget(m_lblVersion);

    // The rights notice, the maker's line and the warning caption are fixed in the layout.
    auto *rights = new QLabel(QStringLiteral("Software for the QZ-K4 positioning controller. All rights reserved."), frame);
    auto *maker = new QLabel(QStringLiteral("QZ-W4 development team"), frame);
    // The warning in the system's own words: the caution the About window opens with.
    auto *warning = new QLabel(QStringLiteral("Caution\u2026Specification may be changed without previous announcement."), frame);
    warning->setObjectName(QStringLiteral("lblWarning"));
    warning->setWordWrap(true);
    for (QLabel *l : {rights, maker, warning})
        layout->addWidget(l);

    m_timerSplash->setObjectName(QStringLiteral("timerSplash"));
    m_timerSplash->setInterval(kSplashMs);
    connect(m_timerSplash, &QTimer::timeout, this, &frmSplash::timerSplash_Timer);

    setMinimumWidth(420);
}

QString frmSplash::versionLine(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    const QString major = parts.value(0, QStringLiteral("0"));
    const QString minor = parts.value(1, QStringLiteral("0"));
    const QString revision = parts.value(2, QStringLiteral("0"));
    return QStringLiteral("Version ") + major + QLatin1Char('.') + minor + revision + QLatin1Char('E');
}

void frmSplash::timerSplash_Timer()
{
    gSplashEnd = true;
    m_timerSplash->stop();
}

void frmSplash::runUntilEnded()
{
    platform::centreOnScreen(*this);
    show();
    repaint();
    QEventLoop loop;
    connect(m_timerSplash, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_timerSplash->start();
    if (!gSplashEnd)
        loop.exec();
    gSplashEnd = false;
    hide();
}
