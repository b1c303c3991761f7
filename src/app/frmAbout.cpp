#include "app/frmAbout.h"

#include "core/FormText.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace {
constexpr int kTwipsPerPixel = 15;

QFrame *line(QWidget *parent)
{
    auto *l = new QFrame(parent);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}
} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setModal(true);
    core::formtext::tagWindow(this, 1201);

    picIcon = new QLabel(this);
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    picIcon->setPixmap(icon.pixmap(32, 32));
    picIcon->setAccessibleName(QStringLiteral("QZ-W4"));
    lblTitle = new QLabel(this);
    core::formtext::tag(lblTitle, 1202);
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblTitle2 = new QLabel(this);
    core::formtext::tag(lblTitle2, 1203);
    lblVersion = new QLabel(this);
    lblDescription = new QLabel(this);
    lblDescription->setWordWrap(true);
    core::formtext::tag(lblDescription, 1204);
    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setWordWrap(true);
    core::formtext::tag(lblDisclaimer, 1205);
    lblHpAddress = new QLabel(this);
    lblHpAddress->setObjectName(QStringLiteral("lblHpAddress"));
    lblHpAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    auto *titles = new QVBoxLayout;
    titles->addWidget(lblTitle);
    titles->addWidget(lblTitle2);
    titles->addWidget(lblVersion);
    head->addLayout(titles, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(line(this));
    layout->addWidget(lblDescription);
    layout->addWidget(line(this));
    layout->addWidget(lblDisclaimer);
    layout->addWidget(lblHpAddress);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    resize(5730 / kTwipsPerPixel, 3900 / kTwipsPerPixel);

    Form_Load();
}

QString frmAbout::versionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2%3E").arg(major).arg(minor).arg(revision);
}

void frmAbout::Form_Load()
{
    platform::placeBesideOwner(this, parentWidget());
    Set_FormStr(this);
    const QVersionNumber v = QVersionNumber::fromString(QStringLiteral(QZ_VERSION));
    lblVersion->setText(versionLine(v.majorVersion(), v.minorVersion(), v.microVersion()));
    const QString address = hpAddress();
    lblDisclaimer->setText(disclaimerText(lblDisclaimer->text(), address));
    lblHpAddress->setText(address);
    lblHpAddress->setVisible(!address.isEmpty());
}

QString frmAbout::hpAddress()
{
    return QString();
}

QString frmAbout::disclaimerText(const QString &caution, const QString &address)
{
    static const QLatin1String lead("URL:");
    if (!address.isEmpty())
        return caution;
    const QString text = caution.trimmed();
    if (!text.endsWith(lead))
        return caution;
    return text.left(text.size() - lead.size()).trimmed();
}
