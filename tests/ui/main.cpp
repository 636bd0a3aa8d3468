#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ui/application.h"

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform reports every window feature it lacks; those lines say nothing
// about the program and would bury a real warning.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QLatin1String("This plugin does not support")) && standardHandler) {
        standardHandler(type, context, text);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    standardHandler = qInstallMessageHandler(quietPlatformNotes);
    // Listing the tests at build time runs this binary with no environment of ctest's.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_SCALE_FACTOR", "1");
    // A data folder of this run's own: the recovery file of the windows lands there, not
    // in the user's, and runs side by side never share one.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    Application app(argc, argv);
    return RUN_ALL_TESTS();
}
