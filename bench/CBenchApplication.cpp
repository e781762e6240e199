#include "CBenchApplication.h"

#include <QApplication>

#include <memory>

void CBenchApplication::Ensure() {
    static int argc = 1;
    static char name[] = "quorvel-bench";
    static char* argv[] = {name, nullptr};
    static const std::unique_ptr<QApplication> application = [] {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return std::make_unique<QApplication>(argc, argv);
    }();
}
