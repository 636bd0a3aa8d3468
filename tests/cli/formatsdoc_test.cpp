// The worked examples of docs/formats.md are what the program writes and what `info`
// prints: the 8 x 8 picture of the page, made as a project, exported in every format.

#include <QRegularExpression>

#include "cli/clirunner.h"

namespace tovik {
namespace {

class FormatsDoc : public CliTest {
protected:
    // The blocks of the page by the name in the comment before each.
    static QHash<QString, QByteArray> examples() {
        const QByteArray page = fileBytes(TOVIK_SAMPLES_DIR "/../docs/formats.md");
        static const QRegularExpression block(
            QStringLiteral("<!-- example (\\S+) -->\n```text\n(.*?)```"),
            QRegularExpression::DotMatchesEverythingOption);
        QHash<QString, QByteArray> found;
        for (const auto& match : block.globalMatch(QString::fromUtf8(page))) {
            found.insert(match.captured(1), match.captured(2).toUtf8());
        }
        return found;
    }
};

TEST_F(FormatsDoc, EveryExampleIsWhatTheProgramWritesAndReads) {
    QByteArray pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pixels.append(static_cast<char>((x / 2 + y) % 4));
        }
    }
    const QString project = path("tiny.bip");
    writeBytes(project, "PRJ" + le32(8) + le32(8) + le32(3) + pixels);
    const QHash<QString, QByteArray> shown = examples();

    struct Case {
        const char* format;
        const char* file;  // the name the file gets, so that info tells the kind
        bool text;         // shown as text with CR LF as line ends, else as hex
    };
    const Case cases[] = {
        {"bip", "out.bip", false},           {"bin-palette", "palette.bin", false},
        {"bin-header", "header.bin", false}, {"dump", "dump.bin", false},
        {"bmp", "out.bmp", false},           {"mac", "out.mac", true},
    };
    for (const auto& c : cases) {
        const QString out = path(c.file);
        const CliResult written = runCli({"export", project, "-o", out, "--format", c.format});
        ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
        ASSERT_TRUE(shown.contains(c.format)) << c.format;
        const QByteArray example = shown.value(c.format);
        const QByteArray expected = c.text ? QByteArray(example).replace("\n", "\r\n")
                                           : QByteArray::fromHex(example.simplified());
        EXPECT_EQ(fileBytes(out).toHex(' ').toStdString(), expected.toHex(' ').toStdString())
            << c.format;

        if (QByteArray(c.format) != "bmp") {
            const QString name = QStringLiteral("info-") + c.format;
            ASSERT_TRUE(shown.contains(name)) << name.toStdString();
            EXPECT_EQ(runCli({"info", out}).out.toStdString(), shown.value(name).toStdString())
                << name.toStdString();
        }
    }
}

}  // namespace
}  // namespace tovik
