#include "cli/clirunner.h"

namespace tovik {
namespace {

using CliInfo = CliTest;

// The reading itself is tested in tests/machinefiles/fileinfo_test.cpp; here the front
// end: a damaged file of each reader gives status 1, the message and no file.
TEST_F(CliInfo, ADamagedFileIsRefusedAndNothingIsWritten) {
    writeBytes(path("cut.bin"), QByteArray::fromHex("f03f0004df15000bb2ff010057000"
                                                    "0a0") +
                                    QByteArray(100, '\0'));
    writeBytes(path("cut.MAC"), ".BYTE  1, 10\r\n.BYTE  0, 0\r\n");
    struct Case {
        const char* file;
        QString message;
    } cases[] = {
        {"cut.bin", path("cut.bin") + " is cut short: the header of this BIN with palette gives "
                                      "a length of 1024 bytes, and only 100 follow it"},
        {"cut.MAC", path("cut.MAC") + " holds 2 picture bytes, but its first line gives 1 bytes "
                                      "a row and a height of 8, which make 2 × 1 × 8 = 16"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli({"info", path(c.file)});
        EXPECT_EQ(r.exitCode, 1) << c.file;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  ("tovik-images-cli: " + c.message + "\n").toStdString());
    }
    EXPECT_EQ(filesIn(), (QStringList{"cut.MAC", "cut.bin"}));
}

}  // namespace
}  // namespace tovik
