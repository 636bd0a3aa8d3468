#include "clirunner.h"

#include <QProcess>

namespace tovik {

CliResult runCli(const QStringList& args, const std::function<void()>& childSetup) {
    QProcess process;
    if (childSetup) {
        process.setChildProcessModifier(childSetup);
    }
    process.start(QStringLiteral(TOVIK_CLI_PATH), args);
    CliResult result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        result.err = "<did not finish normally>";
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray usage() {
    static const QByteArray text = runCli({"--help"}).out;
    return text;
}

}  // namespace tovik
