#include "app/qt_japanese.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tv {

void UseQtInJapanese(QCoreApplication& application) {
    // Dates and numbers in Qt's own views (the file dialogs' lists) as in Japan.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace tv
