#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {

QTranslator *g_translator = nullptr;

} // namespace

bool useQtTranslation(bool japanese)
{
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator);
        delete g_translator;
        g_translator = nullptr;
    }
    if (!japanese)
        return true;
    auto *t = new QTranslator;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt" gathers every Qt module's catalogue; "qtbase" alone covers the dialogs.
    const QLocale japan(QLocale::Japanese, QLocale::Japan);
    if (!t->load(japan, QStringLiteral("qt"), QStringLiteral("_"), folder)
        && !t->load(japan, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        qWarning().noquote() << "no Japanese translation of Qt in" << folder;
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    g_translator = t;
    return true;
}

} // namespace platform
