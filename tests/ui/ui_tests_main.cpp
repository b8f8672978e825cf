// Runs the user interface's Qt test classes. Given a test function's name (as ctest gives it,
// one function per process), only the class that has that function runs.
#include <QApplication>
#include <QByteArray>
#include <QTest>
#include <memory>
#include <vector>

#include "tests/ui/ui_suites.h"

namespace {

bool HasTestFunction(const QObject& suite, const char* name) {
    return suite.metaObject()->indexOfSlot(QByteArray(name) + "()") >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::vector<std::unique_ptr<QObject>> suites;
    suites.push_back(tv::test::MakeCopyDialogTest());
    suites.push_back(tv::test::MakeMessageBoxTest());
    const char* wanted = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    int failures = 0;
    bool ran = false;
    for (const std::unique_ptr<QObject>& suite : suites) {
        if (wanted && !HasTestFunction(*suite, wanted)) continue;
        failures += QTest::qExec(suite.get(), argc, argv);
        ran = true;
    }
    return ran ? failures : 1;
}
