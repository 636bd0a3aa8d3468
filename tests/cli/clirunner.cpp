#include "clirunner.h"

#include <QProcess>

namespace tovik {

CliResult runCli(const QStringList& args, const std::function<void()>& childSetup,
                 const QString& language) {
    QProcess process;
    if (childSetup) {
        process.setChildProcessModifier(childSetup);
    }
    // The messages in English, whatever the language of the session running the tests.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) {
        environment.remove(name);
    }
    environment.insert("LANG", language);
    process.setProcessEnvironment(environment);
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
