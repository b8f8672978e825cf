// The Qt test classes of the user interface, gathered by one test program.
#pragma once

#include <QObject>
#include <memory>

namespace tv::test {

std::unique_ptr<QObject> MakeCopyDialogTest();
std::unique_ptr<QObject> MakeMessageBoxTest();

}  // namespace tv::test
