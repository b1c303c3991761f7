#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The About window: name, version and a short description of the program.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "Version " + major + "." + minor + revision + "E": 1.5.0 gives "Version 1.50E".
    static QString versionLine(int major, int minor, int revision);
    // The caution as shown: with the maker's address it ends in "URL:", which the address
    // line follows; without one the "URL:" goes too, so nothing points at an empty line.
    static QString disclaimerText(const QString &caution, const QString &address);
    // The maker's web address the window shows; empty, as none is known that leads anywhere.
    static QString hpAddress();

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblTitle2 = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *lblHpAddress = nullptr;
    QPushButton *cmdOK = nullptr;

private:
    void Form_Load();
};
