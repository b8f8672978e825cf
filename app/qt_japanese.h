// Qt's own texts (the file dialogs' columns and buttons, their overwrite question, the standard
// buttons) in Japanese, like the rest of the program.
#pragma once

#include <QCoreApplication>

namespace tv {

// Loads Qt's Japanese translation when the system has it (English stays otherwise) and makes
// Japanese the default locale.
void UseQtInJapanese(QCoreApplication& application);

}  // namespace tv
